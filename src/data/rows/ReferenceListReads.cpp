#include "data/rows/ReferenceListReads.h"

#include "data/connection/Connection.h"
#include "data/connection/FieldValues.h"
#include "data/rows/TextRows.h"
#include "data/statements/Queries.h"
#include "data/statements/ReferenceListStatements.h"
#include "data/statements/RowFilter.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Processing {

namespace {

QList<ReferenceEntry> entries(const QString &sql, const QString &nameColumn, const QString &idColumn,
                              const RowFilter &filter = {})
{
    const Recordset rs = DbConn().openRecordset(sql, filter);
    QList<ReferenceEntry> result;
    if (rs.RecordCount() <= 0)
        return result;
    const int nameField = rs.field(nameColumn);
    const int idField = rs.field(idColumn);
    result.reserve(rs.RecordCount());
    for (int row = 0; row < rs.RecordCount(); ++row) {
        if (const std::optional<qint32> id = rs.int32(row, idField))
            result.append({*id, rs.text(row, nameField)});
    }
    return result;
}

} // namespace

QList<ReferenceEntry> ReadCategories()
{
    return entries(CategoriesQuery(), QStringLiteral("BRANCH_NAME"), QStringLiteral("BRANCH_ID"));
}

QList<ReferenceEntry> ReadCities()
{
    return entries(CitiesQuery(), QStringLiteral("ENAME"), QStringLiteral("CODE"));
}

QList<ReferenceEntry> ReadDistricts(const std::optional<QList<qint32>> &cities)
{
    QList<RowFilter::Alternative> alternatives;
    if (cities) {
        for (const qint32 city : *cities)
            alternatives.append({QStringLiteral("city_id"), city});
        // No city is no filter at all to a row filter: -1 is a city no row names.
        if (alternatives.isEmpty())
            alternatives.append({QStringLiteral("city_id"), -1});
    }
    return entries(DistrictsQuery(), QStringLiteral("DISTRICT_NAME"), QStringLiteral("DISTRICT_ID"),
                   RowFilter(std::move(alternatives)));
}

std::vector<CategoryNode> ReadSubCategories(qint32 Branch_ID, QString &failure)
{
    // Read forward only, each field by a position found once.
    QSqlQuery query = DbConn().run(GetSubCatQuery(Branch_ID));
    const QSqlRecord record = query.record();
    const int branchField = FieldPosition(record, QStringLiteral("BRANCH_ID"));
    const int parentField = FieldPosition(record, QStringLiteral("PARENT_ID"));
    const int nameField = FieldPosition(record, QStringLiteral("BRANCH_NAME"));
    std::vector<CategoryNode> rows;
    if (const int size = query.size(); size > 0)
        rows.reserve(std::size_t(size));
    const std::unique_ptr<TextRows> read = ReadTextRows(std::move(query), DbConn().database());
    while (read->next()) {
        const std::optional<qint32> branch = Int32Of(read->value(branchField));
        const std::optional<qint32> parent = Int32Of(read->value(parentField));
        // A row that cannot name its node or its parent cannot be placed.
        if (branch && parent)
            rows.push_back({*branch, *parent, TextOf(read->text(nameField))});
    }
    failure = read->failure();
    return rows;
}

} // namespace Processing
