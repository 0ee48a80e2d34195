#pragma once
// The data files' cipher with the password built into the program.

#include <string>
#include <string_view>

class QString;
enum class TCryptFailure : int;

// The password built into the program for its data files (10 bytes: the
// cipher's AES-128 mode, 20 bytes of overhead per file).
inline constexpr std::string_view DataFilePassword = "qorvanepiz";
inline constexpr int DataFileBufferSize = 262144;

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
