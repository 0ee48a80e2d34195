#include "WebPageSupport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

// Emits Done once a callback has stored its result.
class TWaiter : public QObject {
    Q_OBJECT
signals:
    void Done();
};

QJsonValue RunProbe(QWebEngineView& view, const QString& expression, quint32 world)
{
    TWaiter waiter;
    QSignalSpy done(&waiter, &TWaiter::Done);
    QString text;
    view.page()->runJavaScript(QStringLiteral("JSON.stringify([(function () { return %1; })()])").arg(expression),
                               world, [&text, &waiter](const QVariant& value) {
                                   text = value.toString();
                                   emit waiter.Done();
                               });
    if (done.isEmpty() && !done.wait(PageWaitMs)) {
        ADD_FAILURE() << "probe got no answer: " << expression.toStdString();
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());
    return doc.array().at(0);
}

} // namespace

QUrl TestPage(const QString& fileName)
{
    // The pages live beside this file, under tests/browser/pages.
    const QString dir = QStringLiteral(TARNWICK_TEST_DATA_DIR "/../browser/pages/");
    return QUrl::fromLocalFile(QFileInfo(dir + fileName).absoluteFilePath());
}

bool LoadPage(QWebEngineView& view, const QUrl& url)
{
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    view.load(url);
    if (!finished.wait(PageWaitMs))
        return false;
    return finished.last().at(0).toBool();
}

QJsonValue Probe(QWebEngineView& view, const QString& expression)
{
    return RunProbe(view, expression, QWebEngineScript::UserWorld);
}

QVariant ProbeMainWorld(QWebEngineView& view, const QString& expression)
{
    TWaiter waiter;
    QSignalSpy done(&waiter, &TWaiter::Done);
    QVariant result;
    view.page()->runJavaScript(expression, QWebEngineScript::MainWorld, [&result, &waiter](const QVariant& value) {
        result = value;
        emit waiter.Done();
    });
    if (done.isEmpty() && !done.wait(PageWaitMs))
        ADD_FAILURE() << "probe got no answer: " << expression.toStdString();
    return result;
}

TFormRead ReadForms(IBrowserControl& browser)
{
    TWaiter waiter;
    QSignalSpy done(&waiter, &TWaiter::Done);
    TFormRead result;
    browser.ReadFormElements(&waiter, [&](const TFormRead& read) {
        result = read;
        emit waiter.Done();
    });
    EXPECT_TRUE(done.wait(PageWaitMs)) << "no answer to the listing";
    return result;
}

TFormWriteResult WriteForms(IBrowserControl& browser, const std::vector<TFieldWrite>& writes, std::uint64_t token)
{
    TWaiter waiter;
    QSignalSpy done(&waiter, &TWaiter::Done);
    TFormWriteResult result;
    browser.WriteFormFields(writes, token, &waiter, [&](const TFormWriteResult& written) {
        result = written;
        emit waiter.Done();
    });
    EXPECT_TRUE(done.wait(PageWaitMs)) << "no answer to the writes";
    return result;
}

TFieldFactsRead ReadFacts(IBrowserControl& browser)
{
    TWaiter waiter;
    QSignalSpy done(&waiter, &TWaiter::Done);
    TFieldFactsRead result;
    browser.ReadFieldFacts(&waiter, [&](const TFieldFactsRead& read) {
        result = read;
        emit waiter.Done();
    });
    EXPECT_TRUE(done.wait(PageWaitMs)) << "no answer to the fact reading";
    return result;
}

TFormWriteResult WriteElementsTo(IBrowserControl& browser, const std::vector<TElementWrite>& writes,
                                 std::uint64_t token)
{
    TWaiter waiter;
    QSignalSpy done(&waiter, &TWaiter::Done);
    TFormWriteResult result;
    browser.WriteElements(writes, token, &waiter, [&](const TFormWriteResult& written) {
        result = written;
        emit waiter.Done();
    });
    EXPECT_TRUE(done.wait(PageWaitMs)) << "no answer to the element writes";
    return result;
}

#include "WebPageSupport.moc"
