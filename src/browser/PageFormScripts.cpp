#include "browser/PageFormScripts.h"

#include "common/UUtils.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

// A static library's resources are registered by hand, outside any namespace.
static bool RegisterPageScripts()
{
    Q_INIT_RESOURCE(PageScripts);
    return true;
}

namespace PageFormScripts {

namespace {

// The scripts are .js resources of this library (scripts/).
QString Resource(const QString& name)
{
    static const bool registered = RegisterPageScripts();
    (void)registered;
    QFile file(QStringLiteral(":/browser/scripts/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}


} // namespace

QString Compose(const QString& bodyName, const QJsonObject& args)
{
    // Each body is read and joined to the shared helpers once, not per press.
    static QHash<QString, QString> bodies;
    auto body = bodies.find(bodyName);
    if (body == bodies.end()) {
        static const QString common = Resource(QStringLiteral("common.js"));
        QString script = Resource(bodyName);
        script.replace(QStringLiteral("%COMMON%"), common);
        body = bodies.insert(bodyName, script.trimmed());
    }
    // The arguments go in as a JSON literal, which is a valid script expression.
    return *body + QLatin1Char('(') + QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact))
           + QLatin1Char(')');
}

namespace {

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
    return Compose(QStringLiteral("read.js"), args);
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
    return Compose(QStringLiteral("write.js"), args);
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
