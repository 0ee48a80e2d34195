// Start-up and close of the main window with good, missing and damaged
// directory databases.
#include "TestSupport.h"

#include "store/DataFileCipher.h"
#include "shell/FMain.h"
#include "toolkit/MessageBox.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string DatabaseOf(int count)
{
    std::string text;
    for (int n = 0; n < count; ++n)
        text += "^Dir " + std::to_string(n) + "^http://d" + std::to_string(n) + ".example/^Cat^Free^"
                + std::to_string(n % 10) + "^" + std::to_string(n * 3) + "^extra^\r\n";
    return EncryptData(text);
}

// Starts the window on `dir`, answers what it shows with OK, closes it.
std::vector<TShownMessage> StartAndClose(const TTempAppDir& dir, int* listed = nullptr,
                                         QString* status = nullptr)
{
    TMessageBox::ClearScript();
    for (int i = 0; i < 4; ++i)
        TMessageBox::SetNextAnswer(MsgResult::OK);
    {
        TMainOptions options;
        options.AppDir = dir.Path();
        options.ArmStartupTimer = false;
        TfrmMain window(options);
        if (listed)
            *listed = window.lvwItems->model()->rowCount();
        if (status)
            *status = window.stpItems->text();
        window.close();
    }
    std::vector<TShownMessage> shown = TMessageBox::Shown();
    TMessageBox::ClearScript();
    return shown;
}

} // namespace

TEST(DirectoriesStartup, GoodDatabaseIsListedAndWrittenBack)
{
    TTempAppDir dir;
    dir.Write("Directories.dat", DatabaseOf(3));
    int listed = -1;
    QString status;
    EXPECT_TRUE(StartAndClose(dir, &listed, &status).empty());
    EXPECT_EQ(listed, 3);
    EXPECT_EQ(status, "3 directories listed");
    std::string plain;
    ASSERT_TRUE(DecryptData(dir.Read("Directories.dat"), plain));
    EXPECT_EQ(plain.substr(0, plain.find("\r\n")), "^Dir 0^http://d0.example/^Cat^Free^0^0^extra^");
    EXPECT_FALSE(dir.Exists("Directories.sim"));
    EXPECT_FALSE(dir.Exists("Directories.damaged.dat"));

    TTempAppDir none;
    EXPECT_TRUE(StartAndClose(none, &listed, &status).empty());
    EXPECT_EQ(listed, 0);
    EXPECT_EQ(status, "0 directories listed");
    EXPECT_EQ(none.Read("Directories.dat").size(), 20u);
}

TEST(DirectoriesStartup, DamagedDatabasesAreKeptAndExplained)
{
    const std::string good = DatabaseOf(30);
    std::string header = good;
    header[9] = static_cast<char>(header[9] ^ 0x10);
    std::string body = good;
    body[200] = static_cast<char>(body[200] ^ 0x10);
    const struct {
        const char* Name;
        std::string Bytes;
        const char* Says;
        int Listed;
    } cases[] = {
        {"damaged header", header, "password check", 0},
        {"damaged body", body, "authentication code", 30},
        {"truncated", good.substr(0, good.size() / 2), "authentication code", -1},
        {"zero bytes", "", "too short", 0},
    };
    for (const auto& c : cases) {
        TTempAppDir dir;
        dir.Write("Directories.dat", c.Bytes);
        int listed = -1;
        const std::vector<TShownMessage> shown = StartAndClose(dir, &listed);
        ASSERT_EQ(shown.size(), 1u) << c.Name;
        EXPECT_EQ(shown[0].Kind, mkWarning);
        EXPECT_TRUE(shown[0].Text.contains(QString::fromLatin1(c.Says))) << c.Name;
        EXPECT_TRUE(shown[0].Text.contains("Directories.damaged.dat")) << c.Name;
        if (c.Listed >= 0) {
            EXPECT_EQ(listed, c.Listed) << c.Name;
        }
        // The original bytes survive the close; the new database is whole.
        ASSERT_TRUE(dir.Exists("Directories.damaged.dat")) << c.Name;
        EXPECT_EQ(dir.Read("Directories.damaged.dat"), c.Bytes) << c.Name;
        std::string plain;
        EXPECT_TRUE(DecryptData(dir.Read("Directories.dat"), plain)) << c.Name;
        EXPECT_FALSE(dir.Exists("Directories.sim")) << c.Name;

        // The next start finds a sound database and says nothing.
        EXPECT_TRUE(StartAndClose(dir).empty()) << c.Name;
        EXPECT_EQ(dir.Read("Directories.damaged.dat"), c.Bytes) << c.Name;
        EXPECT_FALSE(dir.Exists("Directories.damaged-2.dat")) << c.Name;
    }
}

TEST(DirectoriesStartup, EarlierCopiesAreNeverReplaced)
{
    TTempAppDir dir;
    dir.Write("Directories.damaged.dat", "an earlier copy");
    dir.Write("Directories.dat", "damaged");
    const std::vector<TShownMessage> shown = StartAndClose(dir);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].Text.contains("Directories.damaged-2.dat"));
    EXPECT_EQ(dir.Read("Directories.damaged.dat"), "an earlier copy");
    EXPECT_EQ(dir.Read("Directories.damaged-2.dat"), "damaged");
    EXPECT_EQ(dir.Read("Directories.dat").size(), 20u);
}

TEST(DirectoriesStartup, UnreadableDatabaseIsNeverWrittenOver)
{
    TTempAppDir dir;
    ASSERT_TRUE(QDir(dir.Path()).mkdir("Directories.dat"));
    const std::vector<TShownMessage> shown = StartAndClose(dir);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Kind, mkError);
    EXPECT_TRUE(QFileInfo(dir.File("Directories.dat")).isDir());
}

TEST(DirectoriesStartup, OneDirectoryAndHeaderClicksInTheWindow)
{
    TTempAppDir dir;
    dir.Write("Directories.dat", DatabaseOf(1));
    int listed = -1;
    QString status;
    EXPECT_TRUE(StartAndClose(dir, &listed, &status).empty());
    EXPECT_EQ(status, "1 directories listed");

    dir.Write("Directories.dat", DatabaseOf(12)); // PR n % 10: rows 0..9, then 10 and 11 again 0 and 1
    TMainOptions options;
    options.AppDir = dir.Path();
    options.ArmStartupTimer = false;
    TfrmMain window(options);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QHeaderView* header = window.lvwItems->horizontalHeader();
    const QPoint onPR(header->sectionViewportPosition(3) + header->sectionSize(3) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onPR);
    QAbstractItemModel* model = window.lvwItems->model();
    auto prAt = [&](int row) { return model->index(row, 3).data().toString(); };
    EXPECT_EQ(prAt(0), "0");
    EXPECT_EQ(prAt(11), "9");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onPR);
    EXPECT_EQ(prAt(0), "9");
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    // The collection, and so the saved file, keeps its order.
    EXPECT_EQ(window.FDirectories->RecordAt(0).Title, "Dir 0");
    EXPECT_EQ(window.stpItems->text(), "12 directories listed");
    window.close();
}
