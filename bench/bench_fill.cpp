// Fill on a page with 2,000 form elements, in rules mode and in smart mode:
// time from the press to the last write, and the number of round trips to
// the page. Prints its figures.
#include "browser/BrowserControl.h"
#include "browser/BrowserPane.h"
#include "browser/FillTask.h"
#include "browser/SmartFillTask.h"
#include "shell/FMain.h"
#include "shell/TApplication.h"
#include "toolkit/SortedComboBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ElementCount = 2000;
constexpr int Presses = 15;
constexpr int WaitMs = 60000;

// A long submission page: 20 forms of 100 fields, with the usual mix of
// names (most of which some rule fills), text areas and selection lists.
QByteArray BuildPage()
{
    static const char* const stems[] = {"first_name", "lastname", "email", "username", "password", "address",
                                        "city", "state", "zip", "website", "title", "site_url", "recip_url",
                                        "description", "keywords", "phone", "company", "category", "notes",
                                        "country"};
    QByteArray html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Long form</title></head><body>\n";
    int n = 0;
    for (int form = 0; form < 20; ++form) {
        html += "<form action=\"#\" id=\"f" + QByteArray::number(form) + "\">\n";
        for (int i = 0; i < ElementCount / 20; ++i, ++n) {
            const QByteArray name = QByteArray(stems[n % 20]) + "_" + QByteArray::number(n);
            if (n % 20 == 13)
                html += "<label>Description <textarea name=\"" + name + "\"></textarea></label>\n";
            else if (n % 20 == 17)
                html += "<select name=\"" + name + "\"><option>Arts</option><option>Business</option>"
                        "<option>Computers</option></select>\n";
            else
                html += "<label>Field " + QByteArray::number(n) + " <input name=\"" + name + "\"></label>\n";
        }
        html += "</form>\n";
    }
    html += "</body></html>\n";
    return html;
}

bool WaitFor(QObject* sender, const char* signal)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    QObject::connect(sender, signal, &loop, SLOT(quit()));
    timeout.start(WaitMs);
    return loop.exec() == 0;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    // The same environment as the browser tests.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 0);
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TApplication app(argc, argv);

    QTemporaryDir dir;
    QFile page(dir.filePath(QStringLiteral("long-form.html")));
    if (!page.open(QIODevice::WriteOnly) || page.write(BuildPage()) < 0) {
        std::fprintf(stderr, "bench_fill: cannot write the page\n");
        return 1;
    }
    page.close();

    // The name rules first; the smart presses switch the mode below.
    QFile settings(dir.filePath(QStringLiteral("Tarnwick.ini")));
    if (!settings.open(QIODevice::WriteOnly) || settings.write("[Fill]\nMode=rules\n") < 0) {
        std::fprintf(stderr, "bench_fill: cannot write the settings\n");
        return 1;
    }
    settings.close();
    TMainOptions options;
    options.AppDir = dir.path() + QLatin1Char('/');
    options.ArmStartupTimer = false;
    TfrmMain main(options);
    main.resize(919, 663);
    main.show();
    TDProject project;
    project.ProjName = "Bench";
    project.FirstName = "Ada";
    project.LastName = "Lovelace";
    project.Email = "ada@example.org";
    project.Titles = "Analytical Engines$$Second";
    project.Description = "Notes on engines";
    project.Keywords = "engines";
    project.MainURL = "http://ada.example.org/";
    main.FProjects->Append("BENCH", std::make_unique<TDProject>(project));
    main.FillProjects();

    main.EmbeddedWB1->load(QUrl::fromLocalFile(page.fileName()));
    if (!WaitFor(main.EmbeddedWB1, SIGNAL(loadFinished(bool)))) {
        std::fprintf(stderr, "bench_fill: the page did not load\n");
        return 1;
    }

    // What one press does, from a task of its own.
    TFillTask probe(main.Browser(), project);
    probe.Start();
    if (!WaitFor(&probe, SIGNAL(Finished())) || probe.Outcome().End != TPageCallEnd::Done) {
        std::fprintf(stderr, "bench_fill: the probe press failed\n");
        return 1;
    }
    const TFillOutcome outcome = probe.Outcome();

    // One press, timed from the click to the answer of the last write.
    std::vector<int> trips;
    auto press = [&](std::vector<double>& times) {
        const int callsBefore = main.Browser().PageCallCount();
        QElapsedTimer clock;
        clock.start();
        main.btnFill->click();
        if (!WaitFor(&main, SIGNAL(FillFinished())))
            return false;
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        trips.push_back(main.Browser().PageCallCount() - callsBefore);
        return true;
    };
    auto reload = [&] {
        main.EmbeddedWB1->reload();
        return WaitFor(main.EmbeddedWB1, SIGNAL(loadFinished(bool)));
    };

    // The page has been on screen a moment: a few empty page calls in a row
    // answer only once the engine has laid out and drawn the fresh page.
    auto settle = [&] {
        for (int i = 0; i < 3; ++i) {
            QEventLoop loop;
            main.EmbeddedWB1->page()->runJavaScript(QStringLiteral("0"), QWebEngineScript::ApplicationWorld,
                                                    [&loop](const QVariant&) { loop.quit(); });
            loop.exec();
        }
    };

    // The usual case: the page has been opened and is filled once.
    std::vector<double> settled;
    for (int i = 0; i < Presses; ++i) {
        if (!reload())
            return 1;
        settle();
        if (!press(settled)) {
            std::fprintf(stderr, "bench_fill: press %d did not finish\n", i + 1);
            return 1;
        }
    }
    // Pressed the moment loading ends: the engine first finishes drawing the page.
    std::vector<double> fresh;
    for (int i = 0; i < Presses; ++i)
        if (!reload() || !press(fresh)) {
            std::fprintf(stderr, "bench_fill: press %d did not finish\n", i + 1);
            return 1;
        }
    // Pressing again on a page just filled: the engine first lays out the
    // 1,800 fields whose values changed.
    std::vector<double> again;
    for (int i = 0; i < Presses; ++i)
        if (!press(again)) {
            std::fprintf(stderr, "bench_fill: repeated press %d did not finish\n", i + 1);
            return 1;
        }

    // The two page calls on their own, on a page on screen.
    std::vector<double> readTimes;
    std::vector<double> writeTimes;
    for (int i = 0; i < Presses; ++i) {
        if (!reload())
            return 1;
        settle();
        QEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        TFormRead read;
        main.Browser().ReadFormElements(&loop, [&](const TFormRead& r) {
            read = r;
            loop.quit();
        });
        loop.exec();
        readTimes.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        main.Browser().WriteFormFields(outcome.Writes, read.DocumentToken, &loop,
                                       [&](const TFormWriteResult&) { loop.quit(); });
        loop.exec();
        writeTimes.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }

    // The same presses in smart mode, from the button too.
    std::vector<int> rulesTrips;
    rulesTrips.swap(trips);
    main.FBrowserPane->SetSmartFill(true);
    if (!reload())
        return 1;
    TSmartFillTask smartProbe(main.Browser(), project);
    smartProbe.Start();
    if (!WaitFor(&smartProbe, SIGNAL(Finished())) || smartProbe.Outcome().End != TPageCallEnd::Done) {
        std::fprintf(stderr, "bench_fill: the smart probe press failed\n");
        return 1;
    }
    const TSmartFillOutcome smartOutcome = smartProbe.Outcome();
    std::vector<double> smartSettled, smartFresh, smartAgain;
    for (int i = 0; i < Presses; ++i) {
        if (!reload())
            return 1;
        settle();
        if (!press(smartSettled))
            return 1;
    }
    for (int i = 0; i < Presses; ++i)
        if (!reload() || !press(smartFresh))
            return 1;
    for (int i = 0; i < Presses; ++i)
        if (!press(smartAgain))
            return 1;
    std::vector<int> smartTrips;
    smartTrips.swap(trips);

    auto report = [](const char* what, const std::vector<double>& v) {
        std::printf("  %s: median %.1f ms, min %.1f ms, max %.1f ms over %zu presses\n", what, Median(v),
                    *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()), v.size());
    };
    std::printf("bench_fill: Fill on a page of %d form elements (%zu names listed, %zu writes, "
                "%d element writes)\n",
                ElementCount, outcome.FieldNames.size(), outcome.Writes.size(), outcome.ElementsWritten);
    report("press to last write, page on screen", settled);
    report("press to last write, the moment loading ends", fresh);
    report("press to last write, page filled just before", again);
    std::printf("  listing call alone: median %.1f ms; writing call alone: median %.1f ms\n", Median(readTimes),
                Median(writeTimes));
    std::printf("  round trips to the page per press: %d to %d\n",
                *std::min_element(rulesTrips.begin(), rulesTrips.end()),
                *std::max_element(rulesTrips.begin(), rulesTrips.end()));
    std::printf("bench_fill: Smart Fill on the same page (%zu fields read, %zu writes; %s)\n",
                smartOutcome.Plan.Decisions.size(), smartOutcome.Plan.Writes.size(), smartOutcome.Message.c_str());
    report("press to last write, page on screen", smartSettled);
    report("press to last write, the moment loading ends", smartFresh);
    report("press to last write, page filled just before", smartAgain);
    std::printf("  round trips to the page per press: %d to %d\n",
                *std::min_element(smartTrips.begin(), smartTrips.end()),
                *std::max_element(smartTrips.begin(), smartTrips.end()));
    main.close();
    return 0;
}
