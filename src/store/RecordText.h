#pragma once
// Byte-level text routines of the data files. Text is 8-bit, byte for byte.

#include <string>
#include <string_view>
#include <vector>

// Cuts `text` at every `separator`; see the record line format. The list is
// emptied first. A piece after the last separator is kept only when not empty.
void SplitFields(char separator, std::string_view text, std::vector<std::string>& pieces);

// Cuts a whole file's text into lines: CR LF, lone LF and lone CR end a line,
// a NUL byte ends the text, and a final line break leaves no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

// Removes leading and trailing bytes with codes 0 to 32.
std::string TrimControl(std::string_view text);

// Upper-cases the ASCII letters a to z only; every other byte stays.
std::string AsciiUpper(std::string_view text);
// Lower-cases the ASCII letters A to Z only.
std::string AsciiLower(std::string_view text);
