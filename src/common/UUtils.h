#pragma once
// Text routines shared by the windows and panes.

#include <string>
#include <string_view>

class QString;

// Stored one-line form of a multi-line text: one final CR LF dropped, every
// other CR LF becomes "$$". Lone CR and LF stay as they are.
std::string EncodeLineBreaks(std::string_view text);

// Inverse used for display: every "$$" becomes CR LF.
std::string DecodeLineBreaks(std::string_view text);

// The program's text is 8-bit, byte for byte; widgets take it in the
// system's 8-bit encoding.
QString ToDisplay(std::string_view text);
std::string FromDisplay(const QString& text);
