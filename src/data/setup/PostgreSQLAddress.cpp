#include "data/setup/PostgreSQLAddress.h"

#include <QRegularExpression>
#include <QUrl>

namespace Processing {

namespace {

const QStringList PassedOnOptions{QStringLiteral("sslmode"),          QStringLiteral("sslrootcert"),
                                  QStringLiteral("sslcert"),          QStringLiteral("sslkey"),
                                  QStringLiteral("sslcrl"),           QStringLiteral("connect_timeout"),
                                  QStringLiteral("application_name"), QStringLiteral("target_session_attrs"),
                                  QStringLiteral("service"),          QStringLiteral("passfile")};

QString decoded(const QString &text)
{
    return QUrl::fromPercentEncoding(text.toUtf8());
}

// libpq's quoting of a value in a connection string.
QString quoted(const QString &value)
{
    QString text = value;
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString readServer(const QString &text, DatabaseDescriptor::Server &server)
{
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9._-]+$"));
    static const QRegularExpression address6(QStringLiteral("^[0-9A-Fa-f:.]+$"));
    QString host = text;
    QString port;
    bool hasPort = false;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return QStringLiteral("it is not a valid address");
        host = text.mid(1, close - 1);
        const QString after = text.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(QLatin1Char(':')))
            return QStringLiteral("it is not a valid address");
        hasPort = !after.isEmpty();
        port = after.mid(1);
        if (!address6.match(host).hasMatch())
            return QStringLiteral("it is not a valid address");
    } else {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        hasPort = colon >= 0;
        if (hasPort) {
            host = text.left(colon);
            port = text.mid(colon + 1);
        }
        host = decoded(host);
        if (host.isEmpty())
            return QStringLiteral("the host is missing");
        if (!name.match(host).hasMatch())
            return QStringLiteral("it is not a valid address");
    }
    server.host = host;
    server.port = 5432;
    if (hasPort) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
        const int number = port.toInt();
        if (!digits.match(port).hasMatch() || number < 1 || number > 65535)
            return QStringLiteral("the port is not a valid port number");
        server.port = number;
    }
    return QString();
}

} // namespace

bool IsPassedOnOption(const QString &key)
{
    return PassedOnOptions.contains(key);
}

QString ReadPostgreSQLAddress(const QString &text, DatabaseDescriptor &d)
{
    QString rest = text.mid(text.indexOf(QStringLiteral("://")) + 3);
    if (rest.contains(QLatin1Char('#')))
        return QStringLiteral("it has text after the database name");
    QString query;
    if (const qsizetype mark = rest.indexOf(QLatin1Char('?')); mark >= 0) {
        query = rest.mid(mark + 1);
        rest = rest.left(mark);
    }
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QString authority = slash < 0 ? rest : rest.left(slash);
    const QString path = slash < 0 ? QString() : rest.mid(slash + 1);

    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = authority.left(at);
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        d.user = decoded(colon < 0 ? userInfo : userInfo.left(colon));
        if (colon >= 0)
            d.password = decoded(userInfo.mid(colon + 1));
    }
    const QString hosts = authority.mid(at + 1);
    if (!hosts.isEmpty()) {
        for (const QString &part : hosts.split(QLatin1Char(','))) {
            DatabaseDescriptor::Server server;
            const QString why = readServer(part, server);
            if (!why.isEmpty())
                return why;
            d.servers.append(server);
        }
        d.host = d.servers.first().host;
        d.port = d.servers.first().port;
    }
    d.name = decoded(path);
    if (d.name.contains(QLatin1Char('/')))
        return QStringLiteral("the database name is missing");

    if (!query.isEmpty()) {
        for (const QString &pair : query.split(QLatin1Char('&'))) {
            const qsizetype equals = pair.indexOf(QLatin1Char('='));
            const QString key = decoded(equals < 0 ? pair : pair.left(equals));
            const QString value = equals < 0 ? QString() : decoded(pair.mid(equals + 1));
            // As libpq reads an address: a second "=" is a mistake, not part of the value.
            if (pair.indexOf(QLatin1Char('='), equals + 1) > equals && equals >= 0)
                return QStringLiteral("the option %1 holds a second \"=\"").arg(key);
            if (!IsPassedOnOption(key))
                return QStringLiteral("the option \"%1\" is not one the program passes on (it takes %2)")
                    .arg(key.left(40), PassedOnOptions.join(QStringLiteral(", ")));
            if (value.isEmpty())
                return QStringLiteral("the option %1 has no value").arg(key);
            // The driver reads ";" as a blank anywhere in its options, quoted or not.
            if (value.contains(QLatin1Char(';')) || value.contains(QChar(0)))
                return QStringLiteral("the value of the option %1 holds a character libpq cannot be given").arg(key);
            for (const auto &option : std::as_const(d.options))
                if (option.first == key)
                    return QStringLiteral("the option %1 is given twice").arg(key);
            d.options.append({key, value});
        }
    }

    // A service names what it leaves out; otherwise the address must name the server and database.
    if (!d.option(QStringLiteral("service")).isEmpty())
        return QString();
    // Without a user name libpq takes the login name, as a system-wide setting for everyone needs.
    if (d.servers.isEmpty())
        return QStringLiteral("the host is missing");
    if (d.name.isEmpty())
        return QStringLiteral("the database name is missing");
    return QString();
}

QString PostgreSQLConnectOptions(const DatabaseDescriptor &d)
{
    QStringList parts;
    if (!d.servers.isEmpty()) {
        QStringList hosts;
        QStringList ports;
        for (const DatabaseDescriptor::Server &server : d.servers) {
            hosts.append(server.host);
            ports.append(QString::number(server.port));
        }
        parts.append(QStringLiteral("host=") + quoted(hosts.join(QLatin1Char(','))));
        parts.append(QStringLiteral("port=") + quoted(ports.join(QLatin1Char(','))));
    }
    if (!d.name.isEmpty())
        parts.append(QStringLiteral("dbname=") + quoted(d.name));
    if (!d.user.isEmpty())
        parts.append(QStringLiteral("user=") + quoted(d.user));
    for (const auto &[key, value] : d.options)
        parts.append(key + QLatin1Char('=') + quoted(value));
    // A server that does not answer should not hold the window for libpq's default of forever.
    if (d.option(QStringLiteral("connect_timeout")).isEmpty())
        parts.append(QStringLiteral("connect_timeout=10"));
    return parts.join(QLatin1Char(' '));
}

QString PostgreSQLAddressShown(const QString &text)
{
    const qsizetype start = text.indexOf(QStringLiteral("://"));
    if (start < 0)
        return text;
    const QString scheme = text.left(start + 3);
    QString rest = text.mid(start + 3);
    QString user;
    // Everything up to the last "@" may be credentials; only the part before a ":" is the user.
    if (const qsizetype at = rest.lastIndexOf(QLatin1Char('@')); at >= 0) {
        user = rest.left(at);
        static const QRegularExpression ends(QStringLiteral("[:/?]"));
        const qsizetype end = user.indexOf(ends);
        // A "/" or "?" first means the "@" lies beyond the server: nothing here is a user name.
        if (end >= 0)
            user = user.at(end) == QLatin1Char(':') ? user.left(end) : QStringLiteral("...");
        rest = rest.mid(at + 1);
        user += QLatin1Char('@');
    }
    // An option's value is not shown: a mistyped key may have been meant to hold a password.
    if (const qsizetype mark = rest.indexOf(QLatin1Char('?')); mark >= 0)
        rest = rest.left(mark) + QStringLiteral("?...");
    if (const qsizetype hash = rest.indexOf(QLatin1Char('#')); hash >= 0)
        rest = rest.left(hash) + QStringLiteral("#...");
    return scheme + user + rest;
}

} // namespace Processing
