#include "store/SubmissionLog.h"

#include "store/DirectoriesCsv.h"
#include "store/RecordText.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

#include <atomic>
#include <limits>

namespace {

const QString Driver = QStringLiteral("QSQLITE");

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QVariant& value)
{
    return value.toByteArray().toStdString();
}

TSubmissionStep StepFromNumber(int number)
{
    return number >= 1 && number <= 5 ? static_cast<TSubmissionStep>(number) : TSubmissionStep::None;
}

bool IsAutomatic(TSubmissionStep step)
{
    return step == TSubmissionStep::Opened || step == TSubmissionStep::Filled || step == TSubmissionStep::Submitted;
}

bool IsMark(TSubmissionStep step)
{
    return step == TSubmissionStep::None || step == TSubmissionStep::Submitted || step == TSubmissionStep::Listed
           || step == TSubmissionStep::Rejected;
}

// SQLite's primary result code behind a Qt SQL error.
int PrimaryCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// The driver's own connection, for the one read that must be fast (a
// project's entries); Qt documents the handle of the SQLite driver as sqlite3*.
sqlite3* NativeHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

const char* const Schema[] = {
    "CREATE TABLE projects(id INTEGER PRIMARY KEY, key BLOB NOT NULL UNIQUE, name BLOB NOT NULL)",
    "CREATE TABLE directories(id INTEGER PRIMARY KEY, key BLOB NOT NULL UNIQUE, title BLOB NOT NULL,"
    " url BLOB NOT NULL)",
    "CREATE TABLE steps(project INTEGER NOT NULL REFERENCES projects(id) ON DELETE CASCADE,"
    " directory INTEGER NOT NULL REFERENCES directories(id) ON DELETE CASCADE,"
    " step INTEGER NOT NULL DEFAULT 0, step_at INTEGER NOT NULL DEFAULT 0,"
    " mark INTEGER NOT NULL DEFAULT 0, mark_at INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY(project, directory)) WITHOUT ROWID",
};

// A rename onto a name the log already holds: the steps of `oldId` move to
// `newId` where it has none of its own for the same partner, and `oldId` goes.
// `column` and `table` are this file's own names, never data.
bool MergeSteps(QSqlQuery& query, const char* column, const char* table, qint64 oldId, qint64 newId)
{
    const QString name = QString::fromLatin1(column);
    query.prepare(QStringLiteral("UPDATE OR IGNORE steps SET %1 = ? WHERE %1 = ?").arg(name));
    query.addBindValue(newId);
    query.addBindValue(oldId);
    if (!query.exec())
        return false;
    query.prepare(QStringLiteral("DELETE FROM steps WHERE %1 = ?").arg(name));
    query.addBindValue(oldId);
    if (!query.exec())
        return false;
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(QString::fromLatin1(table)));
    query.addBindValue(oldId);
    return query.exec();
}

} // namespace

std::uint64_t TSubmissionLog::TitleKey(std::string_view title)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : title) {
        const auto byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

QString StepName(TSubmissionStep step)
{
    switch (step) {
    case TSubmissionStep::Opened: return QStringLiteral("Opened");
    case TSubmissionStep::Filled: return QStringLiteral("Filled");
    case TSubmissionStep::Submitted: return QStringLiteral("Submitted");
    case TSubmissionStep::Listed: return QStringLiteral("Listed");
    case TSubmissionStep::Rejected: return QStringLiteral("Rejected");
    case TSubmissionStep::None: break;
    }
    return {};
}

bool TSubmissionEntry::Done() const
{
    const TSubmissionStep shown = Shown();
    return shown == TSubmissionStep::Submitted || shown == TSubmissionStep::Listed
           || shown == TSubmissionStep::Rejected;
}

// One Qt SQL connection of its own name, removed with this object.
class TSubmissionLog::TConnection {
public:
    explicit TConnection(const QString& path)
        : FName(QStringLiteral("tarnwick-log-%1").arg(++Counter))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Driver, FName);
        db.setDatabaseName(path);
        // Another copy's lock is an answer, not something to wait for.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    }
    ~TConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(FName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(FName);
    }
    QSqlDatabase Db() const { return QSqlDatabase::database(FName, false); }

private:
    static inline std::atomic<int> Counter{0};
    QString FName;
};

TSubmissionLog::TSubmissionLog(QObject* parent)
    : QObject(parent)
    , FClock([] { return QDateTime::currentSecsSinceEpoch(); })
{
}

TSubmissionLog::~TSubmissionLog() = default;

void TSubmissionLog::Close()
{
    FConnection.reset();
    FEntries.clear();
    FKeyOfId.clear();
    FKeysLoaded = false;
    FState = TLogState::Closed;
    FProblem.clear();
}

TLogState TSubmissionLog::Open(const QString& path)
{
    Close();
    FPath = path;
    FLastError.clear();
    if (!QSqlDatabase::isDriverAvailable(Driver))
        return Refuse(TLogState::Failed, QStringLiteral("the SQLite driver of Qt is not installed"));
    // A missing or empty file is made into a log by the first change, so
    // that starting the program writes nothing.
    if (!QFileInfo::exists(path) || QFileInfo(path).size() == 0) {
        FState = TLogState::NotCreated;
        return FState;
    }
    if (!CheckHeader())
        return FState;
    const TProblem problem = Connect(false);
    if (problem.State != TLogState::Ready)
        return Refuse(problem.State, problem.Detail);
    // Schema 1 is the first; a log of an older schema is migrated here, in
    // one transaction, when there is one.
    FState = TLogState::Ready;
    return FState;
}

bool TSubmissionLog::CheckPages()
{
    if (FState != TLogState::Ready)
        return IsOpen();
    TProblem problem;
    {
        QSqlQuery query(FConnection->Db());
        if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next())
            problem = ProblemOf(query.lastError());
        else if (query.value(0).toString() != QStringLiteral("ok"))
            problem = {TLogState::Damaged, query.value(0).toString()};
    }
    if (problem.State == TLogState::Ready)
        return true;
    Refuse(problem.State, problem.Detail);
    return false;
}

// Reads the database header with plain file reads: a file that is not this
// program's log, or is of a newer version, is refused before SQLite opens it,
// so not a byte of it (nor a journal beside it) is written.
bool TSubmissionLog::CheckHeader()
{
    QFile file(FPath);
    if (!file.open(QIODevice::ReadOnly)) {
        Refuse(TLogState::Failed, file.errorString());
        return false;
    }
    const QByteArray header = file.read(100);
    if (!header.startsWith(QByteArray("SQLite format 3\0", 16))) {
        Refuse(TLogState::NotOurs);
        return false;
    }
    auto number = [&](int offset, int size) {
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | static_cast<quint8>(header[offset + i]);
        return value;
    };
    const quint32 pageSize = header.size() < 100 ? 0 : number(16, 2) == 1 ? 65536 : number(16, 2);
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0) {
        Refuse(TLogState::Damaged, QStringLiteral("its header is not readable"));
        return false;
    }
    if (static_cast<std::int32_t>(number(68, 4)) != ApplicationId || number(60, 4) < 1) {
        Refuse(TLogState::NotOurs);
        return false;
    }
    if (number(60, 4) > SchemaVersion) {
        Refuse(TLogState::Newer, QString::number(number(60, 4)));
        return false;
    }
    return true;
}

TSubmissionLog::TProblem TSubmissionLog::ProblemOf(const QSqlError& error)
{
    switch (PrimaryCode(error)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return {TLogState::Locked, {}};
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return {TLogState::Damaged, error.databaseText()};
    default: return {TLogState::Failed, error.text()};
    }
}

// Opens the connection with its settings, then takes the lock that keeps
// other copies out for as long as the log is open; then writes the schema of
// a new log. A rollback journal: a
// change killed half-way is rolled back by the next open. Problems are
// returned rather than refused here, so that no query still holds the
// connection when it is closed.
TSubmissionLog::TProblem TSubmissionLog::Connect(bool create)
{
    FConnection = std::make_unique<TConnection>(FPath);
    QSqlDatabase db = FConnection->Db();
    if (!db.open())
        return {TLogState::Failed, db.lastError().text()};
    QSqlQuery query(db);
    const char* const settings[] = {"PRAGMA locking_mode=EXCLUSIVE", "PRAGMA journal_mode=DELETE",
                                    "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON",
                                    "BEGIN EXCLUSIVE", "COMMIT"};
    for (const char* sql : settings)
        if (!query.exec(QString::fromLatin1(sql)))
            return ProblemOf(query.lastError());
    if (!create)
        return {};
    bool ok = db.transaction();
    for (const char* sql : Schema)
        ok = ok && query.exec(QString::fromLatin1(sql));
    ok = ok && query.exec(QStringLiteral("PRAGMA application_id=%1").arg(ApplicationId))
         && query.exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion)) && db.commit();
    if (ok)
        return {};
    const QString error = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
    db.rollback();
    return {TLogState::Failed, error};
}

// The file is made by the first change, so that starting the program writes nothing.
bool TSubmissionLog::EnsureFile()
{
    if (FState == TLogState::Ready)
        return true;
    const TProblem problem = Connect(true);
    if (problem.State != TLogState::Ready) {
        Refuse(problem.State, problem.Detail);
        return false;
    }
    FState = TLogState::Ready;
    return true;
}

TLogState TSubmissionLog::Refuse(TLogState state, const QString& detail)
{
    FConnection.reset();
    FEntries.clear();
    FKeyOfId.clear();
    FKeysLoaded = false;
    FState = state;
    const QString name = QFileInfo(FPath).fileName();
    QString why;
    switch (state) {
    case TLogState::NotOurs: why = QStringLiteral("%1 is not a submission log of Tarnwick.").arg(name); break;
    case TLogState::Damaged: why = QStringLiteral("%1 is damaged (%2).").arg(name, detail); break;
    case TLogState::Locked:
        why = QStringLiteral("%1 is in use by another running copy of Tarnwick.").arg(name);
        break;
    case TLogState::Newer:
        why = QStringLiteral("%1 was written by a newer version of Tarnwick (log version %2, this one reads %3).")
                  .arg(name, detail)
                  .arg(SchemaVersion);
        break;
    default: why = QStringLiteral("%1 could not be opened or written: %2.").arg(name, detail); break;
    }
    FProblem = why + QStringLiteral("\r\nThe file is left as it is, and Tarnwick keeps no submission log"
                                    " until it is started again.");
    return state;
}

void TSubmissionLog::Fail(const QString& error, int nativeCode)
{
    FLastError = error;
    const bool damaged = nativeCode == SQLITE_CORRUPT || nativeCode == SQLITE_NOTADB;
    const bool locked = nativeCode == SQLITE_BUSY || nativeCode == SQLITE_LOCKED;
    Refuse(damaged ? TLogState::Damaged : locked ? TLogState::Locked : TLogState::Failed, error);
    emit Lost();
}

bool TSubmissionLog::NotOpen()
{
    FLastError = FProblem.isEmpty() ? QStringLiteral("The submission log is not open.") : FProblem;
    return false;
}

bool TSubmissionLog::Change(const std::function<bool(QSqlQuery&)>& body)
{
    if (!IsOpen())
        return NotOpen();
    if (!EnsureFile()) {
        FLastError = FProblem;
        emit Lost();
        return false;
    }
    QSqlError error;
    {
        QSqlDatabase db = FConnection->Db();
        QSqlQuery query(db);
        if (db.transaction() && body(query) && db.commit())
            return true;
        error = query.lastError().isValid() ? query.lastError() : db.lastError();
        db.rollback();
    }
    // After the query is gone: failing closes the connection.
    Fail(error.text(), PrimaryCode(error));
    return false;
}

qint64 TSubmissionLog::ProjectId(QSqlQuery& query, const std::string& name, bool create)
{
    const QByteArray key = Bytes(AsciiUpper(name));
    query.prepare(QStringLiteral("SELECT id, name FROM projects WHERE key = ?"));
    query.addBindValue(key);
    if (!query.exec())
        return -1;
    if (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        if (Text(query.value(1)) == name)
            return id;
        // The latest spelling of the name, for the export.
        query.prepare(QStringLiteral("UPDATE projects SET name = ? WHERE id = ?"));
        query.addBindValue(Bytes(name));
        query.addBindValue(id);
        return query.exec() ? id : -1;
    }
    if (!create)
        return 0;
    query.prepare(QStringLiteral("INSERT INTO projects(key, name) VALUES(?, ?)"));
    query.addBindValue(key);
    query.addBindValue(Bytes(name));
    return query.exec() ? query.lastInsertId().toLongLong() : -1;
}

qint64 TSubmissionLog::DirectoryId(QSqlQuery& query, const std::string& title, const std::string& url,
                                         bool create)
{
    const QByteArray key = Bytes(AsciiUpper(title));
    query.prepare(QStringLiteral("SELECT id, title, url FROM directories WHERE key = ?"));
    query.addBindValue(key);
    if (!query.exec())
        return -1;
    if (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        if (Text(query.value(1)) == title && Text(query.value(2)) == url)
            return id;
        query.prepare(QStringLiteral("UPDATE directories SET title = ?, url = ? WHERE id = ?"));
        query.addBindValue(Bytes(title));
        query.addBindValue(Bytes(url));
        query.addBindValue(id);
        return query.exec() ? id : -1;
    }
    if (!create)
        return 0;
    query.prepare(QStringLiteral("INSERT INTO directories(key, title, url) VALUES(?, ?, ?)"));
    query.addBindValue(key);
    query.addBindValue(Bytes(title));
    query.addBindValue(Bytes(url));
    if (!query.exec())
        return -1;
    const qint64 id = query.lastInsertId().toLongLong();
    // Should the transaction fail, the log closes and this is dropped with it.
    if (FKeysLoaded && id > 0) {
        if (static_cast<size_t>(id) >= FKeyOfId.size())
            FKeyOfId.resize(static_cast<size_t>(id) + 1, 0);
        FKeyOfId[static_cast<size_t>(id)] = TitleKey(title);
    }
    return id;
}

const TSubmissionLog::TEntries& TSubmissionLog::Entries(const std::string& project)
{
    static const TEntries None;
    if (!IsOpen())
        return None;
    const std::string key = AsciiUpper(project);
    auto it = FEntries.find(key);
    if (it == FEntries.end()) {
        auto entries = std::make_unique<TEntries>();
        LoadEntries(key, *entries);
        if (!IsOpen())
            return None;
        it = FEntries.emplace(key, std::move(entries)).first;
    }
    return *it->second;
}

// Straight through SQLite: a project of 100,000 entries reads in tens of
// milliseconds this way, against a large multiple through QSqlQuery. The
// directories' keys are read once (their index holds them, a narrow scan);
// joining them per entry instead reads the whole directories table.
void TSubmissionLog::LoadEntries(const std::string& projectKey, TEntries& entries)
{
    if (FState != TLogState::Ready)
        return;
    sqlite3* handle = NativeHandle(FConnection->Db());
    if (!handle) {
        Fail(QStringLiteral("the SQLite driver gives no connection handle"), SQLITE_ERROR);
        return;
    }
    auto run = [&](const char* sql, const std::function<void(sqlite3_stmt*)>& row) {
        sqlite3_stmt* statement = nullptr;
        int code = sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr);
        if (code == SQLITE_OK && sqlite3_bind_parameter_count(statement) > 0)
            code = sqlite3_bind_blob(statement, 1, projectKey.data(), static_cast<int>(projectKey.size()),
                                     SQLITE_TRANSIENT);
        while (code == SQLITE_OK || code == SQLITE_ROW) {
            code = sqlite3_step(statement);
            if (code == SQLITE_ROW)
                row(statement);
        }
        const QString error = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(statement);
        if (code != SQLITE_DONE)
            Fail(error, code & 0xff);
        return code == SQLITE_DONE;
    };
    if (!FKeysLoaded) {
        FKeyOfId.clear();
        const bool read = run("SELECT id, key FROM directories", [&](sqlite3_stmt* statement) {
            const sqlite3_int64 id = sqlite3_column_int64(statement, 0);
            if (id <= 0 || id > std::numeric_limits<int>::max())
                return;
            const auto* key = static_cast<const char*>(sqlite3_column_blob(statement, 1));
            if (static_cast<size_t>(id) >= FKeyOfId.size())
                FKeyOfId.resize(static_cast<size_t>(id) + 1, 0);
            FKeyOfId[static_cast<size_t>(id)] =
                TitleKey(std::string_view(key ? key : "", static_cast<size_t>(sqlite3_column_bytes(statement, 1))));
        });
        if (!read)
            return;
        FKeysLoaded = true;
    }
    // Room for every directory the log knows up front: growing the table
    // row by row touches fresh memory again and again.
    entries.reserve(FKeyOfId.size());
    const bool done = run("SELECT directory, step, step_at, mark, mark_at FROM steps"
                          " WHERE project = (SELECT id FROM projects WHERE key = ?1)",
                          [&](sqlite3_stmt* statement) {
                              const sqlite3_int64 id = sqlite3_column_int64(statement, 0);
                              if (id <= 0 || static_cast<size_t>(id) >= FKeyOfId.size())
                                  return;
                              TSubmissionEntry entry;
                              entry.Step = StepFromNumber(sqlite3_column_int(statement, 1));
                              entry.StepAt = sqlite3_column_int64(statement, 2);
                              entry.Mark = StepFromNumber(sqlite3_column_int(statement, 3));
                              entry.MarkAt = sqlite3_column_int64(statement, 4);
                              entries.insert_or_assign(FKeyOfId[static_cast<size_t>(id)], entry);
                          });
    if (!done)
        entries.clear();
}

TSubmissionEntry TSubmissionLog::Entry(const std::string& project, const std::string& title)
{
    const TEntries& entries = Entries(project);
    const auto it = entries.find(TitleKey(title));
    return it == entries.end() ? TSubmissionEntry{} : it->second;
}

bool TSubmissionLog::WriteEntry(const std::string& project, const std::string& title, const std::string& url,
                                const TSubmissionEntry& entry)
{
    const bool ok = Change([&](QSqlQuery& query) {
        const qint64 projectId = ProjectId(query, project, true);
        const qint64 directoryId = projectId > 0 ? DirectoryId(query, title, url, true) : -1;
        if (projectId <= 0 || directoryId <= 0)
            return false;
        if (entry.Step == TSubmissionStep::None && entry.Mark == TSubmissionStep::None) {
            query.prepare(QStringLiteral("DELETE FROM steps WHERE project = ? AND directory = ?"));
            query.addBindValue(projectId);
            query.addBindValue(directoryId);
            return query.exec();
        }
        query.prepare(QStringLiteral(
            "INSERT INTO steps(project, directory, step, step_at, mark, mark_at) VALUES(?, ?, ?, ?, ?, ?)"
            " ON CONFLICT(project, directory) DO UPDATE SET step = excluded.step, step_at = excluded.step_at,"
            " mark = excluded.mark, mark_at = excluded.mark_at"));
        query.addBindValue(projectId);
        query.addBindValue(directoryId);
        query.addBindValue(static_cast<int>(entry.Step));
        query.addBindValue(static_cast<qlonglong>(entry.StepAt));
        query.addBindValue(static_cast<int>(entry.Mark));
        query.addBindValue(static_cast<qlonglong>(entry.MarkAt));
        return query.exec();
    });
    if (!ok)
        return false;
    const std::string projectKey = AsciiUpper(project);
    const std::uint64_t directoryKey = TitleKey(title);
    TEntries& entries = *FEntries.try_emplace(projectKey, std::make_unique<TEntries>()).first->second;
    if (entry.Step == TSubmissionStep::None && entry.Mark == TSubmissionStep::None)
        entries.erase(directoryKey);
    else
        entries.insert_or_assign(directoryKey, entry);
    emit EntryChanged(projectKey, directoryKey);
    return true;
}

bool TSubmissionLog::RecordStep(const std::string& project, const std::string& title, const std::string& url,
                                TSubmissionStep step)
{
    if (!IsAutomatic(step))
        return false;
    TSubmissionEntry entry = Entry(project, title);
    if (!IsOpen())
        return NotOpen();
    if (entry.Step >= step)
        return true;
    entry.Step = step;
    entry.StepAt = FClock();
    return WriteEntry(project, title, url, entry);
}

bool TSubmissionLog::SetMark(const std::string& project, const std::string& title, const std::string& url,
                             TSubmissionStep mark)
{
    if (!IsMark(mark))
        return false;
    TSubmissionEntry entry = Entry(project, title);
    if (!IsOpen())
        return NotOpen();
    if (entry.Mark == mark)
        return true;
    entry.Mark = mark;
    entry.MarkAt = mark == TSubmissionStep::None ? 0 : FClock();
    return WriteEntry(project, title, url, entry);
}

bool TSubmissionLog::RenameProject(const std::string& oldName, const std::string& newName)
{
    if (FState == TLogState::NotCreated)
        return true; // no history yet
    const bool ok = Change([&](QSqlQuery& query) {
        const qint64 oldId = ProjectId(query, oldName, false);
        if (oldId <= 0)
            return oldId == 0;
        if (AsciiUpper(oldName) == AsciiUpper(newName))
            return ProjectId(query, newName, false) > 0; // rewrites the spelling
        const qint64 newId = ProjectId(query, newName, false);
        if (newId < 0)
            return false;
        if (newId == 0) {
            query.prepare(QStringLiteral("UPDATE projects SET key = ?, name = ? WHERE id = ?"));
            query.addBindValue(Bytes(AsciiUpper(newName)));
            query.addBindValue(Bytes(newName));
            query.addBindValue(oldId);
            return query.exec();
        }
        return MergeSteps(query, "project", "projects", oldId, newId);
    });
    if (ok) {
        FEntries.erase(AsciiUpper(oldName));
        FEntries.erase(AsciiUpper(newName));
        emit EntriesReset();
    }
    return ok;
}

bool TSubmissionLog::DeleteProject(const std::string& name)
{
    if (FState == TLogState::NotCreated)
        return true;
    const bool ok = Change([&](QSqlQuery& query) {
        const qint64 id = ProjectId(query, name, false);
        if (id <= 0)
            return id == 0;
        query.prepare(QStringLiteral("DELETE FROM steps WHERE project = ?"));
        query.addBindValue(id);
        if (!query.exec())
            return false;
        query.prepare(QStringLiteral("DELETE FROM projects WHERE id = ?"));
        query.addBindValue(id);
        return query.exec();
    });
    if (ok) {
        FEntries.erase(AsciiUpper(name));
        emit EntriesReset();
    }
    return ok;
}

bool TSubmissionLog::UpdateDirectory(const std::string& oldTitle, const std::string& newTitle,
                                     const std::string& newURL)
{
    if (FState == TLogState::NotCreated)
        return true;
    const bool ok = Change([&](QSqlQuery& query) {
        const qint64 oldId = DirectoryId(query, oldTitle, newURL, false);
        if (oldId <= 0)
            return oldId == 0;
        if (AsciiUpper(oldTitle) == AsciiUpper(newTitle))
            return DirectoryId(query, newTitle, newURL, false) > 0;
        const qint64 newId = DirectoryId(query, newTitle, newURL, false);
        if (newId < 0)
            return false;
        if (newId == 0) {
            query.prepare(QStringLiteral("UPDATE directories SET key = ?, title = ?, url = ? WHERE id = ?"));
            query.addBindValue(Bytes(AsciiUpper(newTitle)));
            query.addBindValue(Bytes(newTitle));
            query.addBindValue(Bytes(newURL));
            query.addBindValue(oldId);
            return query.exec();
        }
        return MergeSteps(query, "directory", "directories", oldId, newId);
    });
    if (ok && AsciiUpper(oldTitle) != AsciiUpper(newTitle)) {
        FEntries.clear();
        FKeysLoaded = false;
        emit EntriesReset();
    }
    return ok;
}

bool TSubmissionLog::HasHistory(const std::string& project)
{
    return !Entries(project).empty();
}

std::vector<TSubmissionRecord> TSubmissionLog::Records(const std::string& project)
{
    std::vector<TSubmissionRecord> records;
    if (FState != TLogState::Ready)
        return records;
    QSqlQuery query(FConnection->Db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT d.title, d.url, s.step, s.step_at, s.mark, s.mark_at FROM steps s"
        " JOIN directories d ON d.id = s.directory JOIN projects p ON p.id = s.project"
        " WHERE p.key = ? ORDER BY d.key"));
    query.addBindValue(Bytes(AsciiUpper(project)));
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return records;
    }
    while (query.next()) {
        TSubmissionRecord record;
        record.Title = Text(query.value(0));
        record.URL = Text(query.value(1));
        record.Entry.Step = StepFromNumber(query.value(2).toInt());
        record.Entry.StepAt = query.value(3).toLongLong();
        record.Entry.Mark = StepFromNumber(query.value(4).toInt());
        record.Entry.MarkAt = query.value(5).toLongLong();
        records.push_back(std::move(record));
    }
    return records;
}

std::string SubmissionsToCsv(const std::vector<TSubmissionRecord>& records)
{
    const auto field = AppendCsvField;
    std::string out = "Directory,URL,Step,Date\r\n";
    for (const TSubmissionRecord& record : records) {
        field(out, record.Title);
        out += ',';
        field(out, record.URL);
        out += ',';
        out += StepName(record.Entry.Shown()).toStdString();
        out += ',';
        out += QDateTime::fromSecsSinceEpoch(record.Entry.ShownAt())
                   .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                   .toStdString();
        out += "\r\n";
    }
    return out;
}
