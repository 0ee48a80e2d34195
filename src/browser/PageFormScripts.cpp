#include "browser/PageFormScripts.h"

#include "common/UUtils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace PageFormScripts {

namespace {

// Shared helpers of both scripts. A form's own properties can be hidden by
// its fields (a field named "elements" or "length"), so they are read through
// the prototypes' getters; the document's are read the same way for safety.
const char* const CommonPart = R"JS(
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
)JS";

// Lists the six values of each element. The first element whose values
// cannot all be read as text ends the listing; what was read stays.
const char* const ReadBody = R"JS(
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
)JS";

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
const char* const WriteBody = R"JS(
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
)JS";

QString Compose(const char* body, const QJsonObject& args)
{
    QString script = QString::fromUtf8(body);
    script.replace(QStringLiteral("%COMMON%"), QString::fromUtf8(CommonPart));
    // The arguments go in as a JSON literal, which is a valid script expression.
    return script.trimmed() + QLatin1Char('(')
           + QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact)) + QLatin1Char(')');
}

// The script's one JSON text; false when the answer is missing or malformed.
bool ParseAnswer(const QVariant& answer, QJsonObject& object, std::string& error)
{
    if (answer.typeId() != QMetaType::QString) {
        error = "The page gave an answer of an unexpected kind.";
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(answer.toString().toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        error = "The page's answer could not be read.";
        return false;
    }
    object = doc.object();
    return true;
}

std::string ErrorText(const QJsonObject& object)
{
    return "The page's forms could not be reached: " + FromDisplay(object.value(QLatin1String("error")).toString());
}

} // namespace

QString ReadScript(std::uint64_t token)
{
    QJsonObject args;
    args.insert(QStringLiteral("token"), static_cast<double>(token));
    return Compose(ReadBody, args);
}

QString WriteScript(const std::vector<TFieldWrite>& writes, std::uint64_t documentToken)
{
    QJsonArray list;
    for (const TFieldWrite& write : writes) {
        QJsonObject item;
        item.insert(QStringLiteral("name"), ToDisplay(write.Name));
        item.insert(QStringLiteral("value"), ToDisplay(write.Value));
        list.append(item);
    }
    QJsonObject args;
    args.insert(QStringLiteral("writes"), list);
    args.insert(QStringLiteral("token"), static_cast<double>(documentToken));
    return Compose(WriteBody, args);
}

// The start both answers share: false, with `end` set, when the call
// reached no HTML document or its answer cannot be read.
static bool OpenAnswer(const QVariant& answer, QJsonObject& object, TPageCallEnd& end, std::string& error)
{
    if (!answer.isValid()) {
        end = TPageCallEnd::Abandoned;
        return false;
    }
    if (!ParseAnswer(answer, object, error)) {
        end = TPageCallEnd::Failed;
        return false;
    }
    if (!object.value(QLatin1String("html")).toBool()) {
        end = TPageCallEnd::NoDocument;
        return false;
    }
    return true;
}

TFormRead ReadAnswer(const QVariant& answer)
{
    TFormRead result;
    QJsonObject object;
    if (!OpenAnswer(answer, object, result.End, result.Error))
        return result;
    result.IsHtmlDocument = true;
    result.DocumentToken = static_cast<std::uint64_t>(object.value(QLatin1String("token")).toDouble());
    const QJsonArray elements = object.value(QLatin1String("elements")).toArray();
    result.Elements.reserve(static_cast<size_t>(elements.size()));
    for (const QJsonValue& value : elements) {
        const QJsonArray row = value.toArray();
        if (row.size() != 6) {
            result.End = TPageCallEnd::Failed;
            result.Error = "The page's answer could not be read.";
            return result;
        }
        auto text = [&row](int i) { return FromDisplay(row.at(i).toString()); };
        result.Elements.push_back({text(0), text(1), text(2), text(3), text(4), text(5)});
    }
    if (object.contains(QLatin1String("error"))) {
        result.End = TPageCallEnd::Failed;
        result.Error = ErrorText(object);
        return result;
    }
    result.End = TPageCallEnd::Done;
    return result;
}

TFormWriteResult WriteAnswer(const QVariant& answer)
{
    TFormWriteResult result;
    QJsonObject object;
    if (!OpenAnswer(answer, object, result.End, result.Error))
        return result;
    if (object.value(QLatin1String("replaced")).toBool()) {
        result.End = TPageCallEnd::Abandoned;
        return result;
    }
    result.ElementsWritten = object.value(QLatin1String("written")).toInt();
    if (object.contains(QLatin1String("error"))) {
        result.End = TPageCallEnd::Failed;
        result.Error = ErrorText(object);
        return result;
    }
    result.End = TPageCallEnd::Done;
    return result;
}

} // namespace PageFormScripts
