#include "tools/DatabaseTool.h"

#include "common/AddressPolicy.h"
#include "store/DirectoriesCsv.h"
#include "store/FileIO.h"
#include "store/TDDirectories.h"

#include <QFileInfo>
#include <QString>

#include <iostream>
#include <iterator>
#include <sstream>

namespace {

const char* const Usage =
    "Usage:\n"
    "  tarnwick-db export DATABASE [--csv] [--salvage]\n"
    "      Writes the directories as caret text (or CSV) to standard output.\n"
    "      --salvage writes what can be read of a damaged database.\n"
    "  tarnwick-db import FILE DATABASE [--csv] [--force]\n"
    "      Encrypts caret text or CSV (FILE \"-\" reads standard input) into DATABASE.\n"
    "      A FILE ending in .csv is read as CSV. An existing DATABASE is replaced\n"
    "      only with --force.\n"
    "  tarnwick-db check DATABASE\n"
    "      Tells whether DATABASE decrypts and authenticates, and how many\n"
    "      directories it holds.\n"
    "Exit codes: 0 done, 1 usage, 2 missing or unreadable file, 3 damaged database,\n"
    "  4 database exists (no --force), 5 text that cannot become directories.\n";

QString PathOf(const std::string& arg)
{
    return QString::fromLocal8Bit(arg.data(), static_cast<qsizetype>(arg.size()));
}

const char* Describe(TDatabaseState state)
{
    switch (state) {
    case TDatabaseState::Intact: return "decrypts and authenticates";
    case TDatabaseState::Missing: return "no such file";
    case TDatabaseState::TooShort:
        return "too short to be a directory database (at least 20 bytes are needed)";
    case TDatabaseState::NotReadable:
        return "fails the password check: the header is damaged, or this is not a directory "
               "database of Tarnwick";
    case TDatabaseState::Damaged:
        return "damaged or cut short: the authentication code does not match";
    }
    return "";
}

struct TArgs {
    std::vector<std::string> Positional;
    bool Csv = false;
    bool Force = false;
    bool Salvage = false;
    bool Help = false;
    std::string Unknown;
};

TArgs Parse(const std::vector<std::string>& args)
{
    TArgs parsed;
    for (const std::string& arg : args) {
        if (arg == "--csv")
            parsed.Csv = true;
        else if (arg == "--force")
            parsed.Force = true;
        else if (arg == "--salvage")
            parsed.Salvage = true;
        else if (arg == "--help" || arg == "-h")
            parsed.Help = true;
        else if (arg.size() > 1 && arg[0] == '-' && parsed.Unknown.empty())
            parsed.Unknown = arg;
        else
            parsed.Positional.push_back(arg);
    }
    return parsed;
}

int Export(const TArgs& a, std::ostream& out, std::ostream& err)
{
    const std::string& database = a.Positional[1];
    TDDirectories directories;
    const TDatabaseState state = directories.LoadFile(PathOf(database));
    if (state == TDatabaseState::Missing) {
        err << "tarnwick-db: " << database << ": no such file\n";
        return ToolExit::FileError;
    }
    if (state != TDatabaseState::Intact) {
        err << "tarnwick-db: " << database << ": " << Describe(state) << "\n";
        if (!a.Salvage || state != TDatabaseState::Damaged) {
            if (state == TDatabaseState::Damaged)
                err << "tarnwick-db: add --salvage to export the " << directories.Count()
                    << " directories that could be read.\n";
            return ToolExit::Damaged;
        }
        err << "tarnwick-db: exporting the " << directories.Count()
            << " directories that could be read; some may be wrong or missing.\n";
    }
    const std::string text = a.Csv ? DirectoriesToCsv(directories) : directories.ToText();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
        err << "tarnwick-db: cannot write to standard output\n";
        return ToolExit::FileError;
    }
    return ToolExit::Ok;
}

int Import(const TArgs& a, std::istream& in, std::ostream& out, std::ostream& err)
{
    const std::string& source = a.Positional[1];
    const std::string& database = a.Positional[2];
    std::string text;
    if (source == "-") {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            err << "tarnwick-db: cannot read standard input\n";
            return ToolExit::FileError;
        }
    } else {
        if (!FileExists(PathOf(source))) {
            err << "tarnwick-db: " << source << ": no such file\n";
            return ToolExit::FileError;
        }
        text = ReadWholeFile(PathOf(source));
    }
    const QString target = PathOf(database);
    if (FileExists(target) && !a.Force) {
        err << "tarnwick-db: " << database
            << " exists; add --force to replace it (the old database is then lost)\n";
        return ToolExit::Exists;
    }
    if (QFileInfo(target).isDir()) {
        err << "tarnwick-db: " << database << " is a directory\n";
        return ToolExit::FileError;
    }
    const bool csv = a.Csv || QFileInfo(PathOf(source)).suffix().compare("csv", Qt::CaseInsensitive) == 0;
    TDDirectories directories;
    try {
        if (csv) {
            DirectoriesFromCsv(text, directories);
        } else {
            CheckCaretRows(text);
            directories.LoadFromText(text);
        }
    } catch (const TImportError& error) {
        err << "tarnwick-db: " << source << ": " << error.what() << "\n";
        return ToolExit::BadInput;
    }
    // Addresses are data: a row Go to Directory will refuse is named now.
    for (int i = 0; i < directories.Count(); ++i) {
        const TDDirectory& d = directories.RecordAt(i);
        if (!d.URL.empty() && !AddressPolicy::Navigable(QString::fromLatin1(d.URL.c_str())))
            err << "tarnwick-db: " << source << ": directory " << (i + 1) << " (\"" << d.Title
                << "\"): the address \"" << d.URL
                << "\" is no web (http, https) or local (file) page; the program will not open it\n";
    }
    directories.SaveFile(target);
    out << "Wrote " << directories.Count() << " directories to " << database << "\n";
    return ToolExit::Ok;
}

int Check(const TArgs& a, std::ostream& out, std::ostream& err)
{
    const std::string& database = a.Positional[1];
    // Streamed through the cipher's buffer and counted: a check of any size
    // holds neither the file nor its directories.
    int64_t count = 0;
    const TDatabaseState state = TDDirectories::CheckFile(PathOf(database), count);
    if (state == TDatabaseState::Missing) {
        err << "tarnwick-db: " << database << ": no such file\n";
        return ToolExit::FileError;
    }
    if (state == TDatabaseState::Intact) {
        out << database << ": " << Describe(state) << "; " << count << " directories\n";
        return ToolExit::Ok;
    }
    out << database << ": " << Describe(state);
    if (state == TDatabaseState::Damaged)
        out << "; " << count << " directories could be read";
    out << "\n";
    return ToolExit::Damaged;
}

} // namespace

int RunDatabaseTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err)
{
    const TArgs a = Parse(args);
    if (a.Help) {
        out << Usage;
        return ToolExit::Ok;
    }
    if (!a.Unknown.empty()) {
        err << "tarnwick-db: unknown option " << a.Unknown << "\n" << Usage;
        return ToolExit::Usage;
    }
    const std::string command = a.Positional.empty() ? std::string() : a.Positional[0];
    const size_t wanted = command == "import" ? 3 : 2;
    if ((command != "export" && command != "import" && command != "check") || a.Positional.size() != wanted) {
        err << (command.empty() ? std::string("tarnwick-db: no command given\n")
                                : "tarnwick-db: wrong use of \"" + command + "\"\n")
            << Usage;
        return ToolExit::Usage;
    }
    try {
        if (command == "export")
            return Export(a, out, err);
        if (command == "import")
            return Import(a, in, out, err);
        return Check(a, out, err);
    } catch (const TFileError& error) {
        err << "tarnwick-db: " << error.what() << "\n";
        return ToolExit::FileError;
    } catch (const std::exception& error) {
        err << "tarnwick-db: " << error.what() << "\n";
        return ToolExit::FileError;
    }
}
