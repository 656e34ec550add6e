#include "data/statements/DirectoryTables.h"

namespace Processing {

namespace {

DirectoryTable table(const QString &name, const QString &rows, const char *counted,
                     const QList<std::pair<QString, bool>> &columns)
{
    DirectoryTable t;
    t.name = name;
    t.rows = rows;
    t.counted = counted;
    for (const auto &[column, integer] : columns) {
        t.columns.append(column);
        t.integers.append(integer);
    }
    return t;
}

} // namespace

const QList<DirectoryTable> &DirectoryTables()
{
    static const QList<DirectoryTable> tables{
        table(QStringLiteral("cm_city"), QStringLiteral("cities"), QT_TRANSLATE_N_NOOP("Transfer", "%n cities"),
              {{QStringLiteral("CODE"), true}, {QStringLiteral("ENAME"), false}}),
        table(QStringLiteral("places_root"), QStringLiteral("categories"),
              QT_TRANSLATE_N_NOOP("Transfer", "%n categories"),
              {{QStringLiteral("BRANCH_ID"), true},
               {QStringLiteral("BRANCH_NAME"), false},
               {QStringLiteral("PARENT_ID"), true},
               {QStringLiteral("BRANCH_FLAG"), false},
               {QStringLiteral("BRANCH_RANK"), true}}),
        table(QStringLiteral("places_district"), QStringLiteral("districts"),
              QT_TRANSLATE_N_NOOP("Transfer", "%n districts"),
              {{QStringLiteral("DISTRICT_ID"), true},
               {QStringLiteral("DISTRICT_NAME"), false},
               {QStringLiteral("city_id"), true}}),
        table(QStringLiteral("places_leaves"), QStringLiteral("places"), QT_TRANSLATE_N_NOOP("Transfer", "%n places"),
              {{QStringLiteral("LEAF_ID"), true},
               {QStringLiteral("LEAF_NAME"), false},
               {QStringLiteral("ADDRESS"), false},
               {QStringLiteral("TELEPHONE"), false},
               {QStringLiteral("CITY"), true},
               {QStringLiteral("DISTRICT"), true},
               {QStringLiteral("MORE_DATA"), false},
               {QStringLiteral("WEB_LINK"), false}}),
        table(QStringLiteral("places_branch_leaves"), QStringLiteral("links"),
              QT_TRANSLATE_N_NOOP("Transfer", "%n links"),
              {{QStringLiteral("BRANCH_ID"), true}, {QStringLiteral("LEAF_ID"), true}}),
    };
    return tables;
}

const DirectoryTable &PlacesTable()
{
    return DirectoryTables().at(3);
}

QString SelectRowsStatement(const DirectoryTable &table)
{
    return QStringLiteral("select %1 from %2").arg(table.columns.join(QStringLiteral(", ")), table.name);
}

QString CountRowsStatement(const DirectoryTable &table)
{
    return QStringLiteral("select count(*) from %1").arg(table.name);
}

QString DeleteRowsStatement(const DirectoryTable &table)
{
    return QStringLiteral("delete from %1").arg(table.name);
}

QString InsertRowStatement(const DirectoryTable &table)
{
    QStringList marks;
    for (qsizetype i = 0; i < table.columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(table.name, table.columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

QString ConsistentReadStatement(Dialect dialect)
{
    switch (dialect) {
    case Dialect::PostgreSQL:
        return QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY");
    case Dialect::Oracle:
        return QStringLiteral("SET TRANSACTION READ ONLY");
    case Dialect::SQLite:
        break;
    }
    return QString();
}

QString TablesScript(Dialect dialect)
{
    switch (dialect) {
    case Dialect::PostgreSQL:
        return QStringLiteral("postgresql.sql");
    case Dialect::Oracle:
        return QStringLiteral("oracle.sql");
    case Dialect::SQLite:
        break;
    }
    return QStringLiteral("sqlite-schema.sql");
}

QString RoleScript(Dialect dialect)
{
    return dialect == Dialect::Oracle ? QStringLiteral("oracle-role.sql") : QStringLiteral("postgresql-role.sql");
}

} // namespace Processing
