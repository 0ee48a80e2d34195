// Smart Fill: the decision unit on facts alone, its page script on a real
// page, the mode switch of the browser pane, and the window's status line.
#include "FakeBrowserControl.h"
#include "TestSupport.h"
#include "WebPageSupport.h"

#include "browser/BrowserPane.h"
#include "browser/SmartFill.h"
#include "browser/WebEngineBrowser.h"
#include "common/UUtils.h"
#include "shell/FMain.h"
#include "store/RecordText.h"
#include "toolkit/MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

TDProject Bakery()
{
    TDProject p;
    p.ProjName = "Sample Bakery";
    p.FirstName = "Ann";
    p.LastName = "Baker";
    p.Email = "ann@sample-bakery.example";
    p.Password = "change-me";
    p.MainURL = "http://www.sample-bakery.example/";
    p.Titles = "Sample Bakery - fresh bread$$Second";
    p.Description = "Family bakery.$$More";
    return p; // no reciprocal address
}

TFieldFacts Text(std::string name, std::string label, int form = 1)
{
    TFieldFacts f;
    f.Form = form;
    f.Tag = "input";
    f.Type = "text";
    f.Name = std::move(name);
    f.Label = std::move(label);
    f.Shown = true;
    return f;
}

} // namespace

TEST(SmartFillDecisions, EachFieldByWhatItShowsAndOnlyInTheFormAPersonFills)
{
    std::vector<TFieldFacts> fields;
    auto add = [&fields](TFieldFacts f) {
        fields.push_back(std::move(f));
        return static_cast<int>(fields.size() - 1);
    };
    // Form 0: the members' log-in box beside the submission form.
    add(Text("username", "Username", 0));
    TFieldFacts loginPassword = Text("password", "Password", 0);
    loginPassword.Type = "password";
    add(loginPassword);
    // Form 1: the submission form.
    const int title = add(Text("t", "Site title"));
    TFieldFacts url = Text("url", "URL");
    url.Value = url.DefaultValue = "http://";
    const int urlAt = add(url);
    TFieldFacts typed = Text("description", "Description");
    typed.Value = "Typed by the user";
    add(typed);
    TFieldFacts hiddenPassword = Text("password", "");
    hiddenPassword.Shown = false;
    add(hiddenPassword);
    add(Text("password", "Password")); // shown, but shows what is typed
    TFieldFacts password = Text("pw", "Password");
    password.Type = "password";
    const int passwordAt = add(password);
    const int email = add(Text("email", "E-mail"));
    const int repeat = add(Text("x9", "Repeat"));
    TFieldFacts readOnly = Text("keywords", "Keywords");
    readOnly.ReadOnly = true;
    add(readOnly);
    TFieldFacts disabled = Text("title2", "Title");
    disabled.Disabled = true;
    add(disabled);
    add(Text("recip", "Reciprocal URL"));
    TFieldFacts category = Text("cat", "Category:");
    category.Tag = "select";
    category.Type.clear();
    add(category);
    add(Text("code", "Security code *"));
    add(Text("phone", "Phone"));
    add(Text("facebook_url", "Facebook page"));
    TFieldFacts agree = Text("agree", "I agree (required)");
    agree.Type = "checkbox";
    agree.Required = true;
    add(agree);

    const TDProject p = Bakery();
    const TSmartPlan plan = PlanSmartFill(p, fields, 2);
    EXPECT_EQ(plan.Form, 1);
    const std::vector<TElementWrite> expected{
        {title, "Sample Bakery - fresh bread", ""},
        {urlAt, p.MainURL, "http://"},
        {passwordAt, p.Password, ""},
        {email, p.Email, ""},
        {repeat, p.Email, ""},
    };
    EXPECT_EQ(plan.Writes, expected);
    EXPECT_EQ(plan.Decisions.size(), fields.size());
    EXPECT_EQ(plan.LeftForUser, (std::vector<std::string>{"Reciprocal URL", "Category", "Security code", "I agree"}));
    EXPECT_EQ(SmartFillMessage(p.ProjName, plan, 5),
              "Filled 5 fields from Sample Bakery; left for you: Reciprocal URL, Category, Security code, I agree");
    EXPECT_EQ(SmartFillMessage(p.ProjName, plan, 1).rfind("Filled 1 field from Sample Bakery;", 0), 0u);

    // A page with forms but nothing the project holds, and a page without forms.
    const TSmartPlan nothing = PlanSmartFill(p, {Text("q", "Search"), Text("phone", "Phone")}, 1);
    EXPECT_TRUE(nothing.Writes.empty());
    EXPECT_EQ(SmartFillMessage(p.ProjName, nothing, 0), "Nothing on this page matched Sample Bakery");
    EXPECT_EQ(SmartFillMessage(p.ProjName, PlanSmartFill(p, {}, 0), 0), "No form on this page");
}

TEST(SmartFillPage, ReadsWhatAPersonSeesAndWritesOnlyWhereNothingWasTypedSince)
{
    QWebEngineView view;
    view.resize(800, 600);
    view.show();
    TWebEngineBrowser browser(view);
    ASSERT_TRUE(LoadPage(view, TestPage(QStringLiteral("smart-events.html"))));

    const TFieldFactsRead read = ReadFacts(browser);
    ASSERT_EQ(read.End, TPageCallEnd::Done);
    EXPECT_EQ(read.FormCount, 1);
    ASSERT_EQ(read.Fields.size(), 5u);
    EXPECT_EQ(read.Fields[0].Label, "Site title");
    EXPECT_EQ(read.Fields[1].DefaultValue, "http://");
    EXPECT_EQ(read.Fields[2].Label, "E-mail");
    EXPECT_FALSE(read.Fields[3].Shown);
    EXPECT_TRUE(read.Fields[2].Shown);
    EXPECT_EQ(read.Fields[4].Tag, "select");

    const TSmartPlan plan = PlanSmartFill(Bakery(), read.Fields, read.FormCount);
    ASSERT_EQ(plan.Writes.size(), 3u); // title, url, e-mail; not the hidden password
    // The user types into the title between the reading and the writing.
    Probe(view, QStringLiteral("document.getElementById('title').value = 'Typed'"));

    // A token of another document writes nothing.
    TFormWriteResult stale = WriteElementsTo(browser, plan.Writes, read.DocumentToken + 1);
    EXPECT_EQ(stale.End, TPageCallEnd::Abandoned);
    EXPECT_EQ(Probe(view, QStringLiteral("document.getElementById('url').value")), QJsonValue("http://"));

    const QUrl before = view.url();
    const TFormWriteResult written = WriteElementsTo(browser, plan.Writes, read.DocumentToken);
    EXPECT_EQ(written.End, TPageCallEnd::Done);
    EXPECT_EQ(written.ElementsWritten, 2);
    EXPECT_EQ(Probe(view, QStringLiteral("document.getElementById('title').value")), QJsonValue("Typed"));
    EXPECT_EQ(Probe(view, QStringLiteral("document.getElementById('url').value")),
              QJsonValue("http://www.sample-bakery.example/"));
    EXPECT_EQ(Probe(view, QStringLiteral("document.getElementById('email').value")),
              QJsonValue("ann@sample-bakery.example"));
    // The page heard each write as typing, and its submit on change was held back.
    EXPECT_EQ(ProbeMainWorld(view, QStringLiteral("window.events.join()")),
              QVariant(QStringLiteral("input url,change url,input email,change email")));
    EXPECT_EQ(ProbeMainWorld(view, QStringLiteral("window.submitted")), QVariant(false));
    EXPECT_EQ(view.url(), before);

    // After a reload the reading belongs to a page that is gone.
    ASSERT_TRUE(LoadPage(view, TestPage(QStringLiteral("smart-events.html"))));
    EXPECT_EQ(WriteElementsTo(browser, plan.Writes, read.DocumentToken).End, TPageCallEnd::Abandoned);
    EXPECT_EQ(Probe(view, QStringLiteral("document.getElementById('url').value")), QJsonValue("http://"));
}

TEST(BrowserPaneFill, ModeComesFromTheSettingsFileAndTheMenuAndIsKeptThere)
{
    TTempAppDir dir;
    const TDProject p = Bakery();
    {
        TBrowserPane pane(QStringLiteral("about:blank"), dir.Path());
        EXPECT_TRUE(pane.SmartFill()); // no settings file yet
        EXPECT_TRUE(pane.actSmartFill->isChecked());
        EXPECT_EQ(pane.btnFill->menu(), pane.mnuFill);
        auto fake = std::make_unique<TFakeBrowserControl>();
        TFakeBrowserControl& browser = *fake;
        pane.SetBrowserControl(std::move(fake));
        browser.FactFields = {Text("email", "E-mail", 0)};
        browser.FactFormCount = 1;
        TFakeElement email;
        email.Name = "email";
        browser.Forms = {{email}};

        QSignalSpy message(&pane, &TBrowserPane::FillMessage);
        QSignalSpy finished(&pane, &TBrowserPane::FillFinished);
        pane.Fill(&p);
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_EQ(browser.FactFields[0].Value, p.Email);
        EXPECT_TRUE(browser.WriteCalls.empty());
        ASSERT_EQ(message.count(), 1);
        EXPECT_EQ(message[0][0].toString(), QStringLiteral("Filled 1 field from Sample Bakery"));

        // Unchecked, the button runs the name rules and says nothing after a press.
        pane.actSmartFill->trigger();
        EXPECT_FALSE(pane.SmartFill());
        ASSERT_EQ(message.count(), 2);
        EXPECT_TRUE(message[1][0].toString().isEmpty());
        pane.Fill(&p);
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_EQ(browser.Element(0, 0).Value, p.Email);
        EXPECT_EQ(browser.ElementWriteCalls.size(), 1u);
        EXPECT_EQ(message.count(), 2);
    }
    EXPECT_NE(dir.Read("Tarnwick.ini").find("Mode=rules"), std::string::npos);
    TBrowserPane again(QStringLiteral("about:blank"), dir.Path());
    EXPECT_FALSE(again.SmartFill());
    EXPECT_FALSE(again.actSmartFill->isChecked());

    // The menu opens from the keyboard on the focused button.
    again.show();
    bool opened = false;
    QTimer::singleShot(0, &again, [&] {
        opened = again.mnuFill->isVisible();
        again.mnuFill->close();
    });
    QTest::keyClick(again.btnFill, Qt::Key_F4);
    EXPECT_TRUE(opened);

    // A settings file that cannot be written is reported; the choice holds for the run.
    dir.Write("blocked", "a file where a folder should be");
    TBrowserPane blocked(QStringLiteral("about:blank"), dir.File(QStringLiteral("blocked/")));
    QSignalSpy failed(&blocked, &TBrowserPane::FillFailed);
    blocked.SetSmartFill(false);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_TRUE(failed[0][0].toString().contains(QStringLiteral("Tarnwick.ini")));
    EXPECT_FALSE(blocked.SmartFill());
    EXPECT_EQ(dir.Read("blocked"), "a file where a folder should be");
}

TEST(MainFill, SmartFillByDefaultTellsTheOutcomeInTheStatusBar)
{
    TMessageBox::ClearScript();
    TTempAppDir appDir;
    TMainOptions options;
    options.AppDir = appDir.Path();
    options.ArmStartupTimer = false;
    TfrmMain main(options);
    const TDProject p = Bakery();
    main.FProjects->Append(AsciiUpper(p.ProjName), std::make_unique<TDProject>(p));
    main.FillProjects();
    main.show();

    const std::pair<QUrl, QString> pages[] = {
        {TestPage(QStringLiteral("smart-events.html")), QStringLiteral("Filled 3 fields from Sample Bakery; "
                                                                       "left for you: category")},
        {QUrl(QStringLiteral("data:text/html,<form><input name=q aria-label=Search></form>")),
         QStringLiteral("Nothing on this page matched Sample Bakery")},
        {TestPage(QStringLiteral("no-forms.html")), QStringLiteral("No form on this page")},
    };
    for (const auto& [url, line] : pages) {
        SCOPED_TRACE(url.toString().toStdString());
        ASSERT_TRUE(LoadPage(*main.EmbeddedWB1, url));
        QSignalSpy filled(&main, &TfrmMain::FillFinished);
        main.btnFill->click();
        ASSERT_TRUE(filled.wait(PageWaitMs));
        EXPECT_EQ(main.MainStatusPanel->text(), line);
    }
    EXPECT_TRUE(TMessageBox::Shown().empty());
}
