#include "shell/CommandLine.h"

#include "shell/AppVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// Options QGuiApplication, QApplication and the xcb platform take out of the
// arguments themselves; they must not count as unknown here.
constexpr const char* QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qmljsdebugger", "qwindowgeometry", "qwindowicon",
                                          "qwindowtitle", "session", "display", "geometry", "style",
                                          "stylesheet"};
constexpr const char* QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb"};

} // namespace

TCommandLine ReadCommandLine(const QStringList& arguments)
{
    QStringList ours = arguments;
    // Chromium's switches follow this marker; QtWebEngine reads them itself.
    const qsizetype engineArgs = ours.indexOf(QStringLiteral("--webEngineArgs"));
    if (engineArgs >= 0)
        ours = ours.mid(0, engineArgs);

    QCommandLineParser parser;
    // Qt's own options are single-dash words such as -platform.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Submits your websites to web directories."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keeps the projects, the directory database, the "
                                                    "settings and every other file in <folder>."),
                                     QStringLiteral("folder"));
    parser.addOptions({help, version, dataDir});
    for (const char* name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program = ours.isEmpty() ? QStringLiteral("tarnwick") : QFileInfo(ours.first()).fileName();
    // Without an application object the parser cannot know the program's name.
    QString usage = parser.helpText();
    usage.replace(QStringLiteral("<executable_name>"), program);

    TCommandLine result;
    if (!parser.parse(ours)) {
        result.Exit = true;
        result.ExitCode = 1;
        result.Errors = program + QStringLiteral(": ") + parser.errorText() + QStringLiteral("\n\n") + usage;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.Exit = true;
        result.ExitCode = 1;
        result.Errors = program + QStringLiteral(": unexpected argument '") + parser.positionalArguments().first()
                        + QStringLiteral("'.\n\n") + usage;
        return result;
    }
    if (parser.isSet(help)) {
        result.Exit = true;
        result.Output = usage;
        return result;
    }
    if (parser.isSet(version)) {
        result.Exit = true;
        result.Output = QStringLiteral("Tarnwick ") + QLatin1String(AppVersionText) + QLatin1Char('\n');
        return result;
    }
    result.DataDir = parser.value(dataDir);
    if (parser.isSet(dataDir) && result.DataDir.isEmpty()) {
        result.Exit = true;
        result.ExitCode = 1;
        result.Errors = program + QStringLiteral(": --data-dir needs a folder.\n\n") + usage;
    }
    return result;
}
