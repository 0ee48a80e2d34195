#include "shell/AppVersion.h"
#include "shell/FMain.h"
#include "shell/HttpDownload.h"
#include "shell/UpdateCheck.h"
#include "store/FileIO.h"

#include "LoopbackHttpServer.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace {

QByteArray UpdateFile(const QByteArray& version)
{
    return "; newest version\r\n[APPLICATION]\r\nVersion=" + version + "\r\n";
}

QString NewUpdateQuestion(const QString& version)
{
    return QLatin1String(UpdateTexts::NewUpdateStart) + version + QLatin1String(UpdateTexts::NewUpdateEnd);
}

class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override { TMessageBox::ClearScript(); }
    void TearDown() override { TMessageBox::ClearScript(); }

    std::unique_ptr<THttpDownload> Download(const QString& url, const QString& path)
    {
        auto download = std::make_unique<THttpDownload>(Http, url, path, Settings);
        download->Start();
        return download;
    }

    // Fetches `url` into the local update file and returns the outcome.
    bool Fetch(const QString& url)
    {
        const auto download = Download(url, Dir.File(UpdateFileName));
        QSignalSpy finished(download.get(), &THttpDownload::Finished);
        EXPECT_TRUE(finished.wait(20000));
        return finished.value(0).value(0).toBool();
    }

    std::unique_ptr<TUpdateCheck> MakeCheck(bool realLauncher = false)
    {
        TUpdateCheckHost host;
        host.AppDir = Dir.Path();
        host.UpdateBaseURL = Server.BaseURL();
        host.MessageBox = &Box;
        host.DownloadFile = [this](const QString& url, const QString& path) { return Download(url, path); };
        if (realLauncher) {
            host.LaunchUpdater = LaunchDetached;
        } else {
            host.LaunchUpdater = [this](const QString& program, const QStringList& arguments) {
                Launches.push_back(QStringList{program} + arguments);
                return true;
            };
        }
        host.CloseMainWindow = [this] { ++Closes; };
        auto check = std::make_unique<TUpdateCheck>(std::move(host));
        QObject::connect(check.get(), &TUpdateCheck::Finished,
                         [this](TUpdateOutcome outcome) { Outcomes.push_back(outcome); });
        return check;
    }

    TUpdateOutcome Run(TUpdateCheck& check, bool silent)
    {
        const std::size_t before = Outcomes.size();
        check.Request(silent);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Outcomes.size() > before; }, 20000));
        EXPECT_FALSE(check.Waiting());
        return Outcomes.size() > before ? Outcomes.back() : TUpdateOutcome::Cancelled;
    }

    void ServeVersion(const QByteArray& version) { Server.SetBody("/mainappupdate.inf", UpdateFile(version)); }

    void InstallUpdater(const char* body)
    {
        Dir.Write(UpdaterFileName(), body);
        QFile::setPermissions(Dir.File(UpdaterFileName()),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    static std::vector<QString> ShownTexts()
    {
        std::vector<QString> texts;
        for (const TShownMessage& message : TMessageBox::Shown())
            texts.push_back(message.Text);
        return texts;
    }

    TTempAppDir Dir;
    TLoopbackHttpServer Server;
    QNetworkAccessManager Http;
    THttpSettings Settings;
    TMessageBox Box;
    std::vector<QStringList> Launches;
    std::vector<TUpdateOutcome> Outcomes;
    int Closes = 0;
};

} // namespace

TEST(UpdateVersion, ComparedAsThirtyTwoBitValuesWithTheUsersSeparator)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const char* older : {"1.01", "1.0100000001", "1.00", "0.99", "", "text", "1,02", "1.0.2", "-2", "inf",
                              "nan", "-inf", "1e39", "1,000.5"})
        EXPECT_FALSE(IsNewerVersion(older, english)) << older;
    for (const char* newer : {"1.02", "1.1", "2", "1.010001", "1e1", "1.10"})
        EXPECT_TRUE(IsNewerVersion(newer, english)) << newer;
    EXPECT_EQ(VersionValue("1.0100000001", english), AppVersion);
    EXPECT_EQ(VersionValue("garbage", english), 0.0f);

    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_TRUE(IsNewerVersion("1,02", german));
    EXPECT_FALSE(IsNewerVersion("1.02", german));
    EXPECT_FALSE(IsNewerVersion("1,01", german));

    EXPECT_EQ(UpdaterArguments("http://u.example/", english),
              (QStringList{"http://u.example/", "1.00999999046326", "A"}));
    EXPECT_EQ(UpdaterArguments("http://u.example/", german),
              (QStringList{"http://u.example/", "1,00999999046326", "A"}));
}

TEST_F(UpdateCheckTest, DownloadSendsTheRequestAndKeepsTheFile)
{
    Dir.Write(UpdateFileName, "stale copy from an earlier check that is longer than the new one");
    Server.SetBody("/liveupdate/tarnwick/mainappupdate.inf", UpdateFile("1.02"));
    EXPECT_TRUE(Fetch(Server.BaseURL() + "liveupdate/tarnwick/mainappupdate.inf"));
    EXPECT_EQ(Dir.Read(UpdateFileName), UpdateFile("1.02").toStdString());
    ASSERT_EQ(Server.Requests().size(), 1);
    const TRecordedRequest& request = Server.Requests().front();
    EXPECT_EQ(request.Method, "GET");
    EXPECT_EQ(request.Version, "HTTP/1.1");
    EXPECT_EQ(request.Path, "/liveupdate/tarnwick/mainappupdate.inf");
    EXPECT_EQ(request.Headers.value("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(request.Headers.value("accept"), "text/html, */*");
    EXPECT_EQ(request.Headers.value("connection"), "close");
}

TEST_F(UpdateCheckTest, EveryFailureLeavesNoLocalFile)
{
    Server.SetBody("/file", "[APPLICATION]\r\nVersion=9\r\n");
    THttpScriptedResponse serverError;
    serverError.Status = 500;
    serverError.Reason = "Internal Server Error";
    serverError.Body = "[APPLICATION]\r\nVersion=9\r\n";
    Server.SetResponse("/error", serverError);

    const QString port = QString::number(TLoopbackHttpServer::ClosedPort());
    for (const QString& url : {Server.BaseURL() + "missing", Server.BaseURL() + "error",
                               "http://127.0.0.1:" + port + "/file", QStringLiteral("mainappupdate.inf"),
                               QStringLiteral("ftp://127.0.0.1/file")}) {
        SCOPED_TRACE(url.toStdString());
        Dir.Write(UpdateFileName, "[APPLICATION]\r\nVersion=9\r\n");
        EXPECT_FALSE(Fetch(url));
        EXPECT_FALSE(Dir.Exists(UpdateFileName));
    }

    // An answer far larger than any update file.
    Settings.MaxBodyBytes = 64;
    Server.SetBody("/large", QByteArray(100000, 'x'));
    EXPECT_FALSE(Fetch(Server.BaseURL() + "large"));
    EXPECT_FALSE(Dir.Exists(UpdateFileName));
}

TEST_F(UpdateCheckTest, RedirectsAreFollowedFifteenTimesAtMost)
{
    Server.SetBody("/final", UpdateFile("1.5"));
    EXPECT_TRUE(Fetch(Server.AddRedirectChain(15, "/final")));
    EXPECT_EQ(Dir.Read(UpdateFileName), UpdateFile("1.5").toStdString());
    // Every hop and the file itself (the client may repeat a request on a
    // connection the server closed, so distinct paths are counted).
    std::set<QByteArray> paths;
    for (const TRecordedRequest& request : Server.Requests())
        paths.insert(request.Path);
    EXPECT_EQ(paths.size(), 16u);
    EXPECT_TRUE(paths.count("/final"));

    TLoopbackHttpServer longer;
    longer.SetBody("/final", UpdateFile("1.5"));
    EXPECT_FALSE(Fetch(longer.AddRedirectChain(16, "/final")));
    EXPECT_FALSE(Dir.Exists(UpdateFileName));
    for (const TRecordedRequest& request : longer.Requests())
        EXPECT_NE(request.Path, "/final");
}

TEST_F(UpdateCheckTest, ASiteThatNeverAnswersTimesOut)
{
    THttpScriptedResponse silence;
    silence.Hold = true;
    Server.SetResponse("/mainappupdate.inf", silence);
    Settings.TransferTimeoutMs = 300;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Fetch(Server.BaseURL() + "mainappupdate.inf"));
    EXPECT_FALSE(Dir.Exists(UpdateFileName));
    EXPECT_GE(clock.elapsed(), 250);
}

TEST_F(UpdateCheckTest, ALocalFileThatCannotBeCreatedIsAnError)
{
    const auto check = MakeCheck();
    TUpdateCheckHost host;
    host.AppDir = Dir.File("no-such-directory/");
    host.UpdateBaseURL = Server.BaseURL();
    host.MessageBox = &Box;
    host.DownloadFile = [this](const QString& url, const QString& path) { return Download(url, path); };
    TUpdateCheck unwritable(std::move(host));
    EXPECT_THROW(unwritable.Request(false), TFileError);
    EXPECT_FALSE(unwritable.Waiting());
    EXPECT_TRUE(Server.Requests().isEmpty());
    EXPECT_TRUE(TMessageBox::Shown().empty());
}

TEST_F(UpdateCheckTest, NoUpdateIsAnsweredOnlyWhenAsked)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto check = MakeCheck();
    for (const QByteArray& version : {QByteArray("1.01"), QByteArray("1.0100000001"), QByteArray(""),
                                      QByteArray("text"), QByteArray("1,02")}) {
        SCOPED_TRACE(version.toStdString());
        ServeVersion(version);
        TMessageBox::ClearScript();
        EXPECT_EQ(Run(*check, true), TUpdateOutcome::NoUpdate);
        EXPECT_TRUE(TMessageBox::Shown().empty());
        TMessageBox::SetNextAnswer(MsgResult::OK);
        EXPECT_EQ(Run(*check, false), TUpdateOutcome::NoUpdate);
        ASSERT_EQ(TMessageBox::Shown().size(), 1u);
        EXPECT_EQ(TMessageBox::Shown()[0].Text, "There's no new updates for this application!");
        EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkInformation);
        EXPECT_EQ(TMessageBox::Shown()[0].Buttons, MsgButton::OK);
        // A successful download stays in the application directory.
        EXPECT_EQ(Dir.Read(UpdateFileName), UpdateFile(version).toStdString());
    }

    // No usable answer from the site reads the same.
    Server.SetResponse("/mainappupdate.inf", THttpScriptedResponse{404, "Not Found", {}, "", false});
    TMessageBox::ClearScript();
    EXPECT_EQ(Run(*check, true), TUpdateOutcome::NoUpdate);
    EXPECT_TRUE(TMessageBox::Shown().empty());
    TMessageBox::SetNextAnswer(MsgResult::OK);
    EXPECT_EQ(Run(*check, false), TUpdateOutcome::NoUpdate);
    EXPECT_EQ(ShownTexts(), std::vector<QString>{"There's no new updates for this application!"});
    EXPECT_FALSE(Dir.Exists(UpdateFileName));
    EXPECT_TRUE(Launches.empty());
    EXPECT_EQ(Closes, 0);
}

TEST_F(UpdateCheckTest, ANewerVersionIsOfferedAndDecliningEndsQuietly)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    InstallUpdater("#!/bin/sh\nexit 0\n");
    const auto check = MakeCheck();
    for (const QByteArray& version : {QByteArray("1.02"), QByteArray("1.1"), QByteArray("2"), QByteArray("1.10")}) {
        for (bool silent : {true, false}) {
            SCOPED_TRACE(version.toStdString() + (silent ? " silent" : " asked"));
            ServeVersion(version);
            TMessageBox::ClearScript();
            TMessageBox::SetNextAnswer(MsgResult::Cancel);
            EXPECT_EQ(Run(*check, silent), TUpdateOutcome::Declined);
            ASSERT_EQ(TMessageBox::Shown().size(), 1u);
            // The version as written in the file, trailing zeros kept.
            EXPECT_EQ(TMessageBox::Shown()[0].Text, NewUpdateQuestion(QString::fromLatin1(version)));
            EXPECT_EQ(TMessageBox::Shown()[0].Kind, mkInformation);
            EXPECT_EQ(TMessageBox::Shown()[0].Buttons, MsgButton::OK | MsgButton::Cancel);
        }
    }
    EXPECT_EQ(NewUpdateQuestion("1.02"), "There is a new update: (version 1.02) available for your application!. "
                                         "Do you want download this update now?");

    // Declining the second question ends quietly too; closing the box counts as Cancel.
    ServeVersion("1.02");
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::Cancel);
    EXPECT_EQ(Run(*check, false), TUpdateOutcome::Declined);
    ASSERT_EQ(TMessageBox::Shown().size(), 2u);
    EXPECT_EQ(TMessageBox::Shown()[1].Text, "To update your software the application will close to\n\rreplace some "
                                            "files. Do you want to update now?");
    EXPECT_EQ(TMessageBox::Shown()[1].Kind, mkInformation);
    EXPECT_EQ(TMessageBox::Shown()[1].Buttons, MsgButton::OK | MsgButton::Cancel);
    EXPECT_TRUE(Launches.empty());
    EXPECT_EQ(Closes, 0);
}

TEST_F(UpdateCheckTest, ACommaDecimalUserReadsCommaVersions)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    const auto check = MakeCheck();
    ServeVersion("1,02");
    TMessageBox::SetNextAnswer(MsgResult::Cancel);
    EXPECT_EQ(Run(*check, true), TUpdateOutcome::Declined);
    ServeVersion("1.02");
    TMessageBox::ClearScript();
    EXPECT_EQ(Run(*check, true), TUpdateOutcome::NoUpdate);
    EXPECT_TRUE(TMessageBox::Shown().empty());
}

TEST_F(UpdateCheckTest, AMissingUpdaterIsReported)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto check = MakeCheck();
    ServeVersion("1.02");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    EXPECT_EQ(Run(*check, true), TUpdateOutcome::UpdaterMissing);
    ASSERT_EQ(TMessageBox::Shown().size(), 2u);
    EXPECT_EQ(TMessageBox::Shown()[1].Text,
              "The updater module is missing. Please reinstall again the current version!");
    EXPECT_EQ(TMessageBox::Shown()[1].Kind, mkWarning);
    EXPECT_EQ(TMessageBox::Shown()[1].Buttons, MsgButton::OK);
    EXPECT_TRUE(Launches.empty());
    EXPECT_EQ(Closes, 0);
}

TEST_F(UpdateCheckTest, TheUpdaterGetsExactlyThreeArgumentsAndTheWindowCloses)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    // Records its arguments, one a line after their count, then renames the
    // record into place so the test never reads half of it.
    InstallUpdater("#!/bin/sh\n"
                   "out=\"$(dirname \"$0\")/updater-args\"\n"
                   "{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > \"$out.tmp\"\n"
                   "mv \"$out.tmp\" \"$out\"\n");
    const auto check = MakeCheck(/*realLauncher=*/true);
    ServeVersion("1.02");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    EXPECT_EQ(Run(*check, false), TUpdateOutcome::HandedOver);
    EXPECT_EQ(TMessageBox::Shown().size(), 2u);
    EXPECT_EQ(Closes, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Dir.Exists("updater-args"); }, 20000));
    EXPECT_EQ(Dir.Read("updater-args"), "3\n" + Server.BaseURL().toStdString() + "\n1.00999999046326\nA\n");
    EXPECT_EQ(Dir.Read(UpdateFileName), UpdateFile("1.02").toStdString());
}

TEST_F(UpdateCheckTest, AnUpdaterThatCannotStartKeepsTheProgramOpen)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    Dir.Write(UpdaterFileName(), "not executable");
    const auto check = MakeCheck(/*realLauncher=*/true);
    ServeVersion("2");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    EXPECT_EQ(Run(*check, false), TUpdateOutcome::UpdaterMissing);
    ASSERT_EQ(TMessageBox::Shown().size(), 3u);
    EXPECT_EQ(TMessageBox::Shown()[2].Text, UpdateTexts::UpdaterMissing);
    EXPECT_EQ(Closes, 0);
}

TEST_F(UpdateCheckTest, ASecondRequestWhileWaitingJoinsTheFirst)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    THttpScriptedResponse held{200, "OK", {}, UpdateFile("1.01"), true};
    Server.SetResponse("/mainappupdate.inf", held);
    const auto check = MakeCheck();
    QSignalSpy received(&Server, &TLoopbackHttpServer::RequestReceived);
    check->Request(true);
    ASSERT_TRUE(received.wait(20000));
    EXPECT_TRUE(check->Waiting());
    // The button pressed during the silent start-up check: no second
    // transfer, but the answer is shown.
    check->Request(false);
    check->Request(true);
    EXPECT_FALSE(received.wait(300)) << "a second transfer was started";
    Server.ReleaseHeld();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Outcomes.empty(); }, 20000));
    EXPECT_EQ(Server.Requests().size(), 1);
    EXPECT_EQ(Outcomes, std::vector<TUpdateOutcome>{TUpdateOutcome::NoUpdate});
    EXPECT_EQ(ShownTexts(), std::vector<QString>{"There's no new updates for this application!"});
    EXPECT_FALSE(check->Waiting());
}

TEST_F(UpdateCheckTest, TheWindowChecksOnceAtStartAndOnEachPress)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    ServeVersion("1.01");
    TMainOptions options;
    options.AppDir = Dir.Path();
    options.UpdateBaseURL = Server.BaseURL();
    options.LaunchUpdater = [this](const QString& program, const QStringList& arguments) {
        Launches.push_back(QStringList{program} + arguments);
        return true;
    };
    TfrmMain form(options);
    std::vector<TUpdateOutcome> outcomes;
    QObject::connect(&form.UpdateCheck(), &TUpdateCheck::Finished,
                     [&](TUpdateOutcome outcome) { outcomes.push_back(outcome); });
    form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 1; }, 20000));
    EXPECT_TRUE(TMessageBox::Shown().empty());
    EXPECT_EQ(Server.Requests().size(), 1);

    TMessageBox::SetNextAnswer(MsgResult::OK);
    form.btnUpdate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 2; }, 20000));
    EXPECT_EQ(ShownTexts(), std::vector<QString>{"There's no new updates for this application!"});
    EXPECT_EQ(Server.Requests().size(), 2);

    // Handing over closes the window the normal way, so the data is saved.
    InstallUpdater("#!/bin/sh\nexit 0\n");
    ServeVersion("1.02");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    ASSERT_FALSE(Dir.Exists("Projects.dat"));
    form.btnUpdate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 3; }, 20000));
    EXPECT_EQ(outcomes.back(), TUpdateOutcome::HandedOver);
    ASSERT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Launches[0], (QStringList{Dir.File(UpdaterFileName()), Server.BaseURL(), "1.00999999046326", "A"}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(Dir.Exists("Projects.dat"));
    EXPECT_EQ(Server.Requests().size(), 3);
}

TEST_F(UpdateCheckTest, ClosingTheWindowDropsAWaitingCheck)
{
    THttpScriptedResponse held{200, "OK", {}, UpdateFile("9"), true};
    Server.SetResponse("/mainappupdate.inf", held);
    TMainOptions options;
    options.AppDir = Dir.Path();
    options.ArmStartupTimer = false;
    options.UpdateBaseURL = Server.BaseURL();
    TfrmMain form(options);
    std::vector<TUpdateOutcome> outcomes;
    QObject::connect(&form.UpdateCheck(), &TUpdateCheck::Finished,
                     [&](TUpdateOutcome outcome) { outcomes.push_back(outcome); });
    QSignalSpy received(&Server, &TLoopbackHttpServer::RequestReceived);
    form.btnUpdate->click();
    ASSERT_TRUE(received.wait(20000));
    EXPECT_TRUE(Dir.Exists(UpdateFileName));
    form.close();
    EXPECT_EQ(outcomes, std::vector<TUpdateOutcome>{TUpdateOutcome::Cancelled});
    EXPECT_FALSE(Dir.Exists(UpdateFileName));
    Server.ReleaseHeld();
    QCoreApplication::processEvents();
    EXPECT_TRUE(TMessageBox::Shown().empty());
    EXPECT_EQ(outcomes.size(), 1u);
}

TEST_F(UpdateCheckTest, WithoutAnUpdateSiteNothingIsFetched)
{
    TMainOptions options;
    options.AppDir = Dir.Path();
    options.ArmStartupTimer = false;
    TfrmMain form(options);
    std::vector<TUpdateOutcome> outcomes;
    QObject::connect(&form.UpdateCheck(), &TUpdateCheck::Finished,
                     [&](TUpdateOutcome outcome) { outcomes.push_back(outcome); });
    form.CheckForUpdate(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 1; }, 20000));
    EXPECT_EQ(outcomes[0], TUpdateOutcome::NoUpdate);
    EXPECT_TRUE(TMessageBox::Shown().empty());
    EXPECT_TRUE(Server.Requests().isEmpty());
}

TEST_F(UpdateCheckTest, InstalledFromAPackageANewerVersionIsLeftToThePackageManager)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    // The program's own folder, apart from the data folder, holds an updater that must stay unused.
    TTempAppDir programDir;
    programDir.Write(UpdaterFileName(), "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(programDir.File(UpdaterFileName()), QFile::ReadOwner | QFile::ExeOwner);
    TMainOptions options;
    options.AppDir = Dir.Path();
    options.ProgramDir = programDir.Path();
    options.InstalledByPackage = true;
    options.ArmStartupTimer = false;
    options.UpdateBaseURL = Server.BaseURL();
    options.LaunchUpdater = [this](const QString& program, const QStringList& arguments) {
        Launches.push_back(QStringList{program} + arguments);
        return true;
    };
    TfrmMain form(options);
    form.show();
    std::vector<TUpdateOutcome> outcomes;
    QObject::connect(&form.UpdateCheck(), &TUpdateCheck::Finished,
                     [&](TUpdateOutcome outcome) { outcomes.push_back(outcome); });

    ServeVersion("1.02");
    TMessageBox::SetNextAnswer(MsgResult::OK);
    form.btnUpdate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 1; }, 20000));
    EXPECT_EQ(outcomes[0], TUpdateOutcome::ThroughPackageManager);
    ASSERT_EQ(TMessageBox::Shown().size(), 1u);
    EXPECT_EQ(TMessageBox::Shown()[0].Text,
              "There is a new update: (version 1.02) available for your application. It was installed from a "
              "package, so the new version comes through your package manager: update it there.");
    EXPECT_EQ(TMessageBox::Shown()[0].Buttons, MsgButton::OK);
    EXPECT_TRUE(Launches.empty());
    EXPECT_TRUE(form.isVisible());
    // The file was fetched into the data folder, not beside the program.
    EXPECT_TRUE(Dir.Exists(UpdateFileName));
    EXPECT_FALSE(programDir.Exists(UpdateFileName));

    // The versions are still compared: the same version is no update.
    ServeVersion("1.01");
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    form.btnUpdate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes.size() == 2; }, 20000));
    EXPECT_EQ(outcomes[1], TUpdateOutcome::NoUpdate);
    EXPECT_EQ(ShownTexts(), std::vector<QString>{"There's no new updates for this application!"});

    // Not from a package, the updater in the program's folder is the one started.
    options.InstalledByPackage = false;
    TfrmMain unpackaged(options);
    std::vector<TUpdateOutcome> unpackagedOutcomes;
    QObject::connect(&unpackaged.UpdateCheck(), &TUpdateCheck::Finished,
                     [&](TUpdateOutcome outcome) { unpackagedOutcomes.push_back(outcome); });
    ServeVersion("1.02");
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    unpackaged.btnUpdate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return unpackagedOutcomes.size() == 1; }, 20000));
    EXPECT_EQ(unpackagedOutcomes[0], TUpdateOutcome::HandedOver);
    ASSERT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Launches[0].first(), programDir.File(UpdaterFileName()));
}
