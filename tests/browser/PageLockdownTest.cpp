// A hostile page in the embedded browser: it reaches no local file, starts no
// program, and the windows it opens stay in the view.
#include "WebPageSupport.h"

#include "browser/WebEngineBrowser.h"

#include "LoopbackHttpServer.h"
#include "TestSupport.h"

#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

// What the desktop would have been asked to open.
class TSchemeRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> Opened;
    Q_INVOKABLE void Open(const QUrl& url) { Opened.push_back(url); }
};

const char* const HostilePage = R"(<!DOCTYPE html>
<html><head><link rel="stylesheet" href="style.css"></head>
<body style="margin:0">
<a id="scheme" href="tarnwick-probe:run" style="display:block;height:50px">program</a>
<a id="popup" href="@WEB@second.html" target="_blank" style="display:block;height:50px">window</a>
<a id="file" href="../Projects.dat" style="display:block;height:50px">file</a>
<script>
window.results = {};
window.clicks = [];
document.addEventListener('click', function (e) { clicks.push(e.target.id); }, true);
function read(name, url) {
  try {
    var x = new XMLHttpRequest();
    x.open('GET', url);
    x.onload = function () { results[name] = 'read: ' + x.responseText; };
    x.onerror = function () { results[name] = 'refused'; };
    x.send();
  } catch (e) { results[name] = 'refused'; }
}
function show(name, url) {
  var img = new Image();
  img.onload = function () { results[name] = 'shown'; };
  img.onerror = function () { results[name] = 'refused'; };
  img.src = url;
}
read('beside', 'beside.txt');
read('projects', '../Projects.dat');
show('picture beside', 'beside.png');
show('picture elsewhere', '../elsewhere.png');
show('program resource', 'qrc:/qt-project.org/qmessagebox/images/qtlogo-64.png');
</script></body></html>)";

} // namespace

TEST(PageLockdown, AHostilePageReachesNoFileNoProgramAndNoOtherWindow)
{
    TTempAppDir dir;
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("page")));
    dir.Write("Projects.dat", "^Client^secret^\r\n");
    TLoopbackHttpServer web;
    web.SetBody("/second.html", "<!DOCTYPE html><title>second</title>");
    dir.Write("page/locked.html", QString::fromLatin1(HostilePage).replace("@WEB@", web.BaseURL()).toStdString());
    dir.Write("page/beside.txt", "beside");
    dir.Write("page/style.css", "body { background: rgb(1, 2, 3); }");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(dir.File("page/beside.png")));
    ASSERT_TRUE(picture.save(dir.File("elsewhere.png")));
    ASSERT_TRUE(QFile::exists(QStringLiteral(":/qt-project.org/qmessagebox/images/qtlogo-64.png")));

    TSchemeRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("tarnwick-probe"), &desktop, "Open");
    QWebEngineView view;
    view.resize(400, 300);
    TWebEngineBrowser browser(view);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(LoadPage(view, QUrl::fromLocalFile(dir.File("page/locked.html"))));

    ASSERT_TRUE(QTest::qWaitFor([&] { return ProbeMainWorld(view, "Object.keys(results).length").toInt() == 5; },
                                PageWaitMs));
    const QVariantMap results = ProbeMainWorld(view, "results").toMap();
    // Nothing but the page itself comes from the disk: neither what script
    // reads nor what the page shows, near it or elsewhere.
    for (const char* name : {"beside", "projects", "picture beside", "picture elsewhere", "program resource"})
        EXPECT_EQ(results.value(name).toString(), "refused") << name;
    EXPECT_NE(ProbeMainWorld(view, "getComputedStyle(document.body).backgroundColor").toString(), "rgb(1, 2, 3)");

    // A user's clicks: on a link to another scheme (the desktop would start
    // its handler), on a local file, then on a link that opens a new window.
    QWidget* surface = view.focusProxy();
    ASSERT_NE(surface, nullptr);
    QSignalSpy refused(&browser, &TWebEngineBrowser::PageNavigationRefused);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, 25));
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, 125));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ProbeMainWorld(view, "clicks.length").toInt() == 2; }, PageWaitMs));
    EXPECT_EQ(ProbeMainWorld(view, "clicks.join()").toString(), "scheme,file");
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, 75));
    // The new window's page loads in this view; by then the earlier clicks have
    // long been dealt with, and none reached the desktop or the file.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.url().fileName() == "second.html"; }, PageWaitMs));
    EXPECT_TRUE(desktop.Opened.empty());
    for (const QWebEngineHistoryItem& item : view.history()->items())
        EXPECT_NE(item.url().fileName(), "Projects.dat");

    // The program itself opens no other scheme either.
    EXPECT_THROW(browser.Navigate(QStringLiteral("javascript:alert(1)")), TBrowserError);
    EXPECT_EQ(view.url().fileName(), "second.html");
    QDesktopServices::unsetUrlHandler(QStringLiteral("tarnwick-probe"));
}

#include "PageLockdownTest.moc"
