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

bool blanksOnly(QStringView text)
{
    return text.trimmed().isEmpty();
}

} // namespace

int PlacesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int PlacesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlacesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return QVariant();
    const Place &place = shown(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return place.texts[std::size_t(index.column())].toString();
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
    m_places = {};
    m_order = {};
    m_texts.clear();
    for (std::vector<QStringView> &keys : m_keys)
        keys = {};
    m_folded.clear();
    m_listed.clear();
    endResetModel();
}

void PlacesModel::load(QSqlQuery &query)
{
    // Field positions are resolved once for the whole result.
    const QSqlRecord record = query.record();
    int positions[ColumnCount];
    for (int c = 0; c < ColumnCount; ++c)
        positions[c] = fieldPosition(record, QString::fromLatin1(Fields[c]));
    const int leafPosition = fieldPosition(record, QStringLiteral("Leaf_ID"));

    // One reset for the whole load: a signal per row would make the view relayout per row.
    beginResetModel();
    for (std::vector<QStringView> &keys : m_keys)
        keys = {};
    while (query.next()) {
        bool ok = false;
        const qint64 leafId = query.value(leafPosition).toLongLong(&ok);
        // A hand-edited database may link a place twice; it is listed once.
        if (!ok || m_listed.contains(leafId))
            continue;
        m_listed.insert(leafId);
        Place &place = m_places.emplace_back();
        place.leafId = leafId;
        for (int c = 0; c < ColumnCount; ++c) {
            // A NULL reads as an empty text.
            const QVariant value = query.value(positions[c]);
            if (!value.isNull())
                place.texts[std::size_t(c)] = m_texts.add(value.toString());
        }
        place.link = !blanksOnly(place.texts[URL]);
    }
    const QString failure = Processing::Connection::lastQueryError(query);
    if (m_sortColumn >= 0) {
        sortRows();
    } else {
        m_order.resize(m_places.size());
        std::iota(m_order.begin(), m_order.end(), 0);
    }
    endResetModel();

    if (!failure.isEmpty())
        throw Processing::DbError(QStringLiteral("The places could not all be read."), failure);
}

QString PlacesModel::Key(int row) const
{
    return QStringLiteral("LF") + QString::number(shown(row).leafId);
}

QString PlacesModel::Text(int row, int column) const
{
    return shown(row).texts.at(std::size_t(column)).toString();
}

bool PlacesModel::HasLink(int row) const
{
    return shown(row).link;
}

void PlacesModel::SortByColumn(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    const std::vector<int> previousOrder = before.isEmpty() ? std::vector<int>() : m_order;
    sortRows();
    if (!before.isEmpty()) {
        // Selection and current item follow their places to the new rows.
        std::vector<int> rowOf(m_places.size());
        for (std::size_t row = 0; row < m_order.size(); ++row)
            rowOf[std::size_t(m_order[row])] = int(row);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex &index : before)
            after.append(this->index(rowOf[std::size_t(previousOrder[std::size_t(index.row())])], index.column()));
        changePersistentIndexList(before, after);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const std::vector<QStringView> &PlacesModel::sortKeys(int column)
{
    std::vector<QStringView> &keys = m_keys[std::size_t(column)];
    if (keys.size() != m_places.size()) {
        keys.clear();
        keys.reserve(m_places.size());
        for (const Place &place : m_places)
            keys.push_back(m_folded.addFolded(place.texts[std::size_t(column)]));
    }
    return keys;
}

void PlacesModel::sortRows()
{
    const std::vector<QStringView> &keys = sortKeys(m_sortColumn);
    // The first four units of each key packed into one number decide most comparisons without
    // touching the texts, which lie scattered in memory.
    struct Entry
    {
        quint64 prefix;
        int place;
    };
    std::vector<Entry> entries(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QStringView key = keys[i];
        quint64 prefix = 0;
        for (qsizetype u = 0; u < 4; ++u)
            prefix = (prefix << 16) | (u < key.size() ? key[u].unicode() : 0u);
        entries[i] = {prefix, int(i)};
    }
    const auto compare = [&keys](const Entry &a, const Entry &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        return keys[std::size_t(a.place)].compare(keys[std::size_t(b.place)]);
    };
    // Places with equal texts keep the order the query returned them in, either way round.
    if (m_sortOrder == Qt::AscendingOrder) {
        std::sort(entries.begin(), entries.end(), [&compare](const Entry &a, const Entry &b) {
            const int c = compare(a, b);
            return c < 0 || (c == 0 && a.place < b.place);
        });
    } else {
        std::sort(entries.begin(), entries.end(), [&compare](const Entry &a, const Entry &b) {
            const int c = compare(a, b);
            return c > 0 || (c == 0 && a.place < b.place);
        });
    }
    m_order.resize(entries.size());
    for (std::size_t row = 0; row < entries.size(); ++row)
        m_order[row] = entries[row].place;
}
