#include "main/PlacesModel.h"

#include "data/DbError.h"
#include "data/connection/FieldValues.h"
#include "data/rows/TextRows.h"
#include "data/setup/InterfaceLanguage.h"

#include <QColor>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <numeric>
#include <thread>

namespace {

const char *const Headers[PlacesModel::ColumnCount] = {
    QT_TRANSLATE_NOOP("PlacesModel", "Name"),      QT_TRANSLATE_NOOP("PlacesModel", "City"),
    QT_TRANSLATE_NOOP("PlacesModel", "District"),  QT_TRANSLATE_NOOP("PlacesModel", "Address"),
    QT_TRANSLATE_NOOP("PlacesModel", "Telephone"), QT_TRANSLATE_NOOP("PlacesModel", "More"),
    QT_TRANSLATE_NOOP("PlacesModel", "URL"),       QT_TRANSLATE_NOOP("PlacesModel", "Category")};

static_assert(PlacesModel::ColumnCount == Processing::PlaceTextCount &&
              PlacesModel::Address == int(Processing::PlaceText::Address) &&
              PlacesModel::Category == int(Processing::PlaceText::Category));

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
    return tr(Headers[section]);
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
    for (std::vector<CollationKey> &keys : m_keys)
        keys = {};
    m_listed.clear();
    endResetModel();
}

void PlacesModel::beginLoad(Processing::PlacesListRows rows)
{
    m_loading = true;
    m_loadFailure.clear();
    m_positions = rows.texts;
    m_leafPosition = rows.placeId;
    m_rows = std::move(rows.rows);
    for (std::vector<CollationKey> &keys : m_keys)
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
        throw Processing::DbError(tr("The places could not all be read."), m_loadFailure);
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

namespace {

// A list this long is sorted on two threads where there are two cores: half its keys made on
// each, each half sorted on its own, the halves then merged. Below it a thread costs more than it
// saves.
constexpr std::size_t TwoThreadRows = 50000;

bool onTwoThreads(std::size_t rows)
{
    return rows >= TwoThreadRows && std::thread::hardware_concurrency() > 1;
}

// Runs first on a thread of its own and second on this one, and waits for both.
template<typename First, typename Second> void together(First first, Second second)
{
    std::thread other(std::move(first));
    second();
    other.join();
}

} // namespace

std::vector<CollationKey> PlacesModel::makeSortKeys(int column, std::size_t from, std::size_t to) const
{
    // The interface's language orders the texts ("أحمد" with "احمد", "Éclair" among the e's),
    // without regard to case; a key per text makes each comparison one of bytes. A collator of
    // its own for each thread.
    const CaseBlindCollator collator(Processing::InterfaceLocale());
    std::vector<CollationKey> keys;
    keys.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) {
        const Place &place = m_places[i];
        keys.push_back(collator.sortKey(
            place.latin1 ? QString(place.latin1Text(column))
                         : QString::fromRawData(place.utf16Text(column).data(), place.length(column))));
    }
    return keys;
}

const std::vector<CollationKey> &PlacesModel::sortKeys(int column)
{
    std::vector<CollationKey> &keys = m_keys[std::size_t(column)];
    const std::size_t rows = m_places.size();
    if (keys.size() == rows)
        return keys;
    if (!onTwoThreads(rows)) {
        keys = makeSortKeys(column, 0, rows);
        return keys;
    }
    std::vector<CollationKey> later;
    together([&] { later = makeSortKeys(column, rows / 2, rows); }, [&] { keys = makeSortKeys(column, 0, rows / 2); });
    keys.insert(keys.end(), std::make_move_iterator(later.begin()), std::make_move_iterator(later.end()));
    return keys;
}

void PlacesModel::sortRows()
{
    const std::vector<CollationKey> &keys = sortKeys(m_sortColumn);
    // Sorted side by side with their keys: a comparison then reads the two keys and nothing else.
    struct Entry
    {
        CollationKey key;
        int place;
    };
    std::vector<Entry> entries;
    entries.reserve(keys.size());
    for (std::size_t place = 0; place < keys.size(); ++place)
        entries.push_back({keys[place], int(place)});
    // Places with equal texts keep the order the query returned them in, either way round.
    const int direction = m_sortOrder == Qt::AscendingOrder ? 1 : -1;
    const auto before = [direction](const Entry &a, const Entry &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order * direction < 0 : a.place < b.place;
    };
    if (onTwoThreads(entries.size())) {
        const auto middle = entries.begin() + qsizetype(entries.size() / 2);
        together([&] { std::sort(middle, entries.end(), before); },
                 [&] { std::sort(entries.begin(), middle, before); });
        std::inplace_merge(entries.begin(), middle, entries.end(), before);
    } else {
        std::sort(entries.begin(), entries.end(), before);
    }
    m_order.resize(entries.size());
    for (std::size_t row = 0; row < entries.size(); ++row)
        m_order[row] = entries[row].place;
}
