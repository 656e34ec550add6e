#include "transfer/TransferCommandLine.h"

#include "data/safety/Redaction.h"
#include "data/setup/CommandLineDescriptors.h"
#include "transfer/TransferDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include "BuildConfig.h"

namespace {

// Read when said, after the catalogue of the interface's language is in force.
QString databaseForms()
{
    return QCoreApplication::translate(
        "Transfer", "A database is named as tarnwick --database names it (sqlite:FILE,\n"
                    "postgresql://USER@HOST/NAME?OPTIONS, postgresql:///?service=NAME, odbc:CONNECTION), or by the\n"
                    "word production or development for the one the settings files name. It takes no password:\n"
                    "libpq reads it from ~/.pgpass, ODBC from its data source.");
}

QString usage(const QString &name)
{
    return QCoreApplication::translate(
               "Transfer", "Usage: %1 copy --from DATABASE --to DATABASE [--replace]\n"
                           "       %1 import --database DATABASE [--create-missing] [--encoding NAME] FILE.csv\n"
                           "       %1 export --database DATABASE [--category NAME] FILE.csv\n"
                           "       %1 --help | --version\n"
                           "\n"
                           "Moves a Tarnwick directory between databases, imports places from CSV and exports them.\n"
                           "\n"
                           "copy      Copies the whole directory (categories, cities, districts, places and their\n"
                           "          links, identifiers kept) in one transaction, and checks the copy. A target\n"
                           "          that holds a directory is refused unless --replace is given.\n"
                           "import    Stores the places of a CSV file, all or none.\n"
                           "export    Writes every place, or those under one category, as CSV (\"-\": standard "
                           "output).\n"
                           "\n"
                           "%2\n"
                           "\n"
                           "Exit status: 0 done, 1 failed or refused (nothing changed), 2 a mistake on the command "
                           "line.\n")
        .arg(name, databaseForms());
}

TransferRequest told(int exitCode, const QString &text)
{
    TransferRequest request;
    request.exitCode = exitCode;
    request.text = text;
    return request;
}

TransferRequest mistake(const QString &name, const QString &what)
{
    return told(TransferMisused, QStringLiteral("%1: %2\n\n%3").arg(name, what, usage(name)));
}

struct CommandOptions
{
    QStringList values; // options that take a value
    QStringList flags;
    QStringList required;
    int files = 0; // positional arguments
};

CommandOptions optionsOf(TransferRequest::Command command)
{
    switch (command) {
    case TransferRequest::Command::Copy:
        return {{QStringLiteral("from"), QStringLiteral("to")},
                {QStringLiteral("replace")},
                {QStringLiteral("from"), QStringLiteral("to")},
                0};
    case TransferRequest::Command::Import:
        return {{QStringLiteral("database"), QStringLiteral("encoding")},
                {QStringLiteral("create-missing")},
                {QStringLiteral("database")},
                1};
    case TransferRequest::Command::Export:
        return {{QStringLiteral("database"), QStringLiteral("category")}, {}, {QStringLiteral("database")}, 1};
    case TransferRequest::Command::None:
        break;
    }
    return {};
}

} // namespace

TransferRequest ReadTransferCommandLine(const QStringList &arguments)
{
    const QString name =
        arguments.isEmpty() ? QStringLiteral("tarnwick-transfer") : QFileInfo(arguments.first()).fileName();
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h")))
        return told(TransferSucceeded, usage(name));
    if (rest.contains(QStringLiteral("--version")) || rest.contains(QStringLiteral("-v")))
        return told(TransferSucceeded,
                    QStringLiteral("tarnwick-transfer (Tarnwick) %1\n").arg(QString::fromUtf8(BuildConfig::Version)));
    if (rest.isEmpty())
        return mistake(name, QCoreApplication::translate("Transfer", "No command given."));

    TransferRequest request;
    const QString word = rest.first();
    if (word == QLatin1StringView("copy"))
        request.command = TransferRequest::Command::Copy;
    else if (word == QLatin1StringView("import"))
        request.command = TransferRequest::Command::Import;
    else if (word == QLatin1StringView("export"))
        request.command = TransferRequest::Command::Export;
    else
        return mistake(name,
                       QCoreApplication::translate("Transfer", "Unknown command: %1").arg(Processing::Redacted(word)));

    const CommandOptions options = optionsOf(request.command);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString &option : options.values)
        parser.addOption(QCommandLineOption(option, QString(), QStringLiteral("value")));
    for (const QString &option : options.flags)
        parser.addOption(QCommandLineOption(option));
    // Its first word is taken for the program's name.
    if (!parser.parse(QStringList{name} + rest.mid(1)))
        return mistake(name, Processing::Redacted(parser.errorText()));
    // Every database named is checked before anything else is said, a repeated one too: each one
    // given is on the command line for every user of the computer to read.
    for (const QString &option : {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("database")}) {
        if (!options.values.contains(option))
            continue;
        QStringList descriptors = parser.values(option);
        descriptors.removeIf(IsEnvironmentName);
        const QString flag = QStringLiteral("--") + option;
        if (const QString why = Processing::CommandLineDescriptorRefusal(flag, descriptors); !why.isEmpty())
            return told(TransferMisused, why.startsWith(flag) ? QStringLiteral("%1: %2\n").arg(name, why)
                                                              : QStringLiteral("%1: %2: %3\n").arg(name, flag, why));
    }
    for (const QString &option : options.required)
        if (!parser.isSet(option))
            return mistake(name, QCoreApplication::translate("Transfer", "%1 needs --%2.").arg(word, option));
    const QStringList files = parser.positionalArguments();
    if (files.size() > options.files)
        return mistake(name, QCoreApplication::translate("Transfer", "Unexpected argument: %1")
                                 .arg(Processing::Redacted(files.mid(options.files).join(QLatin1Char(' ')))));
    if (files.size() < options.files)
        return mistake(name, QCoreApplication::translate("Transfer", "%1 needs the CSV file's name.").arg(word));
    // A value given twice would leave one of them silently unused.
    for (const QString &option : options.values)
        if (parser.values(option).size() > 1)
            return mistake(name, QCoreApplication::translate("Transfer", "--%1 is given more than once.").arg(option));

    if (options.values.contains(QStringLiteral("from"))) {
        request.from = parser.value(QStringLiteral("from"));
        request.to = parser.value(QStringLiteral("to"));
        request.replace = parser.isSet(QStringLiteral("replace"));
    } else {
        request.database = parser.value(QStringLiteral("database"));
        request.file = files.value(0);
    }
    if (options.flags.contains(QStringLiteral("create-missing")))
        request.createMissing = parser.isSet(QStringLiteral("create-missing"));
    if (options.values.contains(QStringLiteral("encoding")))
        request.encoding = parser.value(QStringLiteral("encoding"));
    if (options.values.contains(QStringLiteral("category")))
        request.category = parser.value(QStringLiteral("category"));
    return request;
}
