#include "SampleProject.h"
#include "FakeBrowserControl.h"

#include "browser/FillTask.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

TFakeElement Field(std::string name)
{
    TFakeElement e;
    e.Name = std::move(name);
    return e;
}

TDProject Project()
{
    TDProject p = PersonProject("");
    p.Titles = "Engines$$Other";
    p.City = "London";
    return p;
}

// Runs one press to its end and returns what it did.
TFillOutcome Press(TFakeBrowserControl& browser, const TDProject& project = Project())
{
    TFillTask task(browser, project);
    QSignalSpy finished(&task, &TFillTask::Finished);
    task.Start();
    EXPECT_TRUE(task.Running());
    EXPECT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(task.Running());
    return task.Outcome();
}

} // namespace

TEST(FillTask, ListsOnceWritesOnceAndLastValueWins)
{
    TFakeBrowserControl browser;
    browser.Forms = {{Field("first_name"), Field("email"), Field("phone")}, {}, {Field("first_name"), Field("city")}};
    const TFillOutcome outcome = Press(browser);
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(outcome.PageCalls, 2);
    EXPECT_EQ(browser.PageCallCount(), 2);
    EXPECT_EQ(outcome.FieldNames, (std::vector<std::string>{"first_name", "email", "phone", "first_name", "city"}));
    ASSERT_EQ(browser.WriteCalls.size(), 1u);
    EXPECT_EQ(browser.Element(0, 0).Value, "Ada");
    EXPECT_EQ(browser.Element(2, 0).Value, "Ada");
    // Each of the two elements is written by rules 1 and 2, once per listed name.
    EXPECT_EQ(browser.Element(0, 0).Writes, 4);
    EXPECT_EQ(browser.Element(0, 1).Value, "ada@example.org");
    EXPECT_EQ(browser.Element(0, 2).Writes, 0);
    EXPECT_EQ(browser.Element(2, 1).Value, "London");
    EXPECT_EQ(outcome.ElementsWritten, 10);
}

TEST(FillTask, NothingToFillNeedsNoSecondCall)
{
    TFakeBrowserControl browser;
    browser.Forms = {{Field("phone"), Field("company")}};
    TFillOutcome outcome = Press(browser);
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(outcome.PageCalls, 1);
    EXPECT_TRUE(browser.WriteCalls.empty());

    TFakeBrowserControl noPage;
    noPage.HasHtmlDocument = false;
    outcome = Press(noPage);
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(outcome.PageCalls, 1);
    EXPECT_TRUE(outcome.FieldNames.empty());
    EXPECT_TRUE(noPage.WriteCalls.empty());
}

TEST(FillTask, UnreadableElementCutsTheListingAndThePressGoesOn)
{
    TFakeBrowserControl browser;
    TFakeElement broken = Field("city");
    broken.Unreadable = true;
    browser.Forms = {{Field("email"), broken, Field("title")}, {Field("city")}};
    const TFillOutcome outcome = Press(browser);
    EXPECT_EQ(outcome.End, TPageCallEnd::Done);
    EXPECT_EQ(outcome.FieldNames, std::vector<std::string>{"email"});
    EXPECT_EQ(browser.Element(0, 0).Value, "ada@example.org");
    EXPECT_EQ(browser.Element(0, 2).Value, ""); // after the cut: neither listed nor written
    EXPECT_EQ(browser.Element(1, 0).Value, "");
}

TEST(FillTask, UnreachableFormsEndThePressAsAFailure)
{
    TFakeBrowserControl browser;
    browser.FormsUnreachable = true;
    browser.Forms = {{Field("email")}};
    const TFillOutcome outcome = Press(browser);
    EXPECT_EQ(outcome.End, TPageCallEnd::Failed);
    EXPECT_EQ(outcome.Error, "forms unreachable");
    EXPECT_TRUE(browser.WriteCalls.empty());
}

TEST(FillTask, WritesOnlyIntoTheDocumentThatWasRead)
{
    // The page is replaced between the listing and the write.
    class TReplacingBrowser : public TFakeBrowserControl {
    public:
        void ReadFormElements(QObject* context, TReadDone done) override
        {
            TFakeBrowserControl::ReadFormElements(context, std::move(done));
            DocumentToken = 8;
        }
    } browser;
    browser.Forms = {{Field("email")}};
    const TFillOutcome outcome = Press(browser);
    ASSERT_EQ(browser.WriteCalls.size(), 1u);
    EXPECT_EQ(outcome.End, TPageCallEnd::Abandoned);
    EXPECT_EQ(browser.Element(0, 0).Value, "");
}

TEST(FillTask, AnswersAfterTheTaskIsGoneAreDropped)
{
    TFakeBrowserControl browser;
    browser.Forms = {{Field("email")}};
    browser.AnswerAtOnce = false;
    auto task = std::make_unique<TFillTask>(browser, Project());
    task->Start();
    task.reset();
    browser.AnswerWaiting();
    // Answers are delivered in order: once this later one has run, the
    // listing's answer has been handled (or dropped).
    bool drained = false;
    QTimer::singleShot(0, &browser, [&drained] { drained = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return drained; }, 20000));
    EXPECT_TRUE(browser.WriteCalls.empty());
    EXPECT_EQ(browser.PageCallCount(), 1);
}

TEST(FillTask, AbandonedListingEndsQuietly)
{
    // A page that went away (the answer never came) ends the press without writes.
    class TAbandoningBrowser : public TFakeBrowserControl {
    public:
        void ReadFormElements(QObject* context, TReadDone done) override
        {
            TFakeBrowserControl::ReadFormElements(context, [done](const TFormRead&) {
                TFormRead gone;
                gone.End = TPageCallEnd::Abandoned;
                done(gone);
            });
        }
    } browser;
    browser.Forms = {{Field("email")}};
    const TFillOutcome outcome = Press(browser);
    EXPECT_EQ(outcome.End, TPageCallEnd::Abandoned);
    EXPECT_TRUE(browser.WriteCalls.empty());
}
