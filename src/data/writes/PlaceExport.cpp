#include "data/writes/PlaceExport.h"

#include "data/DbError.h"
#include "data/connection/FieldValues.h"
#include "data/rows/TextRows.h"
#include "data/statements/PlaceStatements.h"
#include "data/statements/Queries.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace Processing {

namespace {

// The identifier a cell holds in plain digits, as the drivers write integers; none otherwise.
std::optional<qint64> digitsOf(const TextCell &cell)
{
    if (cell.size == 0 || cell.size > 18)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = 0; i < cell.size; ++i) {
        const char16_t c = cell.wide ? static_cast<const char16_t *>(cell.data)[i]
                                     : char16_t(static_cast<const uchar *>(cell.data)[i]);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::optional<qint64> identifierOf(TextRows &rows, int position)
{
    if (const std::optional<qint64> digits = digitsOf(rows.text(position)))
        return digits;
    return WholeNumber(rows.value(position));
}

// Places written so far, by identifier: a bit each for the small numbers identifiers are.
class Written
{
public:
    bool insert(qint64 id)
    {
        if (id >= 0 && id < (qint64(1) << 24)) {
            if (std::size_t(id) >= m_bits.size())
                m_bits.resize(std::max(std::size_t(id) + 1, m_bits.size() * 2));
            if (m_bits[std::size_t(id)])
                return false;
            m_bits[std::size_t(id)] = true;
            return true;
        }
        if (m_others.contains(id))
            return false;
        m_others.insert(id);
        return true;
    }

private:
    std::vector<bool> m_bits;
    QSet<qint64> m_others;
};

void writeCell(const TextCell &cell, CsvWriter &out, bool trimBlanks = false)
{
    qsizetype first = 0;
    qsizetype size = cell.size;
    const auto at = [&cell](qsizetype i) {
        return cell.wide ? static_cast<const char16_t *>(cell.data)[i]
                         : char16_t(static_cast<const uchar *>(cell.data)[i]);
    };
    while (trimBlanks && size > 0 && at(first) == u' ') {
        ++first;
        --size;
    }
    while (trimBlanks && size > 0 && at(first + size - 1) == u' ')
        --size;
    if (size == 0)
        out.field(QLatin1StringView());
    else if (cell.wide)
        out.field(QStringView(static_cast<const char16_t *>(cell.data) + first, size));
    else
        out.field(QLatin1StringView(static_cast<const char *>(cell.data) + first, size));
}

qint64 storedPlaces(Connection &db)
{
    const Recordset rs = db.openRecordset(QStringLiteral("select count(*) from PLACES_LEAVES"));
    return rs.RecordCount() > 0 ? WholeNumber(rs.value(0, 0)).value_or(0) : 0;
}

} // namespace

QStringList PlaceFileColumns()
{
    return {QStringLiteral("Name"),    QStringLiteral("Category"),  QStringLiteral("City"), QStringLiteral("District"),
            QStringLiteral("Address"), QStringLiteral("Telephone"), QStringLiteral("URL"),  QStringLiteral("More")};
}

ExportOutcome ExportPlaces(const std::optional<QSet<qint32>> &categories, CsvWriter &out, Connection &db)
{
    ExportOutcome outcome;
    const qint64 stored = storedPlaces(db);
    const CategoryPaths tree = CategoryPaths::Read(db);
    for (const QString &column : PlaceFileColumns())
        out.field(column);
    out.endRecord();

    QSqlQuery query = db.run(GetPlacesQuery(-1));
    const QSqlRecord record = query.record();
    const auto position = [&record](const char *field) { return FieldPosition(record, QString::fromLatin1(field)); };
    // In the file's order of columns; the category is written from its path.
    const int name = position("Name");
    const int city = position("City");
    const int district = position("District");
    const int address = position(AddressTextField);
    const int telephone = position(TelephoneTextField);
    const int url = position("URL");
    const int more = position("More");
    const int leaf = position("Leaf_ID");
    const int branch = position("Branch_ID");
    const int category = position("Category");
    const std::unique_ptr<TextRows> rows = ReadTextRows(std::move(query), db.database());
    Written written;
    QString path;
    qint32 pathOf = -1;
    while (rows->next() && !out.failed()) {
        const std::optional<qint64> leafId = identifierOf(*rows, leaf);
        const std::optional<qint64> branchId = identifierOf(*rows, branch);
        if (!leafId || !branchId || (categories && !categories->contains(qint32(*branchId))))
            continue;
        // A place filed twice is listed once, under its first category, as the list shows it.
        if (!written.insert(*leafId))
            continue;
        if (pathOf != *branchId) {
            pathOf = qint32(*branchId);
            // One added since the tree was read goes by its name alone: no statement may run
            // before these rows are read to their end.
            path = tree.Contains(pathOf) ? tree.Path(pathOf) : TextOf(rows->text(category));
        }
        writeCell(rows->text(name), out);
        out.field(path);
        writeCell(rows->text(city), out);
        writeCell(rows->text(district), out);
        writeCell(rows->text(address), out);
        writeCell(rows->text(telephone), out);
        writeCell(rows->text(url), out, true);
        writeCell(rows->text(more), out);
        out.endRecord();
        ++outcome.written;
    }
    if (const QString failure = rows->failure(); !failure.isEmpty())
        throw DbError(QCoreApplication::translate("Processing", "The places could not all be read."), failure);
    if (!categories)
        outcome.notListed = std::max<qint64>(0, stored - outcome.written);
    return outcome;
}

} // namespace Processing
