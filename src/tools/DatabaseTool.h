#pragma once
// The command-line tool for the directory database: export it as caret text
// or CSV, import text into a new database, and check a database file.

#include <iosfwd>
#include <string>
#include <vector>

// Exit codes of the tool.
namespace ToolExit {
enum : int {
    Ok = 0,
    Usage = 1,     // unknown command or option, missing argument
    FileError = 2, // a file that is missing or cannot be read or written
    Damaged = 3,   // the database fails its password check or its authentication code
    Exists = 4,    // the database exists and --force was not given
    BadInput = 5,  // text that cannot become directories
};
}

// Runs the tool on `args` (without the program name). `in` is read for the
// import file "-".
int RunDatabaseTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);
