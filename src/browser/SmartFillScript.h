#pragma once
// The page script of Smart Fill (scripts/smartfill.js) and the reading of
// its answers. Its input travels as one JSON document, never as text pasted
// into the code.

#include "browser/FieldFacts.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace SmartFillScript {

// Reads the facts of every form element; `token` names the document for
// later writes, unless it already has a name.
QString ReadScript(std::uint64_t token);
// Writes into elements of the last reading of the document `token` names.
QString WriteScript(const std::vector<TElementWrite>& writes, std::uint64_t token);

// An empty answer means the page went away before the script could answer.
TFieldFactsRead ReadAnswer(const QVariant& answer);

} // namespace SmartFillScript
