#include "data/rows/DirectoryCounts.h"

#include "data/connection/DriverErrors.h"
#include "data/statements/DirectoryTables.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace Processing {

namespace {

qint64 count(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql) || !query.next())
        throw QueryError(QStringLiteral("The rows could not be counted: %1").arg(sql), db, query);
    return query.value(0).toLongLong();
}

} // namespace

DirectoryCounts CountDirectory(const QSqlDatabase &db)
{
    const QList<DirectoryTable> &tables = DirectoryTables();
    DirectoryCounts counts;
    counts.cities = count(db, CountRowsStatement(tables.at(0)));
    counts.categories = count(db, CountRowsStatement(tables.at(1)) + QStringLiteral(" where branch_id <> 0"));
    counts.districts = count(db, CountRowsStatement(tables.at(2)));
    counts.places = count(db, CountRowsStatement(tables.at(3)));
    counts.links = count(db, CountRowsStatement(tables.at(4)));
    return counts;
}

QStringList MissingDirectoryTables(const QSqlDatabase &db)
{
    QStringList present;
    for (const QString &name : db.tables())
        present.append(name.section(QLatin1Char('.'), -1).toLower());
    QStringList missing;
    for (const DirectoryTable &table : DirectoryTables())
        if (!present.contains(table.name.toLower()))
            missing.append(table.name);
    return missing;
}

} // namespace Processing
