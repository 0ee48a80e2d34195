#pragma once
// Helpers for tests that drive a real browser engine on local pages.

#include "browser/BrowserControl.h"
#include "browser/FieldFacts.h"

#include <QJsonValue>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <cstdint>
#include <vector>

class QWebEngineView;

// Generous: the engine shares two cores with other work.
inline constexpr int PageWaitMs = 20000;

QUrl TestPage(const QString& fileName);
// Loads `url` and waits until it has finished loading; false on failure or time-out.
bool LoadPage(QWebEngineView& view, const QUrl& url);
// Runs `expression` in a world of its own (neither the page's nor the
// program's) and returns its value passed through JSON.
QJsonValue Probe(QWebEngineView& view, const QString& expression);
// The same in the page's own world, whose JSON may not be the real one:
// the value comes back as the engine converts it.
QVariant ProbeMainWorld(QWebEngineView& view, const QString& expression);

// The interface's calls, waited for.
TFormRead ReadForms(IBrowserControl& browser);
TFormWriteResult WriteForms(IBrowserControl& browser, const std::vector<TFieldWrite>& writes,
                            std::uint64_t token = 0);
TFieldFactsRead ReadFacts(IBrowserControl& browser);
TFormWriteResult WriteElementsTo(IBrowserControl& browser, const std::vector<TElementWrite>& writes,
                                 std::uint64_t token);
