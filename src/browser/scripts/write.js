// Applies the writes in order. Each write acts as one walk over the forms
// that sets every element of that exact name, and after each value the
// element gets "input" and "change" events so that pages which keep their
// fields' values in script see the new value.
//
// Walking every form once per write would cost writes x elements reads of
// the page; instead one pass files the elements under their names, and the
// writes use that index. Event handlers of the page may change the forms, so
// a mutation observer watches for anything that changes which element a walk
// would meet where (elements added or removed, name, id, form or type changed):
// after such a change the current walk goes on over the live forms exactly as
// a plain walk would, and the index is built afresh for the next write.
(function (args) {
  'use strict';
  %COMMON%
  var written = 0;
  try {
    if (!isHtmlDocument())
      return JSON.stringify({ html: false });
    if (args.token !== 0 && world.__tarnwickDocument !== args.token)
      return JSON.stringify({ html: true, replaced: true });
    if (tagsOf.call(doc, 'FORM').length === 0)
      return JSON.stringify({ html: true, written: 0 });
    var forms = formsOf.call(doc);

    var observer = new MutationObserver(function () {});
    observer.observe(doc, { subtree: true, childList: true, attributes: true,
                            attributeFilter: ['name', 'id', 'form', 'type'] });
    function holdsElement(nodes) {
      for (var n = 0; n < nodes.length; n++)
        if (nodes[n].nodeType === 1)
          return true;
      return false;
    }
    function formsChanged() {
      var records = observer.takeRecords();
      for (var r = 0; r < records.length; r++) {
        var rec = records[r];
        if (rec.type === 'attributes' || holdsElement(rec.addedNodes) || holdsElement(rec.removedNodes))
          return true;
      }
      return false;
    }
    // Filling never submits: a submission that the page's own handlers start
    // through the form's submit event is cancelled while the values go in.
    function blockSubmit(event) { event.preventDefault(); event.stopImmediatePropagation(); }
    world.addEventListener('submit', blockSubmit, true);

    function setValue(el, value) {
      el.value = value;
      written++;
      dispatch.call(el, new Event('input', { bubbles: true }));
      dispatch.call(el, new Event('change', { bubbles: true }));
    }

    // Index of the elements a walk meets, by name, in walk order. A name that
    // cannot be read ends a walk there, so the index stops there too.
    function buildIndex() {
      var formCount = forms.length;
      var counts = [];
      var byName = new Map();
      scan:
      for (var j = 0; j < formCount; j++) {
        var elements = elementsOf.call(itemOf.call(forms, j));
        var count = elements.length;
        counts.push(count);
        for (var i = 0; i < count; i++) {
          var el, name;
          try {
            el = itemOf.call(elements, i);
            name = el.name;
          } catch (e) {
            break scan;
          }
          if (name === undefined)
            break scan;
          if (typeof name !== 'string')
            continue;
          var list = byName.get(name);
          if (!list) {
            list = [];
            byName.set(name, list);
          }
          list.push({ form: j, index: i, el: el });
        }
      }
      return { formCount: formCount, counts: counts, byName: byName };
    }

    // A plain walk over the live forms, from element `i0` of form `j0` on;
    // `formCount` and `firstCount` are the counts the walk read when it began.
    function walkOn(write, j0, i0, formCount, firstCount) {
      for (var j = j0; j < formCount; j++) {
        var elements = elementsOf.call(itemOf.call(forms, j));
        var count = j === j0 ? firstCount : elements.length;
        for (var i = j === j0 ? i0 : 0; i < count; i++) {
          var el;
          try {
            el = itemOf.call(elements, i);
            var name = el.name;
            if (name === undefined)
              return;
            if (name !== write.name)
              continue;
            el.value = write.value;
          } catch (e) {
            return;
          }
          written++;
          dispatch.call(el, new Event('input', { bubbles: true }));
          dispatch.call(el, new Event('change', { bubbles: true }));
        }
      }
    }

    try {
      var index = null;
      for (var w = 0; w < args.writes.length; w++) {
        var write = args.writes[w];
        if (index === null || formsChanged())
          index = buildIndex();
        var list = index.byName.get(write.name);
        if (!list)
          continue;
        for (var k = 0; k < list.length; k++) {
          var at = list[k];
          try {
            setValue(at.el, write.value);
          } catch (e) {
            break;
          }
          if (formsChanged()) {
            walkOn(write, at.form, at.index + 1, index.formCount, index.counts[at.form]);
            index = null;
            break;
          }
        }
      }
    } finally {
      world.removeEventListener('submit', blockSubmit, true);
      observer.disconnect();
    }
    return JSON.stringify({ html: true, written: written });
  } catch (e) {
    return JSON.stringify({ html: true, written: written, error: String(e && e.message || e) });
  }
})
