#include "OdbcRoute.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString driverPath()
{
    const QStringList folders = QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &folder : folders) {
        const QString candidate = QStringLiteral("/usr/lib/%1/odbc/psqlodbcw.so").arg(folder);
        if (QFile::exists(candidate))
            return candidate;
    }
    return QString();
}

} // namespace

QString PostgresqlOdbcDescriptor(const QString &postgresqlDescriptor)
{
    const QString driver = driverPath();
    if (driver.isEmpty())
        return QString();
    const QUrl url(postgresqlDescriptor);
    QString descriptor = QStringLiteral("odbc:Driver=%1;Servername=%2;Port=%3;Database=%4")
                             .arg(driver, url.host())
                             .arg(url.port(5432))
                             .arg(url.path().mid(1));
    // The server's TLS settings, which the driver takes under names of its own: a server that
    // takes only TLS refuses it otherwise.
    const QUrlQuery tls(url.query());
    if (tls.hasQueryItem(QStringLiteral("sslmode")))
        descriptor += QStringLiteral(";SSLmode=") + tls.queryItemValue(QStringLiteral("sslmode"));
    if (tls.hasQueryItem(QStringLiteral("sslrootcert")))
        descriptor += QStringLiteral(";pqopt={sslrootcert=%1}").arg(tls.queryItemValue(QStringLiteral("sslrootcert")));
    // The password last, where the transfer benchmarks take it off for the environment.
    return descriptor + QStringLiteral(";Username=%1;Password=%2").arg(url.userName(), url.password());
}
