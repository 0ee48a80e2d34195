#pragma once
// The scripts that walk the forms of the loaded page, and the reading of
// their answers. The scripts run in the browser's isolated application
// world: the page's own scripts can neither see them nor change the objects
// they use. Their input travels as one JSON document made by QJsonDocument,
// never as text pasted into the code; their answer is one JSON text.

#include "browser/BrowserControl.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

class QJsonObject;

namespace PageFormScripts {

// The script resource `bodyName` (scripts/), its %COMMON% replaced by the
// shared helpers, called with `args` as its one JSON argument.
QString Compose(const QString& bodyName, const QJsonObject& args);

// Script that lists every element of every form of the top-level document.
// `token` names the document for later writes, unless it already has a name.
QString ReadScript(std::uint64_t token);

// Script that applies `writes` in order; `documentToken` 0 writes into any document.
QString WriteScript(const std::vector<TFieldWrite>& writes, std::uint64_t documentToken);

// The answers as the interface reports them. An empty answer means the page
// went away before the script could answer.
TFormRead ReadAnswer(const QVariant& answer);
TFormWriteResult WriteAnswer(const QVariant& answer);

} // namespace PageFormScripts
