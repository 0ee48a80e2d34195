// Fill in both modes, scored on the corpus of submission forms under
// tests/browser/corpus. Each page marks the value a careful person types
// into a field (data-expect) and the text fields a person leaves alone
// (data-leave, with the reason); every other control must stay as it was.
#include "WebPageSupport.h"

#include "browser/FillTask.h"
#include "browser/SmartFillTask.h"
#include "browser/WebEngineBrowser.h"
#include "common/UUtils.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace {

TDProject CorpusProject()
{
    TDProject p;
    p.ProjName = "Sample Bakery";
    p.FirstName = "Ann";
    p.LastName = "Baker";
    p.Email = "ann@sample-bakery.example";
    p.Username = "annbaker";
    p.Password = "change-me";
    p.Address = "12 Mill Lane";
    p.City = "Springfield";
    p.State = "IL";
    p.Zip = "62701";
    p.MainURL = "http://www.sample-bakery.example/";
    p.RecpURL = "http://www.sample-bakery.example/links.html";
    p.Titles = "Sample Bakery - fresh bread every morning$$Sample Bakery, Springfield";
    p.Description = "Family bakery in Springfield baking bread every morning.$$Fresh bread.";
    p.Keywords = "bakery, bread, cakes$$artisan bread";
    return p;
}

// What a careful person types for each annotation.
QString Expected(const TDProject& p, const QString& key)
{
    const std::map<QString, std::string> values{
        {"name", p.FirstName + " " + p.LastName}, {"first", p.FirstName}, {"last", p.LastName},
        {"username", p.Username}, {"password", p.Password}, {"email", p.Email}, {"address", p.Address},
        {"city", p.City}, {"state", p.State}, {"zip", p.Zip}, {"org", p.ProjName},
        {"title", "Sample Bakery - fresh bread every morning"}, {"url", p.MainURL}, {"recip", p.RecpURL},
        {"desc", "Family bakery in Springfield baking bread every morning."}, {"keywords", "bakery, bread, cakes"},
    };
    const auto found = values.find(key);
    if (found == values.end()) {
        ADD_FAILURE() << "unknown annotation " << key.toStdString();
        return {};
    }
    return ToDisplay(found->second);
}

// Every control of the page: its annotations, and its state as one text.
const QString StateProbe = QStringLiteral(
    "Array.from(document.querySelectorAll('input,textarea,select')).map(function (el) {"
    "  var state = el.type === 'checkbox' || el.type === 'radio' ? String(el.checked)"
    "            : el.tagName === 'SELECT' ? String(el.selectedIndex) : el.value;"
    "  return { name: el.name, type: el.type, expect: el.getAttribute('data-expect'),"
    "           leave: el.getAttribute('data-leave'), state: state };"
    "})");

bool NeedsAnnotation(const QJsonObject& control)
{
    static const QStringList exempt{"hidden", "submit", "button", "image", "reset", "checkbox", "radio", "file",
                                    "select-one", "select-multiple"};
    return !exempt.contains(control.value(QLatin1String("type")).toString());
}

struct TScore {
    int Expected = 0;
    int Right = 0;
    int Missed = 0;
    int Wrong = 0;
    std::string Faults;
};

class SmartFillCorpus : public ::testing::Test {
protected:
    void SetUp() override
    {
        View = std::make_unique<QWebEngineView>();
        View->resize(1000, 800);
        View->show();
        Browser = std::make_unique<TWebEngineBrowser>(*View);
    }

    // Loads the page afresh, fills it in one mode and scores what changed.
    TScore Score(const QString& path, bool smart, std::string* message = nullptr)
    {
        TScore score;
        EXPECT_TRUE(LoadPage(*View, QUrl::fromLocalFile(path))) << path.toStdString();
        const QJsonArray before = Probe(*View, StateProbe).toArray();
        if (smart) {
            TSmartFillTask task(*Browser, Project);
            QSignalSpy finished(&task, &TSmartFillTask::Finished);
            task.Start();
            EXPECT_TRUE(finished.wait(PageWaitMs));
            EXPECT_EQ(task.Outcome().End, TPageCallEnd::Done);
            EXPECT_LE(task.Outcome().PageCalls, 3);
            if (message)
                *message = task.Outcome().Message;
        } else {
            TFillTask task(*Browser, Project);
            QSignalSpy finished(&task, &TFillTask::Finished);
            task.Start();
            EXPECT_TRUE(finished.wait(PageWaitMs));
            EXPECT_EQ(task.Outcome().End, TPageCallEnd::Done);
        }
        const QJsonArray after = Probe(*View, StateProbe).toArray();
        EXPECT_EQ(before.size(), after.size());
        for (qsizetype i = 0; i < before.size() && i < after.size(); ++i) {
            const QJsonObject control = before[i].toObject();
            const QString was = control.value(QLatin1String("state")).toString();
            const QString now = after[i].toObject().value(QLatin1String("state")).toString();
            const QString name = control.value(QLatin1String("name")).toString();
            const QString expectKey = control.value(QLatin1String("expect")).toString();
            if (!expectKey.isEmpty()) {
                ++score.Expected;
                const QString want = Expected(Project, expectKey);
                if (now == want) {
                    ++score.Right;
                    continue;
                }
                ++(now == was ? score.Missed : score.Wrong);
                score.Faults += "  " + name.toStdString() + ": wanted \"" + want.toStdString() + "\", has \""
                                + now.toStdString() + "\"\n";
            } else if (now != was) {
                ++score.Wrong;
                score.Faults += "  " + name.toStdString() + " (left alone by a person): \"" + was.toStdString()
                                + "\" became \"" + now.toStdString() + "\"\n";
            }
        }
        return score;
    }

    const TDProject Project = CorpusProject();
    std::unique_ptr<QWebEngineView> View;
    std::unique_ptr<TWebEngineBrowser> Browser;
};

} // namespace

TEST_F(SmartFillCorpus, SmartModeFillsWhatAPersonFillsAndNothingElse)
{
    const QDir dir(QDir::cleanPath(QStringLiteral(TARNWICK_TEST_DATA_DIR "/../browser/corpus")));
    const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    ASSERT_GE(pages.size(), 25);

    TScore rulesTotal, smartTotal;
    std::printf("\n%-34s %6s | %-19s | %-19s\n", "corpus page", "fields", "rules right/miss/wrong",
                "smart right/miss/wrong");
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString path = dir.filePath(page);

        // Every text field of the page says what a person does with it.
        ASSERT_TRUE(LoadPage(*View, QUrl::fromLocalFile(path)));
        for (const QJsonValue& value : Probe(*View, StateProbe).toArray()) {
            const QJsonObject control = value.toObject();
            if (!NeedsAnnotation(control))
                continue;
            EXPECT_TRUE(control.value(QLatin1String("expect")).isString()
                        || control.value(QLatin1String("leave")).isString())
                << "unannotated field " << control.value(QLatin1String("name")).toString().toStdString();
        }

        const TScore rules = Score(path, false);
        std::string message;
        const TScore smart = Score(path, true, &message);
        std::printf("%-34s %6d | %5d %5d %5d     | %5d %5d %5d\n", page.toStdString().c_str(), smart.Expected,
                    rules.Right, rules.Missed, rules.Wrong, smart.Right, smart.Missed, smart.Wrong);
        ASSERT_GT(smart.Expected, 0);
        EXPECT_EQ(smart.Missed, 0) << smart.Faults;
        EXPECT_EQ(smart.Wrong, 0) << smart.Faults;
        EXPECT_EQ(message.rfind("Filled " + std::to_string(smart.Expected) + " fields from Sample Bakery", 0), 0u)
            << message;
        for (TScore* total : {&rulesTotal, &smartTotal}) {
            const TScore& s = total == &rulesTotal ? rules : smart;
            total->Expected += s.Expected;
            total->Right += s.Right;
            total->Missed += s.Missed;
            total->Wrong += s.Wrong;
        }
    }
    std::printf("%-34s %6d | %5d %5d %5d     | %5d %5d %5d\n", "total", smartTotal.Expected, rulesTotal.Right,
                rulesTotal.Missed, rulesTotal.Wrong, smartTotal.Right, smartTotal.Missed, smartTotal.Wrong);
    std::printf("rules: %.1f%% of the fields right, %.2f wrong writes per form; smart: %.1f%%, %.2f\n",
                100.0 * rulesTotal.Right / rulesTotal.Expected, double(rulesTotal.Wrong) / pages.size(),
                100.0 * smartTotal.Right / smartTotal.Expected, double(smartTotal.Wrong) / pages.size());
}
