// The form walk on real pages in the browser engine.
#include "SampleProject.h"
#include "WebPageSupport.h"

#include "browser/FillTask.h"
#include "browser/PageFormFields.h"
#include "browser/WebEngineBrowser.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>

namespace {

class WebPageForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        View = std::make_unique<QWebEngineView>();
        View->resize(800, 600);
        Browser = std::make_unique<TWebEngineBrowser>(*View);
    }
    void TearDown() override
    {
        Browser.reset();
        View.reset();
    }

    void Load(const QString& page) { ASSERT_TRUE(LoadPage(*View, TestPage(page))) << page.toStdString(); }
    QJsonValue ValueOf(const QString& id)
    {
        return Probe(*View, QStringLiteral("document.getElementById('%1').value").arg(id));
    }
    TFillOutcome Fill(const TDProject& project)
    {
        TFillTask task(*Browser, project);
        QSignalSpy finished(&task, &TFillTask::Finished);
        task.Start();
        EXPECT_TRUE(finished.wait(PageWaitMs));
        return task.Outcome();
    }

    std::unique_ptr<QWebEngineView> View;
    std::unique_ptr<TWebEngineBrowser> Browser;
};

std::vector<std::string> Names(const TFormRead& read)
{
    std::vector<std::string> names;
    for (const auto& e : read.Elements)
        names.push_back(e.Name);
    return names;
}

TDProject Project()
{
    TDProject p = PersonProject("Site");
    p.City = "London";
    p.Titles = "Engines$$Second";
    p.Description = "Notes on engines$$more";
    return p;
}

QJsonValue Text(const std::string& s)
{
    return QJsonValue(QString::fromUtf8(s.c_str()));
}

} // namespace

TEST_F(WebPageForms, NoHtmlDocumentIsNeitherListedNorWritten)
{
    // Nothing loaded yet.
    TFormRead read = ReadForms(*Browser);
    EXPECT_EQ(read.End, TPageCallEnd::NoDocument);
    EXPECT_FALSE(read.IsHtmlDocument);
    EXPECT_EQ(WriteForms(*Browser, {{"email", "x"}}).End, TPageCallEnd::NoDocument);
    std::vector<std::string> callersList{"untouched"};
    TFieldListing listing;
    ListFormFields(*Browser, nullptr, [&listing](const TFieldListing& l) { listing = l; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return listing.End != TPageCallEnd::Abandoned; }, PageWaitMs));
    ApplyListing(listing, callersList);
    EXPECT_EQ(callersList, std::vector<std::string>{"untouched"});

    // An image and a plain text file.
    QTemporaryDir dir;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir.filePath(QStringLiteral("picture.png"))));
    ASSERT_TRUE(LoadPage(*View, QUrl::fromLocalFile(dir.filePath(QStringLiteral("picture.png")))));
    EXPECT_EQ(ReadForms(*Browser).End, TPageCallEnd::NoDocument);
    EXPECT_EQ(WriteForms(*Browser, {{"email", "x"}}).End, TPageCallEnd::NoDocument);

    QFile text(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Name :email ; <form><input name=email></form>");
    text.close();
    ASSERT_TRUE(LoadPage(*View, QUrl::fromLocalFile(text.fileName())));
    EXPECT_EQ(ReadForms(*Browser).End, TPageCallEnd::NoDocument);
}

TEST_F(WebPageForms, PageWithoutFormsGivesAnEmptyListing)
{
    Load(QStringLiteral("no-forms.html"));
    const TFormRead read = ReadForms(*Browser);
    EXPECT_EQ(read.End, TPageCallEnd::Done);
    EXPECT_TRUE(read.IsHtmlDocument);
    EXPECT_TRUE(read.Elements.empty());
    const TFormWriteResult write = WriteForms(*Browser, {{"loose", "changed"}});
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(write.ElementsWritten, 0);
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('input').value")),
              QJsonValue(QStringLiteral("outside any form")));
}

TEST_F(WebPageForms, ListsEveryElementOfEveryFormInOrder)
{
    Load(QStringLiteral("kinds.html"));
    const TFormRead read = ReadForms(*Browser);
    ASSERT_EQ(read.End, TPageCallEnd::Done);
    EXPECT_NE(read.DocumentToken, 0u);
    // The empty first form contributes nothing; nameless elements are listed.
    EXPECT_EQ(Names(read), (std::vector<std::string>{"email", "", "notes", "state", "agree", "upload", "upload",
                                                      "go", "email", "upload"}));
    std::vector<std::string> tags;
    for (const auto& e : read.Elements)
        tags.push_back(e.TagName);
    EXPECT_EQ(tags, (std::vector<std::string>{"INPUT", "INPUT", "TEXTAREA", "SELECT", "INPUT", "INPUT", "INPUT",
                                               "BUTTON", "INPUT", "INPUT"}));
    EXPECT_EQ(FormFieldLine(read.Elements[0]),
              "Name :email ; ID :em1 ; TagName :INPUT ; toString :[object HTMLInputElement] ; innerText : ; "
              "innerHTML :");
    EXPECT_EQ(read.Elements[1].ID, "anon");
    EXPECT_EQ(FormFieldLine(read.Elements[1]).rfind("Name : ; ID :anon", 0), 0u);
    EXPECT_EQ(read.Elements[7].InnerHTML, "Go <b>now</b>");
    EXPECT_EQ(read.Elements[7].ToString, "[object HTMLButtonElement]");
    EXPECT_NE(read.Elements[3].InnerHTML.find("<option>Kent</option>"), std::string::npos);

    // Reading the same document again gives the same token.
    EXPECT_EQ(ReadForms(*Browser).DocumentToken, read.DocumentToken);
}

TEST_F(WebPageForms, WritesEveryElementOfThatNameAndEveryKind)
{
    Load(QStringLiteral("kinds.html"));
    TFormWriteResult write = WriteForms(*Browser, {{"email", "a@b.c"},
                                                   {"notes", "line one\nline two"},
                                                   {"state", "Kent"},
                                                   {"agree", "on please"}});
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(write.ElementsWritten, 5);
    EXPECT_EQ(ValueOf(QStringLiteral("em1")), QJsonValue(QStringLiteral("a@b.c")));
    EXPECT_EQ(ValueOf(QStringLiteral("em2")), QJsonValue(QStringLiteral("a@b.c")));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('textarea').value")),
              QJsonValue(QStringLiteral("line one\nline two")));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('select').selectedIndex")), QJsonValue(1));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('[name=agree]').value")),
              QJsonValue(QStringLiteral("on please")));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('[name=agree]').checked")), QJsonValue(false));

    // A value the engine refuses (a file field's) ends that name's walk only:
    // the later fields of that name keep their values, the next name is written.
    ASSERT_EQ(Probe(*View, QStringLiteral("(document.getElementById('up2').value = 'before', "
                                          "document.getElementById('up3').value = 'before')")),
              QJsonValue(QStringLiteral("before")));
    write = WriteForms(*Browser, {{"upload", "C:\\file.txt"}, {"email", "second"}});
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(ValueOf(QStringLiteral("up2")), QJsonValue(QStringLiteral("before")));
    EXPECT_EQ(ValueOf(QStringLiteral("up3")), QJsonValue(QStringLiteral("before")));
    EXPECT_EQ(ValueOf(QStringLiteral("em2")), QJsonValue(QStringLiteral("second")));
    EXPECT_EQ(write.ElementsWritten, 2);
    // An empty value is one the file field takes, so that walk goes through.
    write = WriteForms(*Browser, {{"upload", ""}});
    EXPECT_EQ(write.ElementsWritten, 3);
    EXPECT_EQ(ValueOf(QStringLiteral("up3")), QJsonValue(QString()));
}

TEST_F(WebPageForms, NamesMatchExactlyAndTravelAsData)
{
    Load(QStringLiteral("odd-names.html"));
    const TFormRead read = ReadForms(*Browser);
    EXPECT_EQ(Names(read), (std::vector<std::string>{"  title ", "city;x", "Title", "title", "pr\xC3\xA9nom",
                                                      "q\"uote</script>"}));
    EXPECT_EQ(WriteForms(*Browser, {{"TITLE", "x"}, {"title ", "x"}}).ElementsWritten, 0);
    TFormWriteResult single;
    SetFieldValueByName(*Browser, "title", "only lower", nullptr, [&single](const TFormWriteResult& r) { single = r; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return single.End != TPageCallEnd::Abandoned; }, PageWaitMs));
    EXPECT_EQ(single.ElementsWritten, 1);
    EXPECT_EQ(ValueOf(QStringLiteral("lower")), QJsonValue(QStringLiteral("only lower")));
    EXPECT_EQ(ValueOf(QStringLiteral("upper")), QJsonValue(QString()));
    EXPECT_EQ(ValueOf(QStringLiteral("padded")), QJsonValue(QString()));
    const std::string hostile = "\"); throw 1; //\xE2\x80\xA8</script>'\\";
    TFormWriteResult write = WriteForms(*Browser, {{"pr\xC3\xA9nom", "Ad\xC3\xA1"}, {"q\"uote</script>", hostile}});
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(write.ElementsWritten, 2);
    EXPECT_EQ(ValueOf(QStringLiteral("accent")), Text("Ad\xC3\xA1"));
    EXPECT_EQ(ValueOf(QStringLiteral("quote")), Text(hostile));

    // Fill: the padded name is trimmed and the semicolon cuts the other, so
    // neither element is written; the two letter cases are written apart.
    const TFillOutcome outcome = Fill(Project());
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(outcome.FieldNames, (std::vector<std::string>{"title", "city", "Title", "title", "pr\xC3\xA9nom",
                                                             "q\"uote</script>"}));
    EXPECT_EQ(ValueOf(QStringLiteral("padded")), QJsonValue(QString()));
    EXPECT_EQ(ValueOf(QStringLiteral("semi")), QJsonValue(QString()));
    EXPECT_EQ(ValueOf(QStringLiteral("upper")), QJsonValue(QStringLiteral("Engines")));
    EXPECT_EQ(ValueOf(QStringLiteral("lower")), QJsonValue(QStringLiteral("Engines")));
}

TEST_F(WebPageForms, AnUnreadableElementEndsTheListingAndEachWalkThere)
{
    Load(QStringLiteral("cut.html"));
    // The custom field counts among the form's four fields.
    ASSERT_EQ(Probe(*View, QStringLiteral("document.forms[0].elements.length")), QJsonValue(4));
    const TFormRead read = ReadForms(*Browser);
    EXPECT_EQ(read.End, TPageCallEnd::Done);
    EXPECT_EQ(Names(read), std::vector<std::string>{"email"});
    // Each walk ends at the unreadable field; the next write walks again.
    const TFormWriteResult write = WriteForms(*Browser, {{"email", "e"}, {"zip", "z"}, {"email", "f"}});
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(write.ElementsWritten, 2);
    EXPECT_EQ(ValueOf(QStringLiteral("email")), QJsonValue(QStringLiteral("f")));
    EXPECT_EQ(ValueOf(QStringLiteral("email2")), QJsonValue(QString()));
    EXPECT_EQ(ValueOf(QStringLiteral("zip")), QJsonValue(QString()));
}

TEST_F(WebPageForms, NameLabelsInsideThePageYieldExtraNames)
{
    Load(QStringLiteral("inner-name.html"));
    const TFillOutcome outcome = Fill(Project());
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    // The button's text yields "email"; its inner HTML runs on into the next
    // line and swallows the name "title", which is therefore not filled.
    EXPECT_EQ(outcome.FieldNames, (std::vector<std::string>{"go", "email", "email\r\nName :title", "email"}));
    EXPECT_EQ(ValueOf(QStringLiteral("email")), QJsonValue(QStringLiteral("ada@example.org")));
    EXPECT_EQ(ValueOf(QStringLiteral("title")), QJsonValue(QString()));
}

TEST_F(WebPageForms, PageScriptsCannotDerailTheWalk)
{
    Load(QStringLiteral("hostile.html"));
    const TFormRead read = ReadForms(*Browser);
    ASSERT_EQ(read.End, TPageCallEnd::Done);
    EXPECT_EQ(Names(read), (std::vector<std::string>{"elements", "length", "email", "your_name", "title"}));
    EXPECT_EQ(read.Elements[0].ToString, "[object HTMLInputElement]");

    const TFillOutcome outcome = Fill(Project());
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(outcome.PageCalls, 2);
    EXPECT_EQ(ValueOf(QStringLiteral("email")), QJsonValue(QStringLiteral("ada@example.org")));
    EXPECT_EQ(ValueOf(QStringLiteral("name")), QJsonValue(QStringLiteral("Ada Lovelace")));
    EXPECT_EQ(ValueOf(QStringLiteral("title")), QJsonValue(QStringLiteral("Engines")));
    // What the form would send holds the values too, and the page's own
    // value setter never saw them.
    EXPECT_EQ(Probe(*View, QStringLiteral("new FormData(document.getElementById('f')).get('email')")),
              QJsonValue(QStringLiteral("ada@example.org")));
    EXPECT_EQ(ProbeMainWorld(*View, QStringLiteral("window.swallowed === undefined")), QVariant(true));
}

TEST_F(WebPageForms, FormsInFramesAreLeftAlone)
{
    Load(QStringLiteral("iframe.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return Probe(*View, QStringLiteral("!!(document.getElementById('inner').contentDocument"
                                               " && document.getElementById('inner').contentDocument"
                                               ".getElementById('framed'))"))
                   == QJsonValue(true);
        },
        PageWaitMs));
    const TFormRead read = ReadForms(*Browser);
    EXPECT_EQ(Names(read), std::vector<std::string>{"email"});
    Fill(Project());
    EXPECT_EQ(ValueOf(QStringLiteral("top")), QJsonValue(QStringLiteral("ada@example.org")));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.getElementById('inner').contentDocument"
                                          ".getElementById('framed').value")),
              QJsonValue(QString()));
}

TEST_F(WebPageForms, ScriptKeptFormsKeepTheFilledValues)
{
    Load(QStringLiteral("framework.html"));
    Fill(Project());
    // The page renders every field from its own state.
    ProbeMainWorld(*View, QStringLiteral("(window.renderNow(), 0)"));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('[name=email]').value")),
              QJsonValue(QStringLiteral("ada@example.org")));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('[name=your_name]').value")),
              QJsonValue(QStringLiteral("Ada Lovelace")));
    EXPECT_EQ(Probe(*View, QStringLiteral("document.querySelector('textarea').value")),
              QJsonValue(QStringLiteral("Notes on engines")));
    EXPECT_EQ(ProbeMainWorld(*View, QStringLiteral("window.appState.email")),
              QVariant(QStringLiteral("ada@example.org")));
}

TEST_F(WebPageForms, PageHandlersThatChangeTheFormAreFollowedLikeAPlainWalk)
{
    Load(QStringLiteral("mutating.html"));
    // Writing s1 makes the page insert a new "state" field at the front: a
    // plain walk, which read three elements at its start, then meets s1 again
    // and s2, and never the new field.
    TFormWriteResult write = WriteForms(*Browser, {{"state", "S"}});
    EXPECT_EQ(write.End, TPageCallEnd::Done);
    EXPECT_EQ(write.ElementsWritten, 3);
    EXPECT_EQ(ValueOf(QStringLiteral("s1")), QJsonValue(QStringLiteral("S")));
    EXPECT_EQ(ValueOf(QStringLiteral("s2")), QJsonValue(QStringLiteral("S")));
    EXPECT_EQ(ValueOf(QStringLiteral("n")), QJsonValue(QString()));
    // Writing the city replaces the zip field; the next write finds the new one.
    write = WriteForms(*Browser, {{"city", "C"}, {"zip", "Z"}});
    EXPECT_EQ(write.ElementsWritten, 2);
    EXPECT_EQ(ValueOf(QStringLiteral("c1")), QJsonValue(QStringLiteral("C")));
    EXPECT_EQ(ValueOf(QStringLiteral("z2")), QJsonValue(QStringLiteral("Z")));
}

TEST_F(WebPageForms, FillingNeverSubmits)
{
    Load(QStringLiteral("submit-guard.html"));
    const QUrl before = View->url();
    QSignalSpy loads(View.get(), &QWebEngineView::loadStarted);
    const TFillOutcome outcome = Fill(Project());
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(ValueOf(QStringLiteral("email")), QJsonValue(QStringLiteral("ada@example.org")));
    EXPECT_EQ(ProbeMainWorld(*View, QStringLiteral("window.submitted")), QVariant(false));
    EXPECT_EQ(loads.count(), 0);
    EXPECT_EQ(View->url(), before);
}
