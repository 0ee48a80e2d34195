#pragma once
// The data files' cipher with the password built into the program.

#include "store/AesLib.h"

#include <string>
#include <string_view>

class QIODevice;
class QString;

// The password built into the program for its data files (10 bytes: the
// cipher's AES-128 mode, 20 bytes of overhead per file).
inline constexpr std::string_view DataFilePassword = "qorvanepiz";
inline constexpr int DataFileBufferSize = 262144;
// Where a data file's plain text starts (after salt and verification value),
// and the bytes around it.
inline constexpr size_t DataFilePlainOffset = 8 + 2;
inline constexpr size_t DataFileOverhead = DataFilePlainOffset + 10;

// Decrypts the file `source` into `destination` (created, or emptied) with
// the built-in password. True only when the password check and the
// authentication code both pass; after a failed code the plaintext that did
// decrypt is in the destination. Throws TFileError when a file cannot be
// opened or created.
bool DecryptDataFile(const QString& source, const QString& destination);
// Encrypts the file `source` into `destination`; false on a read or write error.
bool EncryptDataFile(const QString& source, const QString& destination);

// The same in memory. `plain` receives what decrypted (nothing when the
// password check fails); `failure`, when given, says why the result is false.
bool DecryptData(std::string_view encrypted, std::string& plain, TCryptFailure* failure = nullptr);
std::string EncryptData(std::string_view plain);
// Into `encrypted`, replacing what it held (its storage is reused).
void EncryptData(std::string_view plain, std::string& encrypted);
// The plain text `source` writes, encrypted a buffer at a time into
// `destination`; false on a write error. See TCrypt::EncryptSourceWithSalt.
bool EncryptData(const TPlainSource& source, QIODevice& destination, const TCrypt::TWriteProgress& onWritten = {});
// Decrypts an encrypted file's `size` bytes in place; `plain` is then the
// part of `data` that holds the plain text (empty when the password check fails).
// With `onDecrypted`, it is told how much of `plain` is ready as the
// decryption goes on, on another thread: see TCrypt::DecryptInPlace.
bool DecryptDataInPlace(char* data, size_t size, std::string_view& plain, TCryptFailure* failure = nullptr,
                        const TCrypt::TDecryptProgress& onDecrypted = {});
