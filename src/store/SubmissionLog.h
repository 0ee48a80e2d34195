#pragma once
// The submission log: for every project and directory, the furthest step
// reached and when, kept in an SQLite database beside the data files.
//
// Projects and directories are known to the log by their names (project
// name, directory title) compared as the collections compare them, ASCII
// letters without regard to case. The log holds a row of its own for each,
// with a stable id its entries refer to, so renaming one re-keys a single
// row and the history stays. The two data files know nothing of the log.
//
// Every change is committed (synchronous=FULL) before the call returns, so
// what the window shows has reached the disk. The rollback journal undoes
// a change a killed program left half-done at the next open, and an
// exclusive lock held for as long as the log is open refuses a second
// running copy instead of letting it write beside the first.

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// Numbers as stored in the database: never renumber.
enum class TSubmissionStep : std::uint8_t {
    None = 0,
    Opened = 1,    // the directory's page was opened from the list
    Filled = 2,    // Fill wrote at least one field on that directory's page
    Submitted = 3, // after a Fill, that directory's site sent a form (or the user says so)
    Listed = 4,    // the user's mark: the site is listed
    Rejected = 5,  // the user's mark: the directory refused the site
};

// "Opened", "Filled", ...; empty for None.
QString StepName(TSubmissionStep step);

struct TSubmissionEntry {
    // The furthest step reached by itself (Opened, Filled or Submitted) and when,
    // in seconds since 1970 UTC.
    TSubmissionStep Step = TSubmissionStep::None;
    std::int64_t StepAt = 0;
    // The user's mark (Submitted, Listed or Rejected), which wins over Step until cleared.
    TSubmissionStep Mark = TSubmissionStep::None;
    std::int64_t MarkAt = 0;

    TSubmissionStep Shown() const { return Mark != TSubmissionStep::None ? Mark : Step; }
    std::int64_t ShownAt() const { return Mark != TSubmissionStep::None ? MarkAt : StepAt; }
    // Submitted, Listed or Rejected: nothing more to do for this directory.
    bool Done() const;
};

// One line of an export.
struct TSubmissionRecord {
    std::string Title;
    std::string URL;
    TSubmissionEntry Entry;
};

enum class TLogState {
    Closed,     // never opened, or closed
    Ready,      // open; the file exists and is locked by this program
    NotCreated, // open; the file does not exist yet and is made by the first change
    NotOurs,    // a file that is not a submission log of this program
    Damaged,    // a log whose contents fail SQLite's checks
    Locked,     // another running copy holds it
    Newer,      // made by a newer version of the program
    Failed,     // could not be opened or written (a missing driver, a full or read-only disk...)
};

class TSubmissionLog : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileName = "Submissions.db";
    // The schema this program writes (PRAGMA user_version); older ones are migrated at open.
    static constexpr int SchemaVersion = 1;
    // PRAGMA application_id of a submission log ("TWSL").
    static constexpr std::int32_t ApplicationId = 0x5457534C;

    // Entries of one project by TitleKey of the directory's title.
    using TEntries = std::unordered_map<std::uint64_t, TSubmissionEntry>;
    // A directory title as the entries are found by: a 64-bit FNV-1a hash of
    // the title with ASCII letters upper-cased, as the collections compare
    // titles. Numbers, not strings, so that a project of 100,000 entries is
    // read without 100,000 allocations; two of 100,000 titles share a hash
    // with a chance of about 1 in 3,000,000,000.
    static std::uint64_t TitleKey(std::string_view title);

    explicit TSubmissionLog(QObject* parent = nullptr);
    ~TSubmissionLog() override;

    // Opens the log at `path`; a missing file is made by the first change.
    // A file that cannot be used is left exactly as it is: the log stays
    // closed and Problem() says why in one message. Quick: the header and the
    // lock; the pages are checked by CheckPages.
    TLogState Open(const QString& path);
    // Runs SQLite's check of every page (a tenth of a second for 100,000
    // entries). A damaged log is closed as Open would have refused it; false
    // then, or when the log is not open.
    bool CheckPages();
    void Close();
    // True while changes can be recorded.
    bool IsOpen() const { return FState == TLogState::Ready || FState == TLogState::NotCreated; }
    TLogState State() const { return FState; }
    // Why the log is not open, for the user; empty while it is.
    QString Problem() const { return FProblem; }
    // The last change that failed, for the user.
    QString LastError() const { return FLastError; }

    // Seconds since 1970 UTC for each change; tests set their own clock.
    void SetClock(std::function<std::int64_t()> clock) { FClock = std::move(clock); }

    // The project's entries (empty when the log is closed). Read from the
    // database once per project, then kept in step with every change.
    const TEntries& Entries(const std::string& project);
    TSubmissionEntry Entry(const std::string& project, const std::string& title);

    // ---- changes: each is committed before it returns; false when it failed (LastError) ----
    // Raises the furthest automatic step (Opened, Filled, Submitted); a step
    // at or below the one reached changes nothing. The user's mark is kept.
    bool RecordStep(const std::string& project, const std::string& title, const std::string& url,
                    TSubmissionStep step);
    // Sets the user's mark (Submitted, Listed, Rejected), or clears it with None.
    bool SetMark(const std::string& project, const std::string& title, const std::string& url,
                 TSubmissionStep mark);
    // A project's new name; its history follows. When `newName` already has a
    // history, the two merge and the entries already kept under `newName` win.
    bool RenameProject(const std::string& oldName, const std::string& newName);
    bool DeleteProject(const std::string& name);
    // A directory's new title and address; its history follows, as for projects.
    bool UpdateDirectory(const std::string& oldTitle, const std::string& newTitle, const std::string& newURL);
    // True when the project has at least one entry.
    bool HasHistory(const std::string& project);
    // The project's entries with the directories' titles and addresses, by title.
    std::vector<TSubmissionRecord> Records(const std::string& project);

signals:
    // An entry of `projectKey` (the project name upper-cased) changed; `titleKey` is the directory's TitleKey.
    void EntryChanged(const std::string& projectKey, quint64 titleKey);
    // Many entries changed at once (a project renamed or deleted, a directory re-keyed).
    void EntriesReset();
    // The log stopped working (a write found the file damaged, the disk full...):
    // Problem() says why. It stays closed from then on.
    void Lost();

private:
    class TConnection;
    struct TProblem {
        TLogState State = TLogState::Ready;
        QString Detail;
    };

    bool Change(const std::function<bool(QSqlQuery&)>& body);
    bool NotOpen();
    bool EnsureFile();
    bool CheckHeader();
    TProblem Connect(bool create);
    static TProblem ProblemOf(const QSqlError& error);
    qint64 ProjectId(QSqlQuery& query, const std::string& name, bool create);
    qint64 DirectoryId(QSqlQuery& query, const std::string& title, const std::string& url, bool create);
    bool WriteEntry(const std::string& project, const std::string& title, const std::string& url,
                    const TSubmissionEntry& entry);
    void LoadEntries(const std::string& projectKey, TEntries& entries);
    TLogState Refuse(TLogState state, const QString& detail = {});
    void Fail(const QString& error, int nativeCode);

    QString FPath;
    TLogState FState = TLogState::Closed;
    QString FProblem;
    QString FLastError;
    std::unique_ptr<TConnection> FConnection;
    std::function<std::int64_t()> FClock;
    std::unordered_map<std::string, std::unique_ptr<TEntries>> FEntries;
    // Every directory's TitleKey by its id, read with the first project's entries.
    std::vector<std::uint64_t> FKeyOfId;
    bool FKeysLoaded = false;
};

// The records as CSV: a header line, then directory, URL, step and date
// (local time, "yyyy-MM-dd hh:mm:ss") per record, CR LF line ends.
std::string SubmissionsToCsv(const std::vector<TSubmissionRecord>& records);
