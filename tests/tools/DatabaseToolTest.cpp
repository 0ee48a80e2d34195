#include "TestSupport.h"

#include "tools/DatabaseTool.h"
#include "store/DirectoriesCsv.h"
#include "store/FileIO.h"
#include "store/UGeneral.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

TRun Tool(std::vector<std::string> args, const std::string& input = "")
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = RunDatabaseTool(args, in, out, err);
    return {code, out.str(), err.str()};
}

std::string Path(const TTempAppDir& dir, const char* name)
{
    return dir.File(name).toStdString();
}

const std::string CaretText = "^Alpha^http://a.example/submit^Arts^Free^4^1200^^\r\n"
                              "^Beta, Inc.^http://b.example/^News^Paid^^^kept \"quoted\"^\r\n"
                              "^^^^^^^^\r\n";

} // namespace

TEST(DatabaseTool, ImportCheckExportRoundTrip)
{
    TTempAppDir dir;
    dir.Write("list.txt", CaretText);
    // The command line the build uses for the starter database.
    TRun run = Tool({"import", Path(dir, "list.txt"), Path(dir, "Directories.dat"), "--force"});
    ASSERT_EQ(run.Code, ToolExit::Ok) << run.Err;
    EXPECT_NE(run.Out.find("3 directories"), std::string::npos);

    run = Tool({"check", Path(dir, "Directories.dat")});
    EXPECT_EQ(run.Code, ToolExit::Ok);
    EXPECT_NE(run.Out.find("decrypts and authenticates; 3 directories"), std::string::npos) << run.Out;

    run = Tool({"export", Path(dir, "Directories.dat")});
    EXPECT_EQ(run.Code, ToolExit::Ok);
    EXPECT_EQ(run.Out, CaretText);

    // The program loads what the tool wrote.
    TDDirectories loaded;
    ASSERT_EQ(loaded.LoadAll(dir.Path()), TDatabaseState::Intact);
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.RecordAt(1).Extra, "kept \"quoted\"");

    run = Tool({"export", "--csv", Path(dir, "Directories.dat")});
    EXPECT_EQ(run.Code, ToolExit::Ok);
    EXPECT_EQ(run.Out, "Title,URL,Category,Type,PageRank,AlexaRank,Extra\r\n"
                       "Alpha,http://a.example/submit,Arts,Free,4,1200,\r\n"
                       "\"Beta, Inc.\",http://b.example/,News,Paid,,,\"kept \"\"quoted\"\"\"\r\n"
                       ",,,,,,\r\n");

    // CSV back in (from standard input) gives the same database text.
    run = Tool({"import", "-", Path(dir, "again.dat"), "--csv"}, run.Out);
    ASSERT_EQ(run.Code, ToolExit::Ok) << run.Err;
    EXPECT_EQ(Tool({"export", Path(dir, "again.dat")}).Out, CaretText);
}

TEST(DatabaseTool, NeverOverwritesWithoutForce)
{
    TTempAppDir dir;
    dir.Write("list.txt", CaretText);
    dir.Write("Directories.dat", "precious");
    TRun run = Tool({"import", Path(dir, "list.txt"), Path(dir, "Directories.dat")});
    EXPECT_EQ(run.Code, ToolExit::Exists);
    EXPECT_NE(run.Err.find("--force"), std::string::npos);
    EXPECT_EQ(dir.Read("Directories.dat"), "precious");
    run = Tool({"import", Path(dir, "list.txt"), Path(dir, "Directories.dat"), "--force"});
    EXPECT_EQ(run.Code, ToolExit::Ok);
    EXPECT_EQ(Tool({"export", Path(dir, "Directories.dat")}).Out, CaretText);
}

TEST(DatabaseTool, DamagedAndMissingFiles)
{
    TTempAppDir dir;
    dir.Write("list.txt", CaretText);
    ASSERT_EQ(Tool({"import", Path(dir, "list.txt"), Path(dir, "Directories.dat")}).Code, ToolExit::Ok);
    const std::string good = dir.Read("Directories.dat");
    std::string body = good;
    body[15] = static_cast<char>(body[15] ^ 1);
    dir.Write("body.dat", body);
    std::string header = good;
    header[8] = static_cast<char>(header[8] ^ 1);
    dir.Write("header.dat", header);
    dir.Write("empty.dat", "");

    TRun run = Tool({"check", Path(dir, "body.dat")});
    EXPECT_EQ(run.Code, ToolExit::Damaged);
    EXPECT_NE(run.Out.find("authentication code"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("3 directories could be read"), std::string::npos) << run.Out;
    run = Tool({"export", Path(dir, "body.dat")});
    EXPECT_EQ(run.Code, ToolExit::Damaged);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("--salvage"), std::string::npos);
    run = Tool({"export", Path(dir, "body.dat"), "--salvage"});
    EXPECT_EQ(run.Code, ToolExit::Ok);
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 3);

    run = Tool({"check", Path(dir, "header.dat")});
    EXPECT_EQ(run.Code, ToolExit::Damaged);
    EXPECT_NE(run.Out.find("password check"), std::string::npos);
    EXPECT_EQ(Tool({"export", Path(dir, "header.dat"), "--salvage"}).Code, ToolExit::Damaged);
    run = Tool({"check", Path(dir, "empty.dat")});
    EXPECT_EQ(run.Code, ToolExit::Damaged);
    EXPECT_NE(run.Out.find("too short"), std::string::npos);

    run = Tool({"check", Path(dir, "missing.dat")});
    EXPECT_EQ(run.Code, ToolExit::FileError);
    EXPECT_NE(run.Err.find("no such file"), std::string::npos);
    EXPECT_EQ(Tool({"export", Path(dir, "missing.dat")}).Code, ToolExit::FileError);
    EXPECT_EQ(Tool({"import", Path(dir, "missing.txt"), Path(dir, "new.dat")}).Code, ToolExit::FileError);
    EXPECT_FALSE(dir.Exists("new.dat"));
    EXPECT_EQ(Tool({"import", Path(dir, "list.txt"), Path(dir, "no/such/dir.dat")}).Code, ToolExit::FileError);
}

TEST(DatabaseTool, BadTextAndBadUse)
{
    TTempAppDir dir;
    const struct {
        const char* Name;
        std::string Text;
        const char* Says;
    } bad[] = {
        {"open.csv", "Title,URL\r\n\"never closed,x\r\n", "never closed"},
        {"wide.csv", "a,b,c,d,e,f,g,h\r\n", "at most 7"},
        {"caret.csv", "ok,x\r\n\"a^b\",x\r\n", "Row 2, field Title"},
        {"break.csv", "\"a\r\nb\",x\r\n", "line break"},
        {"after.csv", "\"a\"b,x\r\n", "closing quote"},
        {"nul.txt", std::string("^a^\r\n^b\0^\r\n", 11), "Line 2"},
    };
    for (const auto& b : bad) {
        dir.Write(b.Name, b.Text);
        const TRun run = Tool({"import", Path(dir, b.Name), Path(dir, "out.dat")});
        EXPECT_EQ(run.Code, ToolExit::BadInput) << b.Name;
        EXPECT_NE(run.Err.find(b.Says), std::string::npos) << b.Name << ": " << run.Err;
        EXPECT_FALSE(dir.Exists("out.dat")) << b.Name;
    }
    // A .csv name reads as CSV; the header row is optional; short rows are padded.
    dir.Write("short.csv", "One,http://one/\nTwo\n\n");
    ASSERT_EQ(Tool({"import", Path(dir, "short.csv"), Path(dir, "out.dat")}).Code, ToolExit::Ok);
    EXPECT_EQ(Tool({"export", Path(dir, "out.dat")}).Out, "^One^http://one/^^^^^^\r\n^Two^^^^^^^\r\n");

    EXPECT_EQ(Tool({}).Code, ToolExit::Usage);
    EXPECT_EQ(Tool({"frobnicate", "x"}).Code, ToolExit::Usage);
    EXPECT_EQ(Tool({"import", "only-one"}).Code, ToolExit::Usage);
    EXPECT_EQ(Tool({"check", "a", "--bogus"}).Code, ToolExit::Usage);
    const TRun help = Tool({"--help"});
    EXPECT_EQ(help.Code, ToolExit::Ok);
    EXPECT_NE(help.Out.find("tarnwick-db export"), std::string::npos);
}

TEST(DatabaseTool, TheBuiltProgram)
{
    const QString program = QCoreApplication::applicationDirPath() + "/tarnwick-db";
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "tarnwick-db is not built beside the tests";
    TTempAppDir dir;
    dir.Write("list.txt", CaretText);
    QProcess tool;
    tool.start(program, {"import", dir.File("list.txt"), dir.File("Directories.dat"), "--force"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    tool.start(program, {"export", dir.File("Directories.dat")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(tool.readAllStandardOutput().toStdString(), CaretText);
    tool.start(program, {"check", dir.File("missing.dat")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), ToolExit::FileError);
    EXPECT_TRUE(tool.readAllStandardError().contains("no such file"));
}

TEST(DatabaseTool, CaretRowsWithTextOutsideTheFieldsAreRefusedLikeCsvRows)
{
    TTempAppDir dir;
    for (const char* bad : {"^A^http://a.example/^^^^^^\r\nlead^B^http://b.example/^\r\n",
                            "^A^http://a.example/^^^^^^\r\n^B^u^c^t^1^2^x^eighth^\r\n"}) {
        dir.Write("bad.txt", bad);
        const TRun run = Tool({"import", Path(dir, "bad.txt"), Path(dir, "Directories.dat"), "--force"});
        EXPECT_EQ(run.Code, ToolExit::BadInput) << bad;
        EXPECT_NE(run.Err.find("Line 2 holds text outside the 7 fields"), std::string::npos) << run.Err;
        EXPECT_FALSE(dir.Exists("Directories.dat"));
    }
    // Empty pieces after the seventh field are only carets: nothing is lost.
    dir.Write("ok.txt", "^A^javascript:alert(1)^c^t^1^2^x^^^^\r\n^B^https://b.example/^\r\n");
    const TRun run = Tool({"import", Path(dir, "ok.txt"), Path(dir, "Directories.dat")});
    ASSERT_EQ(run.Code, ToolExit::Ok) << run.Err;
    // A row the program will not open is named.
    EXPECT_NE(run.Err.find("directory 1 (\"A\"): the address \"javascript:alert(1)\""), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("\"B\""), std::string::npos) << run.Err;
}

TEST(DatabaseTool, FilesPastSaneSizesAreRefusedFromTheirHeader)
{
    // A device that never ends fails its header check at once.
    TRun run = Tool({"check", "/dev/zero"});
    EXPECT_EQ(run.Code, ToolExit::Damaged);
    EXPECT_NE(run.Out.find("password check"), std::string::npos) << run.Out;

    // A good header on a file far past any database: refused before it is read.
    TTempAppDir dir;
    dir.Write("list.txt", CaretText);
    ASSERT_EQ(Tool({"import", Path(dir, "list.txt"), Path(dir, "big.dat")}).Code, ToolExit::Ok);
    QFile big(dir.File("big.dat"));
    ASSERT_TRUE(big.resize(MaxDataFileBytes + 1)); // sparse: no disk space taken
    run = Tool({"check", Path(dir, "big.dat")});
    EXPECT_EQ(run.Code, ToolExit::FileError);
    EXPECT_NE(run.Err.find("larger than 512 MB"), std::string::npos) << run.Err;
}
