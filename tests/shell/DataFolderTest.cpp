// Where the data lives: the choice of the data folder and its seeding with
// the starter data on first start.
#include "shell/AppPaths.h"
#include "store/FileIO.h"
#include "store/TDDirectories.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Sets an environment variable (or removes it) for one scope.
class EnvScope {
public:
    EnvScope(const char* name, std::optional<QString> value)
        : FName(name)
        , FSaved(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt)
    {
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~EnvScope()
    {
        if (FSaved)
            qputenv(FName, *FSaved);
        else
            qunsetenv(FName);
    }

private:
    const char* FName;
    std::optional<QByteArray> FSaved;
};

// An installed share/tarnwick: read-only files, one demo page, a database
// with a relative demo address and an absolute one.
struct TSharedTree {
    TTempAppDir Dir;
    TSharedTree()
    {
        QDir().mkpath(Dir.File("demo"));
        Dir.Write("demo/page one.html", "<html><body>demo form</body></html>");
        Dir.Write("Projects.dat", "^Sample Bakery^Ann^Baker^\r\n");
        TDDirectories directories;
        directories.Append("a", std::make_unique<TDDirectory>(TDDirectory{"Demo", "demo/page one.html", "General", "Free", "3", "", "10"}));
        directories.Append("b", std::make_unique<TDDirectory>(TDDirectory{"Remote", "http://directory.example/submit", "Business", "Paid", "5", "", "20"}));
        directories.SaveAll(Dir.Path());
        for (const char* name : {"Projects.dat", "Directories.dat", "demo/page one.html"})
            QFile::setPermissions(Dir.File(QLatin1String(name)), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
};

} // namespace

TEST(DataFolder, ChosenThenPortableThenTheUsersDataFolder)
{
    TTempAppDir program;
    TTempAppDir home;
    const EnvScope noXdg("XDG_DATA_HOME", std::nullopt);
    const EnvScope homeScope("HOME", home.Path());

    // A fresh tree: the user's data folder under the home folder.
    TDataFolder folder = ChooseDataFolder(program.Path(), QString());
    EXPECT_EQ(folder.Kind, TDataFolderKind::User);
    EXPECT_EQ(folder.Path, home.Path() + ".local/share/tarnwick/");
    {
        const EnvScope xdg("XDG_DATA_HOME", home.File("xdg"));
        EXPECT_EQ(ChooseDataFolder(program.Path(), QString()).Path, home.Path() + "xdg/tarnwick/");
    }

    // Either data file beside the executable keeps an existing copy portable.
    for (const char* name : {"Projects.dat", "Directories.dat"}) {
        SCOPED_TRACE(name);
        TTempAppDir portable;
        portable.Write(QLatin1String(name), "");
        folder = ChooseDataFolder(portable.Path(), QString());
        EXPECT_EQ(folder.Kind, TDataFolderKind::Portable);
        EXPECT_EQ(folder.Path, portable.Path());
        // --data-dir wins, taken from the current folder and given its separator.
        const QString current = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(home.Path()));
        folder = ChooseDataFolder(portable.Path(), "sub/../elsewhere");
        QDir::setCurrent(current);
        EXPECT_EQ(folder.Kind, TDataFolderKind::Chosen);
        EXPECT_EQ(folder.Path, QDir(home.Path()).absoluteFilePath("elsewhere") + "/");
    }
}

TEST(DataFolder, AFirstStartIsSeededWithTheDemoAddressesResolvedThere)
{
    const TSharedTree shared;
    TTempAppDir root;
    // A space and a letter outside ASCII: the address must still open the page.
    const QString data = root.File(QStringLiteral("Dätä folder/nested/"));
    ASSERT_TRUE(PrepareDataFolder(data, shared.Dir.Path()));

    TDDirectories seeded;
    ASSERT_EQ(seeded.LoadAll(data), TDatabaseState::Intact);
    ASSERT_EQ(seeded.Count(), 2);
    const std::string& demoAddress = seeded.RecordAt(0).URL;
    const QUrl demo(QString::fromLatin1(demoAddress));
    ASSERT_TRUE(demo.isLocalFile()) << demoAddress;
    EXPECT_EQ(demo.toLocalFile(), data + "demo/page one.html");
    EXPECT_EQ(ReadFileBytes(demo.toLocalFile()), "<html><body>demo form</body></html>");
    EXPECT_EQ(seeded.RecordAt(0).Title, "Demo");
    EXPECT_EQ(seeded.RecordAt(1).URL, "http://directory.example/submit");
    EXPECT_EQ(ReadFileBytes(data + "Projects.dat"), "^Sample Bakery^Ann^Baker^\r\n");
    // The copies are the user's to change, though the installed files are read-only.
    EXPECT_TRUE(QFileInfo(data + "Projects.dat").isWritable());
    EXPECT_TRUE(QFileInfo(data + "demo/page one.html").isWritable());

    // The next start finds the data and changes nothing.
    WriteFileBytes(data + "Projects.dat", "^Mine^\r\n");
    const std::string database = ReadFileBytes(data + "Directories.dat");
    EXPECT_FALSE(PrepareDataFolder(data, shared.Dir.Path()));
    EXPECT_EQ(ReadFileBytes(data + "Projects.dat"), "^Mine^\r\n");
    EXPECT_EQ(ReadFileBytes(data + "Directories.dat"), database);

    // A user who kept only a directory database gets no sample projects.
    TTempAppDir ownDatabase;
    ownDatabase.Write("Directories.dat", database);
    EXPECT_FALSE(PrepareDataFolder(ownDatabase.Path(), shared.Dir.Path()));
    EXPECT_FALSE(ownDatabase.Exists("Projects.dat"));

    // No installed starter data (a build folder): the folder is made, and left empty.
    const QString bare = root.File("bare/");
    EXPECT_FALSE(PrepareDataFolder(bare, QString()));
    EXPECT_TRUE(QFileInfo(bare).isDir());
    EXPECT_TRUE(QDir(bare).isEmpty());
}

TEST(DataFolder, AFolderThatCannotBeMadeOrSeededIsAnErrorAndLosesNothing)
{
    TTempAppDir root;
    root.Write("taken", "a file the user keeps");
    const TSharedTree shared;
    EXPECT_THROW(PrepareDataFolder(root.File("taken/"), shared.Dir.Path()), TFileError);
    EXPECT_THROW(PrepareDataFolder(root.File("taken/below/"), shared.Dir.Path()), TFileError);
    EXPECT_EQ(root.Read("taken"), "a file the user keeps");

    // A damaged installed database seeds nothing, so the next start tries again.
    TSharedTree damaged;
    QFile::setPermissions(damaged.Dir.File("Directories.dat"), QFile::ReadOwner | QFile::WriteOwner);
    damaged.Dir.Write("Directories.dat", "not a database");
    const QString data = root.File("data/");
    EXPECT_THROW(PrepareDataFolder(data, damaged.Dir.Path()), TFileError);
    EXPECT_FALSE(QFileInfo::exists(data + "Projects.dat"));
    EXPECT_FALSE(QFileInfo::exists(data + "Directories.dat"));
}

TEST(DataFolder, ProgramFilesComeFromTheDataFolderFirst)
{
    TTempAppDir data;
    TTempAppDir shared;
    shared.Write("twconfig.dat", "installed");
    EXPECT_EQ(FindProgramFile(data.Path(), shared.Path(), "twconfig.dat"), shared.File("twconfig.dat"));
    EXPECT_EQ(FindProgramFile(data.Path(), shared.Path(), "twskin.dat"), data.File("twskin.dat"));
    EXPECT_EQ(FindProgramFile(data.Path(), QString(), "twconfig.dat"), data.File("twconfig.dat"));
    data.Write("twconfig.dat", "own");
    EXPECT_EQ(FindProgramFile(data.Path(), shared.Path(), "twconfig.dat"), data.File("twconfig.dat"));

    EXPECT_FALSE(InstalledByPackage(shared.Path()));
    EXPECT_FALSE(InstalledByPackage(QString()));
    shared.Write(PackageMarkerFileName, "");
    EXPECT_TRUE(InstalledByPackage(shared.Path()));
}
