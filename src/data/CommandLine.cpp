#include "data/CommandLine.h"

#include "data/DatabaseDescriptor.h"
#include "data/DbError.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "BuildConfig.h"

namespace Processing {

StartRequest ReadCommandLine(const QStringList &arguments, bool strict)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A directory of places, filed in a category tree."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral("Works on this database instead of the one the settings name, for this run only: "
                       "sqlite:FILE, postgresql://USER@HOST/NAME?OPTIONS, postgresql:///?service=NAME, "
                       "odbc:CONNECTION or oci:USER@ALIAS."),
        QStringLiteral("descriptor"));
    parser.addOption(database);

    StartRequest request;
    const bool understood = parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        request.start = false;
        // Before the application object exists the parser does not know the program's name.
        const QString name = arguments.isEmpty() ? QStringLiteral("tarnwick") : QFileInfo(arguments.first()).fileName();
        request.text = parser.helpText().replace(QStringLiteral("<executable_name>"), name);
        return request;
    }
    if (parser.isSet(version)) {
        request.start = false;
        request.text = QStringLiteral("Tarnwick %1\n").arg(QString::fromUtf8(BuildConfig::Version));
        return request;
    }
    if (!strict && !parser.isSet(database))
        return request;
    if (strict && (!understood || !parser.positionalArguments().isEmpty())) {
        request.start = false;
        request.exitCode = 2;
        request.text =
            (understood
                 ? QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().join(QLatin1Char(' ')))
                 : parser.errorText()) +
            QStringLiteral("\nSee --help.\n");
        return request;
    }
    if (parser.isSet(database)) {
        request.database = parser.value(database);
        try {
            DatabaseDescriptor::parse(request.database);
        } catch (const DbError &error) {
            // The message shows the setting without its password.
            request.start = false;
            request.exitCode = 2;
            request.text = error.message() + QLatin1Char('\n');
            request.database.clear();
        }
    }
    return request;
}

} // namespace Processing
