#include "main/PlacesModel.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/FieldValues.h"
#include "data/PlaceStatements.h"
#include "data/TextRows.h"

#include <QColor>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

const char *const Headers[PlacesModel::ColumnCount] = {"Name",      "City", "District", "Address",
                                                       "Telephone", "More", "URL",      "Category"};

// The fields each column shows; the address and the telephone from the fields that hold them.
const char *const Fields[PlacesModel::ColumnCount] = {
    "Name", "City", "District", Processing::AddressTextField, Processing::TelephoneTextField,
    "More", "URL",  "Category"};

// As QString::trimmed() would leave nothing.
template<typename Unit> bool blanksOnly(const Unit *text, qsizetype size)
{
    return std::all_of(text, text + size, [](Unit unit) { return QChar::isSpace(char32_t(unit)); });
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
        return place.text(index.column());
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
    m_rows.reset();
    m_loading = false;
    m_loadFailure.clear();
    m_places = {};
    m_order = {};
    m_texts.clear();
    for (std::vector<QStringView> &keys : m_keys)
        keys = {};
    m_folded.clear();
    m_listed.clear();
    endResetModel();
}

void PlacesModel::beginLoad(QSqlQuery query)
{
    m_loading = true;
    m_loadFailure.clear();
    // Field positions are resolved once for the whole result.
    const QSqlRecord record = query.record();
    for (int c = 0; c < ColumnCount; ++c)
        m_positions[std::size_t(c)] = Processing::FieldPosition(record, QString::fromLatin1(Fields[c]));
    m_leafPosition = Processing::FieldPosition(record, QStringLiteral("Leaf_ID"));
    m_rows = Processing::ReadTextRows(std::move(query), Processing::DbConn().database());
    for (std::vector<QStringView> &keys : m_keys)
        keys = {};
}

bool PlacesModel::loadMore(qsizetype rows)
{
    if (!m_loading)
        return true;
    for (qsizetype read = 0; read < rows; ++read) {
        if (!m_rows->next()) {
            showLoaded();
            return true;
        }
        readRow();
    }
    return false;
}

void PlacesModel::readRow()
{
    // An identifier is a 32-bit integer, as the column declares; a row with none other is
    // not listed, since it could be neither updated nor deleted.
    const std::optional<qint32> leafId = Processing::Int32Of(m_rows->value(m_leafPosition));
    // A hand-edited database may link a place twice; it is listed once.
    if (!leafId || !m_listed.insert(*leafId))
        return;
    Processing::TextCell cells[ColumnCount];
    Place &place = m_places.emplace_back();
    place.leafId = *leafId;
    qsizetype total = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const Processing::TextCell cell = m_rows->text(m_positions[std::size_t(c)]);
        cells[c] = cell;
        total += cell.size;
        if (place.latin1 && cell.wide) {
            const auto *units = static_cast<const char16_t *>(cell.data);
            place.latin1 = std::all_of(units, units + cell.size, [](char16_t unit) { return unit < 0x100; });
        }
    }
    char *out = m_texts.reserveBytes(place.latin1 ? total : total * 2);
    place.texts = out;
    quint32 end = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const Processing::TextCell &cell = cells[c];
        // An empty or NULL value may come without any text to point at.
        if (cell.size == 0) {
            place.ends[std::size_t(c)] = end;
            continue;
        }
        if (place.latin1 && !cell.wide) {
            std::memcpy(out + end, cell.data, std::size_t(cell.size));
        } else if (place.latin1) {
            const auto *units = static_cast<const char16_t *>(cell.data);
            for (qsizetype i = 0; i < cell.size; ++i)
                out[end + i] = char(units[i]);
        } else if (cell.wide) {
            std::memcpy(out + 2 * end, cell.data, std::size_t(cell.size) * 2);
        } else {
            const auto *bytes = static_cast<const uchar *>(cell.data);
            auto *units = reinterpret_cast<char16_t *>(out) + end;
            for (qsizetype i = 0; i < cell.size; ++i)
                units[i] = bytes[i];
        }
        end += quint32(cell.size);
        place.ends[std::size_t(c)] = end;
    }
    const qsizetype url = place.start(URL);
    place.link = place.latin1 ? !blanksOnly(reinterpret_cast<const uchar *>(place.texts) + url, place.length(URL))
                              : !blanksOnly(reinterpret_cast<const char16_t *>(place.texts) + url, place.length(URL));
}

void PlacesModel::showLoaded()
{
    m_loadFailure = m_rows->failure();
    // The statement is done with: the connection is free for the next one.
    m_rows.reset();
    m_loading = false;
    // One reset for the whole load: a signal per row would make the view relayout per row.
    beginResetModel();
    if (m_sortColumn >= 0) {
        sortRows();
    } else {
        m_order.resize(m_places.size());
        std::iota(m_order.begin(), m_order.end(), 0);
    }
    endResetModel();
}

void PlacesModel::throwLoadFailure() const
{
    if (!m_loadFailure.isEmpty())
        throw Processing::DbError(QStringLiteral("The places could not all be read."), m_loadFailure);
}

qint32 PlacesModel::PlaceId(int row) const
{
    return shown(row).leafId;
}

void PlacesModel::WriteRow(int row, const QList<int> &columns, Processing::CsvWriter &out) const
{
    const Place &place = shown(row);
    for (const int column : columns) {
        if (place.latin1)
            out.field(place.latin1Text(column));
        else
            out.field(place.utf16Text(column));
    }
    out.endRecord();
}

QString PlacesModel::Text(int row, int column) const
{
    return shown(row).text(column);
}

bool PlacesModel::ListedIds::insert(qint64 id)
{
    // Up to four million identifiers in bits: half a megabyte at most.
    if (id >= 0 && id < (qint64(1) << 22)) {
        const auto bit = std::size_t(id);
        if (bit >= m_bits.size())
            m_bits.resize(std::max(bit + 1, m_bits.size() * 2));
        if (m_bits[bit])
            return false;
        m_bits[bit] = true;
        return true;
    }
    if (m_others.contains(id))
        return false;
    m_others.insert(id);
    return true;
}

void PlacesModel::ListedIds::clear()
{
    m_bits = {};
    m_others.clear();
}

void PlacesModel::SortByColumn(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    if (m_loading)
        return;

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
            keys.push_back(place.latin1 ? m_folded.addFolded(place.latin1Text(column))
                                        : m_folded.addFolded(place.utf16Text(column)));
    }
    return keys;
}

namespace {

// One place in a sort: eight units of its key from some position on, packed into two numbers.
struct SortEntry
{
    quint64 high;
    quint64 low;
    int place;
};

quint64 packUnits(QStringView key, qsizetype from)
{
    quint64 packed = 0;
    for (qsizetype u = from; u < from + 4; ++u)
        packed = (packed << 16) | (u < key.size() ? key[u].unicode() : 0u);
    return packed;
}

// Sorts entries whose keys agree on their first `offset` units by the next eight, then each run
// still tied by the eight after those. Each key is read once a round instead of once a
// comparison: the texts lie scattered in memory, the entries side by side.
void sortByUnits(std::vector<SortEntry> &entries, std::size_t begin, std::size_t end, qsizetype offset,
                 const std::vector<QStringView> &keys, bool ascending)
{
    for (std::size_t i = begin; i < end; ++i) {
        const QStringView key = keys[std::size_t(entries[i].place)];
        entries[i].high = packUnits(key, offset);
        entries[i].low = packUnits(key, offset + 4);
    }
    // Places with equal texts keep the order the query returned them in, either way round.
    const auto first = entries.begin() + qsizetype(begin);
    const auto last = entries.begin() + qsizetype(end);
    if (ascending) {
        std::sort(first, last, [](const SortEntry &a, const SortEntry &b) {
            if (a.high != b.high)
                return a.high < b.high;
            if (a.low != b.low)
                return a.low < b.low;
            return a.place < b.place;
        });
    } else {
        std::sort(first, last, [](const SortEntry &a, const SortEntry &b) {
            if (a.high != b.high)
                return a.high > b.high;
            if (a.low != b.low)
                return a.low > b.low;
            return a.place < b.place;
        });
    }
    std::size_t run = begin;
    for (std::size_t i = begin + 1; i <= end; ++i) {
        if (i < end && entries[i].high == entries[run].high && entries[i].low == entries[run].low)
            continue;
        if (i - run > 1) {
            const bool longer =
                std::any_of(entries.begin() + qsizetype(run), entries.begin() + qsizetype(i),
                            [&](const SortEntry &e) { return keys[std::size_t(e.place)].size() > offset + 8; });
            // Keys that all end within these units are equal, already in the order of the query.
            if (longer)
                sortByUnits(entries, run, i, offset + 8, keys, ascending);
        }
        run = i;
    }
}

} // namespace

void PlacesModel::sortRows()
{
    const std::vector<QStringView> &keys = sortKeys(m_sortColumn);
    // The beginning all keys share ("+20 2 " of every telephone) decides nothing.
    qsizetype common = keys.empty() ? 0 : keys.front().size();
    for (std::size_t i = 1; i < keys.size() && common > 0; ++i) {
        const qsizetype limit = std::min(common, keys[i].size());
        qsizetype same = 0;
        while (same < limit && keys[i][same] == keys.front()[same])
            ++same;
        common = same;
    }
    std::vector<SortEntry> entries(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        entries[i].place = int(i);
    sortByUnits(entries, 0, entries.size(), common, keys, m_sortOrder == Qt::AscendingOrder);
    m_order.resize(entries.size());
    for (std::size_t row = 0; row < entries.size(); ++row)
        m_order[row] = entries[row].place;
}
