// Opening web pages in the user's own browser.
#include "shell/OpenURL.h"

#include "common/AddressPolicy.h"
#include "common/UUtils.h"
#include "store/RecordText.h"

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <QUrl>

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#include <shellapi.h>
#endif

std::string BrowserProgramFromCommand(std::string_view command)
{
    if (command.empty())
        return {};
    std::string lowered = AsciiLower(command);
    const auto exe = lowered.find(".exe");
    std::string program = (exe == std::string::npos ? std::string() : lowered.substr(0, exe)) + ".exe";
    std::erase(program, '"');
    return program;
}

std::string QuoteCommandLineArgument(std::string_view argument)
{
    // The rules of the Microsoft C runtime's argument parser: backslashes are
    // literal unless they precede a quote, where they must be doubled.
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

#ifdef _WIN32

namespace {

std::string RegisteredBrowserCommand()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    std::string value;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS
        && (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        value.resize(size);
        if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size)
            == ERROR_SUCCESS)
            value.resize(std::char_traits<char>::length(value.c_str()));
        else
            value.clear();
    }
    RegCloseKey(key);
    return value;
}

} // namespace

bool OpenURL(const std::string& URL)
{
    if (!AddressPolicy::ForOpener(ToDisplay(URL)))
        return false;
    const std::string program = BrowserProgramFromCommand(RegisteredBrowserCommand());
    if (program.empty())
        return false;
    // Quoted, so an address holding blanks reaches the browser as one argument.
    const std::string parameters = QuoteCommandLineArgument(URL);
    ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, SW_SHOW);
    return true;
}

bool ShellOpen(const std::string& address)
{
    // The shell would run a program or a shortcut named by any other address.
    if (!AddressPolicy::ForOpener(ToDisplay(address)))
        return false;
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}

#else

namespace {

// The desktop's opener receives the address as one encoded argument and no
// shell reads it; an address without a scheme is taken as a web address. It
// would launch a program for a file: address or an unknown scheme, so only
// web and mail addresses reach it.
bool OpenWithDesktop(const std::string& address)
{
    const std::optional<QUrl> url = AddressPolicy::ForOpener(ToDisplay(address));
    if (!url)
        return false;
    // A platform without desktop services (a bare X server, a kiosk) still
    // has the freedesktop opener.
    if (!QDesktopServices::openUrl(*url))
        QProcess::startDetached(QStringLiteral("xdg-open"), {url->toString(QUrl::FullyEncoded)});
    return true;
}

} // namespace

bool OpenURL(const std::string& URL)
{
    return OpenWithDesktop(URL);
}

bool ShellOpen(const std::string& address)
{
    return OpenWithDesktop(address);
}

#endif
