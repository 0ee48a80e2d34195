// The browser pane on its own with a fake browser: its buttons, Fill and
// the signals the window hears.
#include "FakeBrowserControl.h"
#include "SampleProject.h"

#include "browser/BrowserPane.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(BrowserPane, FillsThroughItsBrowserAndReportsTheEnd)
{
    TBrowserPane pane(QStringLiteral("http://home.example/"));
    auto owned = std::make_unique<TFakeBrowserControl>();
    TFakeBrowserControl& browser = *owned;
    pane.SetBrowserControl(std::move(owned));
    TFakeElement email;
    email.Name = "email";
    browser.Forms = {{email}};

    // The Fill button only asks; the window answers with the project.
    QSignalSpy requested(&pane, &TBrowserPane::FillRequested);
    QTest::mouseClick(pane.btnFill, Qt::LeftButton);
    EXPECT_EQ(requested.count(), 1);
    pane.Fill(nullptr);
    EXPECT_EQ(browser.PageCallCount(), 0) << "no project, no page call";

    QSignalSpy finished(&pane, &TBrowserPane::FillFinished);
    QSignalSpy failed(&pane, &TBrowserPane::FillFailed);
    const TDProject project = SampleProject();
    pane.Fill(&project);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(browser.Element(0, 0).Value, "ada@example.org");
    EXPECT_EQ(failed.count(), 0);

    browser.FormsUnreachable = true;
    pane.Fill(&project);
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(failed.count(), 1);
    EXPECT_FALSE(failed[0][0].toString().isEmpty());

    QTest::mouseClick(pane.btnHome, Qt::LeftButton);
    EXPECT_EQ(browser.Log.back(), "Navigate http://home.example/");
}
