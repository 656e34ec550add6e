#include "app/CommandLine.h"

#include "data/safety/Redaction.h"
#include "data/setup/CommandLineDescriptors.h"
#include "data/setup/SiteSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "BuildConfig.h"

namespace {

// The options QGuiApplication, QApplication and the X11 platform take from the command line,
// with one dash or two, a value after a blank or an "=".
const QStringList ToolkitOptionsWithValue{QStringLiteral("platform"),
                                          QStringLiteral("platformpluginpath"),
                                          QStringLiteral("platformtheme"),
                                          QStringLiteral("plugin"),
                                          QStringLiteral("qwindowgeometry"),
                                          QStringLiteral("geometry"),
                                          QStringLiteral("qwindowicon"),
                                          QStringLiteral("icon"),
                                          QStringLiteral("qwindowtitle"),
                                          QStringLiteral("title"),
                                          QStringLiteral("session"),
                                          QStringLiteral("display"),
                                          QStringLiteral("name"),
                                          QStringLiteral("style"),
                                          QStringLiteral("stylesheet")};
const QStringList ToolkitFlags{QStringLiteral("reverse"), QStringLiteral("nograb"),      QStringLiteral("dograb"),
                               QStringLiteral("sync"),    QStringLiteral("widgetcount"), QStringLiteral("testability")};

StartRequest refused(const QString &text)
{
    StartRequest request;
    request.start = false;
    request.exitCode = 2;
    request.text = text;
    return request;
}

QString programName(const QStringList &arguments)
{
    return arguments.isEmpty() ? QStringLiteral("tarnwick") : QFileInfo(arguments.first()).fileName();
}

} // namespace

QStringList WithoutToolkitOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1StringView("--")) {
            kept.append(arguments.mid(i));
            break;
        }
        if (i == 0 || !argument.startsWith(QLatin1Char('-'))) {
            kept.append(argument);
            continue;
        }
        const QString word = argument.mid(argument.startsWith(QLatin1StringView("--")) ? 2 : 1);
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? word : word.left(equals);
        if (name == QLatin1StringView("qmljsdebugger") && equals >= 0)
            continue;
        if (ToolkitFlags.contains(name) && equals < 0)
            continue;
        if (ToolkitOptionsWithValue.contains(name)) {
            if (equals >= 0)
                continue;
            // Without its value the toolkit leaves it alone, and so it is refused below.
            if (i + 1 < arguments.size()) {
                ++i;
                continue;
            }
        }
        kept.append(argument);
    }
    return kept;
}

StartRequest ReadCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-frobnicate" is one unknown option, not eleven one-letter ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine",
                                    "A directory of places, filed in a category tree.\n\n"
                                    "The windows speak the system's language where the program has it (Arabic, or "
                                    "English), otherwise English; \"language=ar\" or \"language=en\" under "
                                    "[Interface] in the settings file (%1) chooses instead.")
            .arg(QDir::toNativeSeparators(Processing::SettingsFiles().constFirst())));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption database(
        QStringLiteral("database"),
        QCoreApplication::translate("CommandLine",
                                    "Works on this database instead of the one the settings name, for this run only: "
                                    "sqlite:FILE, postgresql://USER@HOST/NAME?OPTIONS, postgresql:///?service=NAME, "
                                    "odbc:CONNECTION or oci:USER@ALIAS. It takes no password: libpq reads it from "
                                    "~/.pgpass, ODBC from its data source."),
        QStringLiteral("descriptor"));
    parser.addOption(database);

    const QString name = programName(arguments);
    // Before the application object exists the parser does not know the program's name.
    const auto helpText = [&parser, &name] {
        return parser.helpText().replace(QStringLiteral("<executable_name>"), name);
    };
    const bool understood = parser.parse(WithoutToolkitOptions(arguments));
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        StartRequest request;
        request.start = false;
        request.text = helpText();
        return request;
    }
    if (parser.isSet(version)) {
        StartRequest request;
        request.start = false;
        request.text = QStringLiteral("Tarnwick %1\n").arg(QString::fromUtf8(BuildConfig::Version));
        return request;
    }
    if (!understood)
        return refused(QStringLiteral("%1: %2\n\n%3").arg(name, parser.errorText(), helpText()));
    if (!parser.positionalArguments().isEmpty())
        return refused(
            QCoreApplication::translate("CommandLine", "%1: Unexpected argument: %2\n\n%3")
                .arg(name, Processing::Redacted(parser.positionalArguments().join(QLatin1Char(' '))), helpText()));

    StartRequest request;
    const QStringList given = parser.values(database);
    if (given.isEmpty())
        return request;
    if (const QString why = Processing::CommandLineDescriptorRefusal(QStringLiteral("--database"), given);
        !why.isEmpty())
        return refused(QStringLiteral("%1: %2\n").arg(name, why));
    // The last one given counts.
    request.database = given.last();
    return request;
}
