#pragma once
// Routines shared by the data store and the application shell.

#include <string>
#include <string_view>
#include <vector>

class QString;
enum class TCryptFailure : int;


// Cuts `text` at every `separator`; see the record line format. The list is
// emptied first. A piece after the last separator is kept only when not empty.
void SplitFields(char separator, std::string_view text, std::vector<std::string>& pieces);

// Stored one-line form of a multi-line text: one final CR LF dropped, every
// other CR LF becomes "$$". Lone CR and LF stay as they are.
std::string EncodeLineBreaks(std::string_view text);

// Inverse used for display: every "$$" becomes CR LF.
std::string DecodeLineBreaks(std::string_view text);

// Cuts a whole file's text into lines: CR LF, lone LF and lone CR end a line,
// a NUL byte ends the text, and a final line break leaves no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// Removes leading and trailing bytes with codes 0 to 32.
std::string TrimControl(std::string_view text);

// Upper-cases the ASCII letters a to z only; every other byte stays.
std::string AsciiUpper(std::string_view text);
// Lower-cases the ASCII letters A to Z only.
std::string AsciiLower(std::string_view text);

// The program's text is 8-bit, byte for byte; widgets take it in the
// system's 8-bit encoding.
QString ToDisplay(std::string_view text);
std::string FromDisplay(const QString& text);


// ---- The encrypted data files ----

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

// ---- web pages in the user's own browser ----

// Opens `URL` in the user's web browser, outside the program. On Windows the
// browser registered for http is started with the address as its one
// argument; elsewhere the desktop's default browser opens it. True when a
// launch was attempted; nothing is shown on failure. Only http, https and
// mailto addresses are opened (see AddressPolicy).
bool OpenURL(const std::string& URL);

// Asks the desktop shell to open `address` (a link label's address). An
// empty address, or one of another scheme than http, https and mailto, does
// nothing. True when a launch was attempted.
bool ShellOpen(const std::string& address);

// The program of a registered browser command: lower-cased, cut after the
// first ".exe", every double quote removed ("" when the command is empty).
std::string BrowserProgramFromCommand(std::string_view command);

// One argument of a Windows command line, quoted so that the program's
// argument parser reads it back whole, blanks and quotes included.
std::string QuoteCommandLineArgument(std::string_view argument);
