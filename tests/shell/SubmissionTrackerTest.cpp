// Which directory a page belongs to, and the steps recorded for it.
#include "TestSupport.h"

#include "shell/SubmissionTracker.h"
#include "store/SubmissionLog.h"

#include <gtest/gtest.h>

namespace {

using S = TSubmissionStep;

struct TTrackerFixture {
    TTempAppDir Dir;
    TSubmissionLog Log;
    std::string Project = "Bakery";
    TSubmissionTracker Tracker{Log, [this] { return Project; }};

    TTrackerFixture() { Log.Open(Dir.File(QString::fromLatin1(TSubmissionLog::FileName))); }
    S Shown(const std::string& project, const std::string& title) { return Log.Entry(project, title).Shown(); }
    void Go(const char* address) { Tracker.AddressChanged(QUrl(QString::fromLatin1(address))); }
    void Sent(const char* from) { Tracker.FormSubmitted(QUrl(QString::fromLatin1(from)), QUrl()); }
};

} // namespace

TEST(SubmissionTracker, TheOpenedDirectoryOwnsItsSiteAndThePageItsFormLedTo)
{
    TTrackerFixture f;
    f.Go("http://previous.example/page");
    f.Tracker.DirectoryOpened("Linkstar", "www.linkstar.example/add");
    EXPECT_EQ(f.Shown("Bakery", "Linkstar"), S::Opened);
    // The page on its way out is not the directory's: a Fill there counts for nothing.
    f.Go("http://previous.example/page#top");
    f.Tracker.FillWrote(4);
    EXPECT_EQ(f.Shown("Bakery", "Linkstar"), S::Opened);

    f.Go("http://www.linkstar.example/add");
    f.Tracker.FillWrote(0);
    EXPECT_EQ(f.Shown("Bakery", "Linkstar"), S::Opened) << "a Fill that wrote nothing";
    f.Go("https://submit.linkstar.example/step2"); // another page of the same site
    f.Tracker.FillWrote(3);
    EXPECT_EQ(f.Shown("Bakery", "Linkstar"), S::Filled);
    // A form sent from another site is not this directory's.
    f.Sent("http://ads.example/banner");
    EXPECT_EQ(f.Shown("Bakery", "Linkstar"), S::Filled);
    f.Sent("https://submit.linkstar.example/step2");
    EXPECT_EQ(f.Shown("Bakery", "Linkstar"), S::Submitted);

    // The answer to the form may live elsewhere; it is still the directory's page.
    f.Go("http://thanks.partner.example/done");
    f.Go("http://thanks.partner.example/done#receipt");
    EXPECT_EQ(f.Tracker.Directory(), "Linkstar");
    // Anywhere else ends it, and coming back does not bring it back.
    f.Go("http://news.example/");
    EXPECT_EQ(f.Tracker.Directory(), "");
    f.Go("http://www.linkstar.example/add");
    f.Tracker.FillWrote(2);
    f.Sent("http://www.linkstar.example/add");
    EXPECT_EQ(f.Log.Entries("Bakery").size(), 1u);
}

TEST(SubmissionTracker, SubmittedOnlyAfterAFillAndForTheProjectThatFilled)
{
    TTrackerFixture f;
    // A search form on the directory's site sent before any Fill is no submission.
    f.Tracker.DirectoryOpened("Open Web Index", "http://owi.example/add");
    f.Go("http://owi.example/add");
    f.Sent("http://owi.example/add");
    EXPECT_EQ(f.Shown("Bakery", "Open Web Index"), S::Opened);
    f.Go("http://owi.example/search?q=cakes");

    // The directory's address redirects to a new domain: the site it landed on is its site.
    f.Tracker.DirectoryOpened("QuickList", "http://quicklist-old.example/");
    f.Go("https://www.quicklist.example/suggest");
    f.Tracker.FillWrote(5);
    // The user picks another project between Fill and sending the form.
    f.Project = "Garage";
    f.Sent("https://www.quicklist.example/suggest");
    EXPECT_EQ(f.Shown("Bakery", "QuickList"), S::Submitted);
    EXPECT_TRUE(f.Log.Entries("Garage").empty());

    // Without a project nothing is recorded, yet the page is still followed.
    f.Project.clear();
    f.Tracker.DirectoryOpened("Business Pages", "http://bp.example/");
    f.Go("http://bp.example/");
    f.Tracker.FillWrote(1);
    EXPECT_EQ(f.Tracker.Directory(), "Business Pages");
    EXPECT_EQ(f.Log.Entries("").size(), 0u);
    EXPECT_EQ(f.Shown("Bakery", "Business Pages"), S::None);
}
