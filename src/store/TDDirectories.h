#pragma once

#include "store/KeyedCollection.h"
#include "store/Records.h"

#include <QString>

#include <cstdint>

// What LoadAll found in the database file.
enum class TDatabaseState {
    Missing,       // no file: nothing loaded, not an error
    Intact,        // decrypted and authenticated
    TooShort,      // shorter than a header and a code (an empty file, for one): nothing loaded
    NotReadable,   // the password check failed (damaged header, or not our file): nothing loaded
    Damaged,       // the authentication code failed: what decrypted is loaded, damage included
};

// The web-directory database, in file order.
class TDDirectories : public TKeyedCollection<TDDirectory> {
public:
    static constexpr const char* FileName = "Directories.dat";

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
};
