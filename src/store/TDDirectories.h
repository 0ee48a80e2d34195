#pragma once

#include "store/LargeBlocks.h"
#include "store/Records.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// What LoadAll found in the database file.
enum class TDatabaseState {
    Missing,       // no file: nothing loaded, not an error
    Intact,        // decrypted and authenticated
    TooShort,      // shorter than a header and a code (an empty file, for one): nothing loaded
    NotReadable,   // the password check failed (damaged header, or not our file): nothing loaded
    Damaged,       // the authentication code failed: what decrypted is loaded, damage included
};

// The web-directory database, in file order.
//
// A database can hold a million directories, so a loaded directory is no
// object of its own: the decrypted text stays in one buffer per load and each
// directory is a line of it, known by where its carets are. Field texts are
// handed out as views into that buffer. A directory added or rewritten holds
// its own texts. Look-up keys are worked out from the title when asked for,
// unless one was given.
class TDDirectories {
public:
    static constexpr const char* FileName = "Directories.dat";

    TDDirectories();
    ~TDDirectories();
    TDDirectories(const TDDirectories&) = delete;
    TDDirectories& operator=(const TDDirectories&) = delete;

    // A copy of the collection as it is now, for saving on another thread
    // while this one changes: the loaded text is shared (it never changes
    // once loaded), so the copy costs the row table and the edited directories.
    std::unique_ptr<const TDDirectories> Snapshot() const;

    int Count() const { return static_cast<int>(FRows.size()); }

    // A copy of the directory at `index`; throws std::out_of_range for a bad index.
    TDDirectory RecordAt(int index) const;
    // One field of the directory at `index`, valid until the collection next
    // changes. No bounds check: for the list and the sort, which read
    // millions of them.
    std::string_view FieldAt(int index, TDirectoryField field) const;
    std::string_view TitleAt(int index) const { return FieldAt(index, TDirectoryField::Title); }

    // The entry's look-up key: the one given to Append or SetKey, else the
    // title with a to z upper-cased.
    std::string KeyAt(int index) const;
    // Index of the first entry whose key equals `text` without regard to case; -1 if none.
    int FindKey(std::string_view text) const;

    int Append(std::string key, std::unique_ptr<TDDirectory> record);
    // Rewrites the directory at `index`; its key stays as it was.
    void SetRecord(int index, TDDirectory record);
    void SetKey(int index, std::string key);
    void RemoveAt(int index);
    void Clear();
    // Room for `count` entries in all, so a large load does not regrow the list.
    void Reserve(int count);

    // Appends the directories of `appDir` + "Directories.dat"; a missing file
    // adds nothing. The file is decrypted in memory: no plain text reaches the
    // disk. Throws TFileError when the file exists but cannot be read.
    TDatabaseState LoadAll(const QString& appDir);
    // Replaces `appDir` + "Directories.dat" with every directory, encrypted in
    // memory, written under a temporary name and renamed over the old file, so
    // there is always a whole database on disk. Throws TFileError on failure.
    void SaveAll(const QString& appDir) const;

    // The same for a database file at any path.
    TDatabaseState LoadFile(const QString& path);
    void SaveFile(const QString& path) const;
    // The same for the file's bytes.
    TDatabaseState LoadEncrypted(std::string_view encrypted);
    std::string ToEncrypted() const;

    // Decrypts and authenticates the database file at `path` a buffer at a
    // time and counts the directories a load would give, holding neither the
    // file nor any directory in memory. Throws TFileError when the file exists
    // but cannot be read.
    static TDatabaseState CheckFile(const QString& path, int64_t& count);

    // A database file that failed its checks is copied to the first free name
    // of "Directories.damaged.dat", "Directories.damaged-2.dat", ... before a
    // save may replace it. Returns the name used (without the directory).
    // Throws TFileError when the copy cannot be made.
    static QString KeepDamagedCopy(const QString& appDir);
    // The name the next KeepDamagedCopy would use.
    static QString DamagedCopyName(const QString& appDir);

    // The plain caret text inside the database file.
    void LoadFromText(std::string_view text);
    std::string ToText() const;
    // Writes the caret text from directory `row` on, up to `room` bytes at
    // `into`; returns how many. `row` and `offset` (the part of that
    // directory's line already written) carry on from call to call.
    size_t WriteText(char* into, size_t room, int& row, size_t& offset) const;

private:
    // A directory: a line of a loaded buffer, or one that holds its own texts.
    struct TRow {
        // The line's first byte; nullptr for a directory of its own.
        const char* Line = nullptr;
        // For a line: where its first eight carets are, or the line's length
        // for those it lacks. For its own: the index in FOwned.
        std::array<uint16_t, 8> Cuts{};
    };
    struct TOwned {
        TDDirectory Record;
        std::string Key;
    };

    void CheckIndex(int index) const;
    // Adopts `buffer` and appends a directory for each record line of `text`, which lies in it.
    // Appends the record lines of the `size` bytes at `text`, which lies in
    // `buffer`; `produce(feed)` makes the text ready, calling feed(n) as the
    // first n bytes are, and returns how many bytes there are in the end.
    template <typename TProduce>
    void AppendLines(std::unique_ptr<TLargeBuffer> buffer, const char* text, size_t size, TProduce produce);
    TDatabaseState LoadEncryptedBuffer(std::unique_ptr<TLargeBuffer> buffer, size_t length);
    // False when the line became a directory of its own.
    bool AppendLine(const char* line, size_t length, const size_t (&carets)[8], unsigned caretCount);
    TOwned& Owned(const TRow& row) const;
    // Makes the directory at `index` one that holds its own texts, with its key as it is now.
    TOwned& OwnAt(int index);
    int AddOwned(TDDirectory record, std::string key);
    void ReleaseOwned(const TRow& row);
    // The length of the file line for `row`, its CR LF included.
    size_t LineLength(const TRow& row) const;
    void WriteLine(const TRow& row, char* into) const;

    TLargeVector<TRow> FRows;
    // Shared with snapshots; never written once loaded.
    std::vector<std::shared_ptr<const TLargeBuffer>> FBuffers;
    std::vector<std::unique_ptr<TOwned>> FOwned;
    std::vector<uint32_t> FFreeOwned;
};
