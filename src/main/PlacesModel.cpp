#include "main/PlacesModel.h"

#include "data/Connection.h"
#include "data/DbError.h"

#include <QColor>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <numeric>

namespace {

const char *const Headers[PlacesModel::ColumnCount] = {"Name",      "City", "District", "Address",
                                                       "Telephone", "More", "URL",      "Category"};

// The fields each column shows: the "Address" column shows field Telephone and the
// "Telephone" column field Address, because the stored rows hold them crosswise.
const char *const Fields[PlacesModel::ColumnCount] = {"Name",    "City", "District", "Telephone",
                                                      "Address", "More", "URL",      "Category"};

int fieldPosition(const QSqlRecord &record, const QString &name)
{
    for (int i = 0; i < record.count(); ++i) {
        if (record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw Processing::DbError(QStringLiteral("The places query has no column \"%1\".").arg(name));
}

} // namespace

int PlacesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PlacesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlacesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const Place &place = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return place.texts.at(index.column());
    case Qt::ForegroundRole:
        if (place.link)
            return QColor(0, 0, 255);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant PlacesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QVariant();
    return QString::fromLatin1(Headers[section]);
}

void PlacesModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_listed.clear();
    endResetModel();
}

void PlacesModel::load(QSqlQuery &query)
{
    const QSqlRecord record = query.record();
    int positions[ColumnCount];
    for (int c = 0; c < ColumnCount; ++c)
        positions[c] = fieldPosition(record, QString::fromLatin1(Fields[c]));
    const int leafPosition = fieldPosition(record, QStringLiteral("Leaf_ID"));

    QList<Place> fetched;
    while (query.next()) {
        const QVariant leaf = query.value(leafPosition);
        bool ok = false;
        const qint64 leafId = leaf.toLongLong(&ok);
        // A hand-edited database may link a place twice; it is listed once.
        if (!ok || m_listed.contains(leafId))
            continue;
        m_listed.insert(leafId);
        Place place;
        place.leafId = leafId;
        for (int c = 0; c < ColumnCount; ++c)
            place.texts[c] = query.value(positions[c]).toString();
        place.link = !place.texts[URL].trimmed().isEmpty();
        fetched.append(std::move(place));
    }
    const QString failure = Processing::Connection::lastQueryError(query);

    beginResetModel();
    if (m_rows.isEmpty())
        m_rows = std::move(fetched);
    else
        m_rows.append(std::move(fetched));
    if (m_sortColumn >= 0)
        sortRows();
    endResetModel();

    if (!failure.isEmpty())
        throw Processing::DbError(QStringLiteral("The places could not all be read."), failure);
}

QString PlacesModel::Key(int row) const
{
    return QStringLiteral("LF") + QString::number(m_rows.at(row).leafId);
}

QString PlacesModel::Text(int row, int column) const
{
    return m_rows.at(row).texts.at(column);
}

bool PlacesModel::HasLink(int row) const
{
    return m_rows.at(row).link;
}

void PlacesModel::SortByColumn(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<qint64> beforeIds;
    for (const QModelIndex &index : before)
        beforeIds.append(m_rows.at(index.row()).leafId);
    sortRows();
    if (!before.isEmpty()) {
        QHash<qint64, int> rowOf;
        for (int r = 0; r < m_rows.size(); ++r)
            rowOf.insert(m_rows.at(r).leafId, r);
        QModelIndexList after;
        for (int i = 0; i < before.size(); ++i)
            after.append(index(rowOf.value(beforeIds.at(i)), before.at(i).column()));
        changePersistentIndexList(before, after);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlacesModel::sortRows()
{
    const int column = m_sortColumn;
    std::vector<QString> keys;
    keys.reserve(m_rows.size());
    for (const Place &place : std::as_const(m_rows))
        keys.push_back(place.texts[column].toCaseFolded());
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[b] < keys[a]; });
    QList<Place> sorted;
    sorted.reserve(m_rows.size());
    for (int i : order)
        sorted.append(std::move(m_rows[i]));
    m_rows = std::move(sorted);
}
