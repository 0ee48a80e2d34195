#pragma once
// Addresses and files handed to the user's own programs, outside this one.

#include <string>
#include <string_view>

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
