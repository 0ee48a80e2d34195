// Lists the six values of each element. The first element whose values
// cannot all be read as text ends the listing; what was read stays.
(function (args) {
  'use strict';
  %COMMON%
  var out = [];
  try {
    if (!isHtmlDocument())
      return JSON.stringify({ html: false });
    if (typeof world.__tarnwickDocument !== 'number')
      world.__tarnwickDocument = args.token;
    var forms = formsOf.call(doc);
    var formCount = forms.length;
    walk:
    for (var j = 0; j < formCount; j++) {
      var elements = elementsOf.call(itemOf.call(forms, j));
      var count = elements.length;
      for (var i = 0; i < count; i++) {
        var row;
        try {
          var el = itemOf.call(elements, i);
          row = [el.name, el.id, el.tagName, el.toString(), el.innerText, el.innerHTML];
        } catch (e) {
          break walk;
        }
        for (var k = 0; k < 6; k++)
          if (typeof row[k] !== 'string')
            break walk;
        out.push(row);
      }
    }
    return JSON.stringify({ html: true, token: world.__tarnwickDocument, elements: out });
  } catch (e) {
    return JSON.stringify({ html: true, token: world.__tarnwickDocument || 0, elements: out,
                            error: String(e && e.message || e) });
  }
})
