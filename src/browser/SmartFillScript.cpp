#include "browser/SmartFillScript.h"

#include "browser/PageFormScripts.h"
#include "common/UUtils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace SmartFillScript {

namespace {

QString Compose(const QJsonObject& args)
{
    return PageFormScripts::Compose(QStringLiteral("smartfill.js"), args);
}

std::string TextAt(const QJsonArray& row, int i)
{
    return FromDisplay(row.at(i).toString());
}

} // namespace

QString ReadScript(std::uint64_t token)
{
    QJsonObject args;
    args.insert(QStringLiteral("op"), QStringLiteral("read"));
    args.insert(QStringLiteral("token"), static_cast<double>(token));
    return Compose(args);
}

QString WriteScript(const std::vector<TElementWrite>& writes, std::uint64_t token)
{
    QJsonArray list;
    for (const TElementWrite& write : writes)
        list.append(QJsonArray{write.Index, ToDisplay(write.Value), ToDisplay(write.Expected)});
    QJsonObject args;
    args.insert(QStringLiteral("op"), QStringLiteral("write"));
    args.insert(QStringLiteral("token"), static_cast<double>(token));
    args.insert(QStringLiteral("writes"), list);
    return Compose(args);
}

TFieldFactsRead ReadAnswer(const QVariant& answer)
{
    TFieldFactsRead result;
    if (!answer.isValid()) {
        result.End = TPageCallEnd::Abandoned;
        return result;
    }
    result.End = TPageCallEnd::Failed;
    const QJsonDocument doc = QJsonDocument::fromJson(answer.toString().toUtf8());
    if (answer.typeId() != QMetaType::QString || !doc.isObject()) {
        result.Error = "The page's answer could not be read.";
        return result;
    }
    const QJsonObject object = doc.object();
    if (!object.value(QLatin1String("html")).toBool()) {
        result.End = TPageCallEnd::NoDocument;
        return result;
    }
    result.IsHtmlDocument = true;
    result.DocumentToken = static_cast<std::uint64_t>(object.value(QLatin1String("token")).toDouble());
    if (object.contains(QLatin1String("error"))) {
        result.Error = "The page's forms could not be reached: "
                       + FromDisplay(object.value(QLatin1String("error")).toString());
        return result;
    }
    result.FormCount = object.value(QLatin1String("forms")).toInt();
    const QJsonArray rows = object.value(QLatin1String("fields")).toArray();
    result.Fields.reserve(static_cast<size_t>(rows.size()));
    for (const QJsonValue& value : rows) {
        const QJsonArray row = value.toArray();
        if (row.size() != 13) {
            result.Fields.clear();
            result.Error = "The page's answer could not be read.";
            return result;
        }
        TFieldFacts f;
        f.Form = row.at(0).toInt();
        f.Tag = TextAt(row, 1);
        f.Type = TextAt(row, 2);
        f.Name = TextAt(row, 3);
        f.ID = TextAt(row, 4);
        f.Autocomplete = TextAt(row, 5);
        f.Label = TextAt(row, 6);
        f.Placeholder = TextAt(row, 7);
        f.Title = TextAt(row, 8);
        f.Before = TextAt(row, 9);
        const int flags = row.at(10).toInt();
        f.Shown = flags & 1;
        f.Disabled = flags & 2;
        f.ReadOnly = flags & 4;
        f.Required = flags & 8;
        f.Value = TextAt(row, 11);
        f.DefaultValue = TextAt(row, 12);
        result.Fields.push_back(std::move(f));
    }
    result.End = TPageCallEnd::Done;
    return result;
}

} // namespace SmartFillScript
