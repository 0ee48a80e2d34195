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

// Reads the whole file; throws TFileError when it exists but cannot be read.
std::string ReadWholeFile(const QString& path);

// Replaces `path` with `bytes` through a temporary file and a rename, so a
// crash or a full disk never leaves a truncated file. With `ownerOnly` the
// file is readable and writable by its owner alone.
void WriteWholeFileAtomically(const QString& path, const std::string& bytes, bool ownerOnly);
