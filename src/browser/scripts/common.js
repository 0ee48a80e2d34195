// Shared helpers of both scripts. A form's own properties can be hidden by
// its fields (a field named "elements" or "length"), so they are read through
// the prototypes' getters; the document's are read the same way for safety.
  var world = globalThis;
  function getter(proto, name) { return Object.getOwnPropertyDescriptor(proto, name).get; }
  var itemOf = HTMLCollection.prototype.item;
  var formsOf = getter(Document.prototype, 'forms');
  var elementsOf = getter(HTMLFormElement.prototype, 'elements');
  var contentTypeOf = getter(Document.prototype, 'contentType');
  var urlOf = getter(Document.prototype, 'URL');
  var tagsOf = Document.prototype.getElementsByTagName;
  var dispatch = EventTarget.prototype.dispatchEvent;
  var doc = document;
  function isHtmlDocument() {
    var type = contentTypeOf.call(doc);
    var url = urlOf.call(doc);
    return (type === 'text/html' || type === 'application/xhtml+xml') && url !== '' && url !== 'about:blank';
  }
