// Smart Fill's two page calls. Runs in the program's isolated world and is
// called with one JSON argument:
//   { op: "read", token }  lists what a person sees of every form element
//                          and keeps the elements for the writes;
//   { op: "write", token, writes: [[index, value, expected], ...] }
//                          writes into the elements of the last reading.
// The answer is one JSON text. Nothing here decides what goes where.
(function (args) {
  'use strict';
  %COMMON%
  var MaxText = 160;

  var Controls = { INPUT: 1, TEXTAREA: 1, SELECT: 1, BUTTON: 1, OPTION: 1, SCRIPT: 1, STYLE: 1, TEMPLATE: 1 };

  // The words of a node as a person reads them, controls left out.
  function textOf(node) {
    var parts = [];
    var length = 0;
    (function walk(n) {
      if (length > MaxText)
        return;
      if (n.nodeType === 3) {
        parts.push(n.nodeValue);
        length += n.nodeValue.length;
        return;
      }
      if (n.nodeType !== 1 || Controls[n.tagName])
        return;
      for (var c = n.firstChild; c; c = c.nextSibling)
        walk(c);
    })(node);
    return parts.join(' ').replace(/\s+/g, ' ').trim().slice(0, MaxText);
  }

  // Each control's label text, from one pass over the labels: asking each
  // control for its labels walks the whole document every time.
  var labelTexts = null;
  function labelsByControl() {
    var map = new Map();
    var labels = doc.getElementsByTagName('label');
    for (var i = 0; i < labels.length; i++) {
      var label = labels[i];
      var control = label.control;
      if (control && !map.has(control)) {
        // Without a text-holding control inside, the label's text is all its own.
        var plain = label.querySelector('textarea,select,option,button,script,style') === null;
        var t = plain ? label.textContent.replace(/\s+/g, ' ').trim().slice(0, MaxText) : textOf(label);
        if (t)
          map.set(control, t);
      }
    }
    return map;
  }

  function labelOf(el) {
    if (labelTexts === null)
      labelTexts = labelsByControl();
    var own = labelTexts.get(el);
    if (own)
      return own;
    var ids = el.getAttribute('aria-labelledby');
    if (ids) {
      var texts = [];
      ids.split(/\s+/).forEach(function (id) {
        var target = id && doc.getElementById(id);
        if (target)
          texts.push(textOf(target));
      });
      var joined = texts.join(' ').trim();
      if (joined)
        return joined;
    }
    return (el.getAttribute('aria-label') || '').trim();
  }

  var Blocks = { TD: 1, TH: 1, DD: 1, DT: 1, LI: 1, P: 1, DIV: 1, SPAN: 1, FONT: 1, B: 1, STRONG: 1,
                 FIELDSET: 1, SECTION: 1, TR: 0 };

  // The text just before the element: its preceding siblings, then those of
  // the blocks around it (a table cell before its cell), stopping at another
  // control, whose text that would be.
  function beforeOf(el) {
    var node = el;
    for (var depth = 0; depth < 4 && node; depth++) {
      for (var p = node.previousSibling; p; p = p.previousSibling) {
        if (p.nodeType === 1) {
          if (Controls[p.tagName] || (p.querySelector && p.querySelector('input,textarea,select')))
            return '';
        } else if (p.nodeType !== 3) {
          continue;
        }
        var t = p.nodeType === 3 ? p.nodeValue.replace(/\s+/g, ' ').trim() : textOf(p);
        if (t)
          return t.length > MaxText ? t.slice(t.length - MaxText) : t;
      }
      var parent = node.parentNode;
      if (!parent || parent.nodeType !== 1 || !Blocks[parent.tagName])
        return '';
      node = parent;
    }
    return '';
  }

  function isShown(el) {
    // No box (not displayed), shrunk to a dot, or pushed off the page to the
    // left or the top: a trap for robots, not a field for a person.
    var box = el.getBoundingClientRect();
    if (box.width < 2 || box.height < 2 || box.right + world.scrollX <= 0 || box.bottom + world.scrollY <= 0)
      return false;
    var style = getComputedStyle(el);
    return style.visibility === 'visible' && style.opacity !== '0';
  }

  function text(v) { return typeof v === 'string' ? v : ''; }

  function read() {
    var forms = formsOf.call(doc);
    var formCount = forms.length;
    var kept = [];
    var rows = [];
    // An element that cannot be read ends the reading there, as with the listing.
    walk:
    for (var j = 0; j < formCount; j++) {
      var elements = elementsOf.call(itemOf.call(forms, j));
      var count = elements.length;
      for (var i = 0; i < count; i++) {
        var el, row;
        try {
          el = itemOf.call(elements, i);
          var tag = el.tagName.toLowerCase();
          var isText = tag === 'textarea' || tag === 'input';
          var flags = (isShown(el) ? 1 : 0) | (el.disabled ? 2 : 0) | (el.readOnly ? 4 : 0) |
                      (el.required || el.getAttribute('aria-required') === 'true' ? 8 : 0);
          row = [j, tag, tag === 'input' ? text(el.type).toLowerCase() : '', text(el.name), text(el.id),
                 text(el.getAttribute('autocomplete')), labelOf(el), text(el.getAttribute('placeholder')),
                 text(el.getAttribute('title')), beforeOf(el), flags,
                 isText ? text(el.value) : '', isText ? text(el.defaultValue) : ''];
        } catch (e) {
          break walk;
        }
        rows.push(row);
        kept.push(el);
      }
    }
    world.__tarnwickFields = { token: world.__tarnwickDocument, elements: kept };
    return { html: true, token: world.__tarnwickDocument, forms: formCount, fields: rows };
  }

  var written = 0;

  // Filling never submits: a submission that the page's own handlers start
  // through the form's submit event is cancelled while the values go in.
  function write() {
    if (world.__tarnwickDocument !== args.token || !world.__tarnwickFields ||
        world.__tarnwickFields.token !== args.token)
      return { html: true, replaced: true };
    var elements = world.__tarnwickFields.elements;
    function blockSubmit(event) { event.preventDefault(); event.stopImmediatePropagation(); }
    world.addEventListener('submit', blockSubmit, true);
    try {
      for (var w = 0; w < args.writes.length; w++) {
        var write = args.writes[w];
        var el = elements[write[0]];
        if (!el || !el.isConnected || el.value !== write[2])
          continue;
        el.value = write[1];
        written++;
        dispatch.call(el, new Event('input', { bubbles: true }));
        dispatch.call(el, new Event('change', { bubbles: true }));
      }
    } finally {
      world.removeEventListener('submit', blockSubmit, true);
    }
    return { html: true, written: written };
  }

  try {
    if (!isHtmlDocument())
      return JSON.stringify({ html: false });
    if (args.op === 'read') {
      if (typeof world.__tarnwickDocument !== 'number')
        world.__tarnwickDocument = args.token;
      var t0 = performance.now(); var r = read(); r.ms = performance.now() - t0; var txt = JSON.stringify(r); r.ms2 = performance.now() - t0; return JSON.stringify(r);
    }
    return JSON.stringify(write());
  } catch (e) {
    return JSON.stringify({ html: true, token: world.__tarnwickDocument || 0, written: written,
                            error: String(e && e.message || e) });
  }
})
