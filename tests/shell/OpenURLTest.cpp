#include "shell/OpenURL.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The Microsoft C runtime's reading of one command-line argument, to check
// that a quoted argument comes back whole.
std::vector<std::string> ParseCommandLine(std::string_view line)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        std::string argument;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument.push_back('"');
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
                    argument.push_back(line[i]);
                    ++i;
                }
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

} // namespace

TEST(OpenURL, BrowserProgramFromRegisteredCommand)
{
    // Quoted path in mixed case ending in .EXE, a switch and a placeholder.
    EXPECT_EQ(BrowserProgramFromCommand("\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome \"%1\""),
              "c:\\program files\\internet explorer\\iexplore.exe");
    // Unquoted path, handled the same way.
    EXPECT_EQ(BrowserProgramFromCommand("C:\\PROGRA~1\\Mozilla Firefox\\FireFox.Exe -url \"%1\""),
              "c:\\progra~1\\mozilla firefox\\firefox.exe");
    // Cut at the first ".exe".
    EXPECT_EQ(BrowserProgramFromCommand("\"C:\\Tools\\launch.exe\" C:\\Browser\\browser.exe %1"),
              "c:\\tools\\launch.exe");
    // Without ".exe" only ".exe" is left: the launch then fails quietly.
    EXPECT_EQ(BrowserProgramFromCommand("\"C:\\Browser\\browser.com\" %1"), ".exe");
    EXPECT_EQ(BrowserProgramFromCommand(""), "");
}

TEST(OpenURL, AddressReachesTheBrowserAsOneArgument)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(QuoteCommandLineArgument("http://example.com/"), "\"http://example.com/\"");
    for (const std::string address :
         {"http://example.com/a b c", "http://example.com/?q=\"x\" y", "C:\\path with blank\\",
          "\\\\server\\share\\\"", "", "trailing backslash\\", "tab\there", "http://x/%20&|<>^"}) {
        EXPECT_EQ(ParseCommandLine("browser.exe " + QuoteCommandLineArgument(address)), (V{"browser.exe", address}))
            << address;
    }
}

TEST(OpenURL, NothingToOpenForAnEmptyLinkAddress)
{
    EXPECT_FALSE(ShellOpen(""));
}

TEST(OpenURL, OnlyWebAndMailAddressesReachTheDesktopOpener)
{
    TStandInOpener opener;
    for (const char* refused : {"file:///tmp/evil.desktop", "/usr/bin/xterm", "javascript:alert(1)",
                                "tarnwick-probe:run", "ftp://files.example/"}) {
        EXPECT_FALSE(ShellOpen(refused)) << refused;
        EXPECT_FALSE(OpenURL(refused)) << refused;
    }
    // The opener is a separate process: each allowed address is waited for in turn,
    // so anything refused above that had slipped through would be on record too.
    EXPECT_TRUE(ShellOpen("http://a.example/x y"));
    ASSERT_TRUE(opener.WaitFor(1));
    EXPECT_TRUE(OpenURL("mailto:ann@example.com"));
    ASSERT_TRUE(opener.WaitFor(2));
    EXPECT_TRUE(ShellOpen("www.b.example"));
    ASSERT_TRUE(opener.WaitFor(3));
    EXPECT_EQ(opener.Received(), (std::vector<std::string>{"http://a.example/x%20y", "mailto:ann@example.com",
                                                           "http://www.b.example"}));
}
