// The submission log on disk: steps and marks, names that change, files it
// must refuse, and a writer killed in the middle of its changes.
#include "TestSupport.h"

#include "store/SubmissionLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using S = TSubmissionStep;

constexpr std::int64_t Day = 86400;
constexpr std::int64_t December10 = 1796860800; // 2026-12-10 00:00 UTC

struct TLogFixture {
    TTempAppDir Dir;
    std::int64_t Now = December10;

    QString Path() const { return Dir.File(QString::fromLatin1(TSubmissionLog::FileName)); }
    std::unique_ptr<TSubmissionLog> Open()
    {
        auto log = std::make_unique<TSubmissionLog>();
        log->SetClock([this] { return Now; });
        log->Open(Path());
        return log;
    }
};

// Writes a database at `path` through a connection of its own.
void MakeDatabase(const QString& path, const std::vector<QString>& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("maker"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& sql : statements)
            ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
}

QStringList FilesIn(const TTempAppDir& dir)
{
    return QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(SubmissionLog, StepsRiseMarksWinAndBothSurviveAReopen)
{
    TLogFixture f;
    {
        auto log = f.Open();
        EXPECT_EQ(log->State(), TLogState::NotCreated);
        EXPECT_TRUE(FilesIn(f.Dir).isEmpty()) << "opening alone writes nothing";

        ASSERT_TRUE(log->RecordStep("Bakery", "Open Web Index", "http://owi.example/add", S::Opened));
        EXPECT_TRUE(QFile::exists(f.Path()));
        f.Now += 60;
        ASSERT_TRUE(log->RecordStep("Bakery", "Open Web Index", "http://owi.example/add", S::Filled));
        // A lower step later changes nothing, date included.
        f.Now += 60;
        ASSERT_TRUE(log->RecordStep("bakery", "OPEN WEB INDEX", "http://owi.example/add", S::Opened));
        TSubmissionEntry entry = log->Entry("BAKERY", "open web index");
        EXPECT_EQ(entry.Shown(), S::Filled);
        EXPECT_EQ(entry.ShownAt(), December10 + 60);

        // The user's mark beats every automatic step until it is cleared.
        f.Now = December10 + Day;
        ASSERT_TRUE(log->SetMark("Bakery", "Open Web Index", "http://owi.example/add", S::Listed));
        f.Now = December10 + 2 * Day;
        ASSERT_TRUE(log->RecordStep("Bakery", "Open Web Index", "http://owi.example/add", S::Submitted));
        entry = log->Entry("Bakery", "Open Web Index");
        EXPECT_EQ(entry.Shown(), S::Listed);
        EXPECT_EQ(entry.ShownAt(), December10 + Day);
        EXPECT_TRUE(entry.Done());

        // Another project's entry for the same directory is its own.
        ASSERT_TRUE(log->SetMark("Garage", "Open Web Index", "http://owi.example/add", S::Rejected));
        ASSERT_TRUE(log->SetMark("Garage", "QuickList", "http://ql.example/", S::Submitted));
        ASSERT_TRUE(log->SetMark("Garage", "QuickList", "http://ql.example/", S::None));
        EXPECT_EQ(log->Entries("Garage").size(), 1u) << "a cleared mark with no step leaves no entry";
        EXPECT_EQ(log->Entries("Nobody").size(), 0u);
        // Only automatic steps are recorded as steps, only marks as marks.
        EXPECT_FALSE(log->RecordStep("Bakery", "X", "", S::Listed));
        EXPECT_FALSE(log->SetMark("Bakery", "X", "", S::Filled));
    }
    auto log = f.Open();
    ASSERT_EQ(log->State(), TLogState::Ready) << log->Problem().toStdString();
    EXPECT_TRUE(log->CheckPages());
    TSubmissionEntry entry = log->Entry("Bakery", "Open Web Index");
    EXPECT_EQ(entry.Step, S::Submitted);
    EXPECT_EQ(entry.StepAt, December10 + 2 * Day);
    EXPECT_EQ(entry.Mark, S::Listed);
    ASSERT_TRUE(log->SetMark("Bakery", "Open Web Index", "http://owi.example/add", S::None));
    EXPECT_EQ(log->Entry("Bakery", "Open Web Index").Shown(), S::Submitted);
    EXPECT_EQ(log->Entry("Garage", "Open Web Index").Shown(), S::Rejected);

    const std::string csv = SubmissionsToCsv(log->Records("Bakery"));
    const std::string date = QDateTime::fromSecsSinceEpoch(December10 + 2 * Day)
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                 .toStdString();
    EXPECT_EQ(csv, "Directory,URL,Step,Date\r\nOpen Web Index,http://owi.example/add,Submitted," + date + "\r\n");
}

TEST(SubmissionLog, HistoryFollowsRenamesAndLeavesWithItsProject)
{
    TLogFixture f;
    {
        auto log = f.Open();
        ASSERT_TRUE(log->RecordStep("Bakery", "Linkstar", "http://linkstar.example/", S::Filled));
        ASSERT_TRUE(log->SetMark("Bakery", "QuickList", "http://ql.example/", S::Listed));
        ASSERT_TRUE(log->SetMark("Cakes", "QuickList", "http://ql.example/", S::Rejected));
        ASSERT_TRUE(log->RecordStep("Cakes", "Open Web Index", "http://owi.example/", S::Opened));

        // A project renamed keeps its history under the new name only.
        ASSERT_TRUE(log->RenameProject("Bakery", "Bakery & Sons"));
        EXPECT_EQ(log->Entry("Bakery & Sons", "Linkstar").Shown(), S::Filled);
        EXPECT_TRUE(log->Entries("Bakery").empty());
        // A new address, then a new title: still the same directory's history.
        ASSERT_TRUE(log->UpdateDirectory("Linkstar", "Linkstar", "https://www.linkstar.example/submit"));
        ASSERT_TRUE(log->UpdateDirectory("Linkstar", "Linkstar Directory", "https://www.linkstar.example/submit"));
        EXPECT_EQ(log->Entry("Bakery & Sons", "Linkstar Directory").Shown(), S::Filled);
        EXPECT_EQ(log->Entry("Bakery & Sons", "Linkstar").Shown(), S::None);
        // Renamed onto a name with a history of its own: the two merge and that one's entries win.
        ASSERT_TRUE(log->RenameProject("Cakes", "bakery & sons"));
        EXPECT_EQ(log->Entry("Bakery & Sons", "QuickList").Shown(), S::Listed);
        EXPECT_EQ(log->Entry("Bakery & Sons", "Open Web Index").Shown(), S::Opened);
        EXPECT_TRUE(log->Entries("Cakes").empty());
        // Names without a history change nothing.
        ASSERT_TRUE(log->RenameProject("Nobody", "Somebody"));
        ASSERT_TRUE(log->UpdateDirectory("Unknown", "Other", "http://other.example/"));
        EXPECT_TRUE(log->Entries("Somebody").empty());
    }
    auto log = f.Open();
    ASSERT_TRUE(log->IsOpen()) << log->Problem().toStdString();
    const auto records = log->Records("Bakery & Sons");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Title, "Linkstar Directory");
    EXPECT_EQ(records[0].URL, "https://www.linkstar.example/submit");
    EXPECT_TRUE(log->HasHistory("BAKERY & SONS"));
    ASSERT_TRUE(log->DeleteProject("Bakery & Sons"));
    EXPECT_FALSE(log->HasHistory("Bakery & Sons"));
    log.reset();
    EXPECT_TRUE(f.Open()->Records("Bakery & Sons").empty());
}

TEST(SubmissionLog, FilesItCannotUseAreLeftAsTheyAreWithOneReason)
{
    struct TCase {
        const char* Name;
        TLogState State;
        const char* Says;
        std::function<void(const QString&)> Make;
    };
    const auto ours = [](int version) {
        return std::vector<QString>{QStringLiteral("PRAGMA application_id=%1").arg(TSubmissionLog::ApplicationId),
                                    QStringLiteral("PRAGMA user_version=%1").arg(version),
                                    QStringLiteral("CREATE TABLE future(x)")};
    };
    const TCase cases[] = {
        {"a text file", TLogState::NotOurs, "is not a submission log",
         [](const QString& path) { WriteFileBytes(path, std::string(3000, 'x') + "\r\n"); }},
        {"another program's database", TLogState::NotOurs, "is not a submission log",
         [](const QString& path) { MakeDatabase(path, {QStringLiteral("CREATE TABLE notes(text)")}); }},
        {"a newer version's log", TLogState::Newer, "newer version",
         [&](const QString& path) { MakeDatabase(path, ours(TSubmissionLog::SchemaVersion + 1)); }},
        {"a log with a damaged page", TLogState::Damaged, "is damaged",
         [](const QString& path) {
             {
                 TSubmissionLog log;
                 log.Open(path);
                 for (int i = 0; i < 150; ++i)
                     ASSERT_TRUE(log.RecordStep("P", "Directory " + std::to_string(i), "http://x.example/",
                                                TSubmissionStep::Opened));
             }
             std::string bytes = ReadFileBytes(path);
             ASSERT_GT(bytes.size(), 4 * 4096u);
             for (size_t i = 2 * 4096 + 8; i < 3 * 4096; ++i)
                 bytes[i] = '\xA5';
             WriteFileBytes(path, bytes);
         }},
        {"a log with a damaged header", TLogState::Damaged, "is damaged",
         [](const QString& path) {
             std::string bytes(std::string("SQLite format 3") + '\0' + std::string(4080, '\xFF'));
             WriteFileBytes(path, bytes);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLogFixture f;
        c.Make(f.Path());
        const std::string before = ReadFileBytes(f.Path());
        const QStringList filesBefore = FilesIn(f.Dir);

        auto log = f.Open();
        EXPECT_FALSE(log->CheckPages());
        EXPECT_EQ(log->State(), c.State);
        EXPECT_FALSE(log->IsOpen());
        EXPECT_TRUE(log->Problem().contains(QLatin1String(TSubmissionLog::FileName)));
        EXPECT_TRUE(log->Problem().contains(QLatin1String(c.Says))) << log->Problem().toStdString();
        // Commands that need the log say why, and write nothing.
        EXPECT_FALSE(log->RecordStep("P", "D", "http://d.example/", S::Opened));
        EXPECT_FALSE(log->SetMark("P", "D", "http://d.example/", S::Listed));
        EXPECT_EQ(log->LastError(), log->Problem());
        EXPECT_TRUE(log->Entries("P").empty());
        log.reset();
        EXPECT_EQ(ReadFileBytes(f.Path()), before);
        EXPECT_EQ(FilesIn(f.Dir), filesBefore);
    }
}

TEST(SubmissionLog, AKilledWriterLosesNoCommittedStepAndAHolderKeepsOthersOut)
{
    TLogFixture f;
    {
        QProcess writer;
        writer.start(QStringLiteral(TARNWICK_LOG_WRITER), {f.Path(), QStringLiteral("write")});
        ASSERT_TRUE(writer.waitForStarted());
        int last = 0;
        while (last < 200 && writer.waitForReadyRead(20000))
            while (writer.canReadLine())
                last = writer.readLine().trimmed().toInt();
        ASSERT_GE(last, 200) << writer.readAllStandardError().toStdString();
        // SIGKILL in the middle of its changes: nothing runs after it.
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished());
        while (writer.canReadLine())
            last = writer.readLine().trimmed().toInt();

        auto log = f.Open();
        ASSERT_EQ(log->State(), TLogState::Ready) << log->Problem().toStdString();
        ASSERT_TRUE(log->CheckPages()) << log->Problem().toStdString();
        const auto& entries = log->Entries("Killed");
        EXPECT_GE(entries.size(), static_cast<size_t>(last));
        for (int i = 1; i <= last; ++i) {
            const TSubmissionEntry entry = log->Entry("Killed", "Directory " + std::to_string(i));
            ASSERT_EQ(entry.Shown(), i % 2 ? S::Filled : S::Submitted) << i;
        }
        EXPECT_TRUE(log->RecordStep("Killed", "Directory 1", "http://d1.example/", S::Submitted));
    }

    QProcess holder;
    holder.start(QStringLiteral(TARNWICK_LOG_WRITER), {f.Path(), QStringLiteral("hold")});
    ASSERT_TRUE(holder.waitForReadyRead(20000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "ready");
    {
        auto log = f.Open();
        EXPECT_EQ(log->State(), TLogState::Locked);
        EXPECT_TRUE(log->Problem().contains(QLatin1String("another running copy"))) << log->Problem().toStdString();
        EXPECT_FALSE(log->RecordStep("Killed", "Directory 2", "http://d2.example/", S::Opened));
    }
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(20000));
    EXPECT_EQ(holder.exitCode(), 0);
    auto log = f.Open();
    ASSERT_EQ(log->State(), TLogState::Ready) << log->Problem().toStdString();
    EXPECT_EQ(log->Entry("Held", "Held directory").Shown(), S::Opened);
    EXPECT_EQ(log->Entry("Killed", "Directory 1").Shown(), S::Submitted);
}
