#include "OdbcRoute.h"

#include <QDir>
#include <QFile>
#include <QUrl>

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
    return QStringLiteral("odbc:Driver=%1;Servername=%2;Port=%3;Database=%4;Username=%5;Password=%6")
        .arg(driver, url.host())
        .arg(url.port(5432))
        .arg(url.path().mid(1), url.userName(), url.password());
}
