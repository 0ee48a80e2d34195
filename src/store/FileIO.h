#pragma once
// Whole-file reads and atomic whole-file writes for the data files.

#include <stdexcept>
#include <string>

class QString;

// A data file that could not be read or written.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool FileExists(const QString& path);

// Far past any data file of the program (five million directories): a
// larger file, or a device that never ends, is refused before it fills the memory.
inline constexpr long long MaxDataFileBytes = 512LL * 1024 * 1024;

[[noreturn]] void ThrowFileTooLarge(const QString& path, long long maxBytes);

// Reads the whole file; throws TFileError when it exists but cannot be read,
// or holds more than `maxBytes`.
std::string ReadWholeFile(const QString& path, long long maxBytes = MaxDataFileBytes);

// Makes a rename (or a new name) in the folder of `path` durable.
void SyncFolderOf(const QString& path);

// Replaces `path` with `bytes` through a temporary file and a rename, so a
// crash or a full disk never leaves a truncated file; the folder is synced
// after the rename, so a power cut cannot bring the old file back. With `ownerOnly` the
// file is readable and writable by its owner alone.
void WriteWholeFileAtomically(const QString& path, const std::string& bytes, bool ownerOnly);

// For a data file "<stem>.dat" in `appDir`: the first free name of
// "<stem>.damaged.dat", "<stem>.damaged-2.dat", ...
QString DamagedCopyNameOf(const QString& appDir, const QString& fileName);
// Copies `appDir` + `fileName` to that name, before a save may replace a file
// that failed its checks; returns the name used. TFileError when the copy
// cannot be made.
QString KeepDamagedCopyOf(const QString& appDir, const QString& fileName);
