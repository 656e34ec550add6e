#include "data/setup/DatabaseDescriptor.h"

#include "data/DbError.h"
#include "data/safety/Redaction.h"
#include "data/setup/PostgreSQLAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace Processing {

namespace {

[[noreturn]] void refuse(const QString &text, const QString &why)
{
    throw DbError(
        QCoreApplication::translate("Processing", "The database setting \"%1\" cannot be used: %2.").arg(text, why));
}

QString withoutPassword(const QString &text)
{
    if (text.startsWith(QLatin1StringView("postgresql://"), Qt::CaseInsensitive))
        return PostgreSQLAddressShown(text);
    if (text.startsWith(QLatin1StringView("oci:"), Qt::CaseInsensitive)) {
        const qsizetype slash = text.indexOf(QLatin1Char('/'));
        const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
        if (slash >= 0)
            return text.left(slash) + (at > slash ? text.mid(at) : QString());
        return text;
    }
    if (text.startsWith(QLatin1StringView("sqlite:")) || text.startsWith(QLatin1StringView("odbc:")))
        return text;
    // A setting of no known kind may still carry credentials before an "@".
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    return at < 0 ? text : QStringLiteral("...") + text.mid(at);
}

} // namespace

DatabaseDescriptor DatabaseDescriptor::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QString shown = withoutPassword(ShownDescriptor(trimmed));
    DatabaseDescriptor d;
    if (trimmed.isEmpty())
        refuse(shown, QCoreApplication::translate("Processing", "it is empty"));
    // A NUL would cut the name short wherever it is handed on as a C string: SQLite would make
    // a file at the cut path, libpq would read another name.
    if (trimmed.contains(QChar(0)))
        refuse(shown, QCoreApplication::translate("Processing", "it holds a NUL character"));

    if (trimmed.startsWith(QLatin1StringView("sqlite:"), Qt::CaseInsensitive)) {
        d.kind = Kind::SQLite;
        const QString path = trimmed.mid(7);
        if (path.isEmpty())
            refuse(shown, QCoreApplication::translate("Processing", "the SQLite file name is missing"));
        // A leading ":" would make Qt read the name as one of its resources.
        if (QDir::isAbsolutePath(path) && !path.startsWith(QLatin1Char(':'))) {
            d.path = QDir::cleanPath(path);
        } else {
            const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            if (folder.isEmpty())
                refuse(shown,
                       QCoreApplication::translate("Processing", "this system has no data folder for the program"));
            d.path = QDir::cleanPath(folder + QLatin1Char('/') + path);
        }
        return d;
    }

    if (trimmed.startsWith(QLatin1StringView("postgresql://"), Qt::CaseInsensitive)) {
        d.kind = Kind::PostgreSQL;
        const QString why = ReadPostgreSQLAddress(trimmed, d);
        if (!why.isEmpty())
            refuse(shown, why);
        // "%00" decodes to a NUL, which libpq would take for the end of the name.
        for (const QString &field : {d.user, d.password, d.name})
            if (field.contains(QChar(0)))
                refuse(shown, QCoreApplication::translate("Processing", "it holds a NUL character (%00)"));
        RememberSecret(d.password);
        return d;
    }

    if (trimmed.startsWith(QLatin1StringView("odbc:"), Qt::CaseInsensitive)) {
        d.kind = Kind::Odbc;
        d.name = trimmed.mid(5);
        if (d.name.trimmed().isEmpty())
            refuse(shown, QCoreApplication::translate("Processing", "the ODBC connection string is missing"));
        return d;
    }

    if (trimmed.startsWith(QLatin1StringView("oci:"), Qt::CaseInsensitive)) {
        d.kind = Kind::Oci;
        const QString rest = trimmed.mid(4);
        const qsizetype at = rest.lastIndexOf(QLatin1Char('@'));
        if (at < 0)
            refuse(shown, QCoreApplication::translate("Processing", "the data-source alias after \"@\" is missing"));
        const QString credentials = rest.left(at);
        d.name = rest.mid(at + 1);
        const qsizetype slash = credentials.indexOf(QLatin1Char('/'));
        d.user = slash < 0 ? credentials : credentials.left(slash);
        d.password = slash < 0 ? QString() : credentials.mid(slash + 1);
        if (d.user.isEmpty())
            refuse(shown, QCoreApplication::translate("Processing", "the user name is missing"));
        if (d.name.isEmpty())
            refuse(shown, QCoreApplication::translate("Processing", "the data-source alias after \"@\" is missing"));
        RememberSecret(d.password);
        return d;
    }

    refuse(shown,
           QCoreApplication::translate(
               "Processing", "it names no known kind of database (expected sqlite:, postgresql://, odbc: or oci:)"));
}

QString DatabaseDescriptor::driver() const
{
    switch (kind) {
    case Kind::SQLite:
        return QStringLiteral("QSQLITE");
    case Kind::PostgreSQL:
        return QStringLiteral("QPSQL");
    case Kind::Odbc:
        return QStringLiteral("QODBC");
    case Kind::Oci:
        return QStringLiteral("QOCI");
    }
    return QString();
}

QString DatabaseDescriptor::option(const QString &key) const
{
    for (const auto &[name, value] : options)
        if (name == key)
            return value;
    return QString();
}

QString DatabaseDescriptor::displayName() const
{
    switch (kind) {
    case Kind::SQLite:
        return path;
    case Kind::PostgreSQL: {
        QStringList servers;
        for (const Server &server : this->servers)
            servers.append(QStringLiteral("%1:%2").arg(server.host).arg(server.port));
        QString text = (user.isEmpty() ? QString() : user + QLatin1Char('@')) + servers.join(QLatin1Char(',')) +
                       QLatin1Char('/') + name;
        if (const QString service = option(QStringLiteral("service")); !service.isEmpty())
            text += QStringLiteral(" (service %1)").arg(service);
        return text;
    }
    case Kind::Odbc:
        return QStringLiteral("ODBC");
    case Kind::Oci:
        return QStringLiteral("%1@%2").arg(user, name);
    }
    return QString();
}

} // namespace Processing
