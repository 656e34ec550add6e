#pragma once

#include "data/rows/CsvWriter.h"
#include "data/rows/PlacesList.h"
#include "data/rows/TextRows.h"
#include "main/CaseBlindCollator.h"
#include "main/TextArena.h"

#include <QAbstractTableModel>
#include <QLatin1StringView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <vector>

// The places list's rows, filled straight from the places query and sorted as the interface's
// language sorts, blind to case (CaseBlindCollator), on a key made once per row, so a hundred
// thousand places list and sort quickly.
class PlacesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Name, City, District, Address, Telephone, More, URL, Category };
    static constexpr int ColumnCount = 8;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Empties the list; a load under way is given up.
    void clear();
    // Appends the rows of the places list opened, in steps, so that the caller can let the
    // window paint between them; a place already listed is skipped. The rows read so far are
    // not shown: the list shows them all at once when the rows are read to their end (or fails,
    // the rows read before staying listed), so nothing can act on half a list.
    void beginLoad(Processing::PlacesListRows rows);
    // Reads up to `rows` more rows; true once the load is over (read to the end or failed) and
    // its rows are shown.
    bool loadMore(qsizetype rows);
    bool Loading() const { return m_loading; }
    // Places read so far by the load under way.
    qsizetype ReadCount() const { return qsizetype(m_places.size()); }
    // Throws DbError when the last load ended on a failure.
    void throwLoadFailure() const;

    // A shown row's texts of the given columns, in that order, as one record.
    void WriteRow(int row, const QList<int> &columns, Processing::CsvWriter &out) const;

    // The place identifier of a shown row.
    qint32 PlaceId(int row) const;
    QString Text(int row, int column) const;

    // Flips the order on every call, also for a new column. During a load only the order is
    // chosen; the rows are sorted when they are shown.
    void SortByColumn(int column);
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

private:
    // A place's eight texts lie back to back in m_texts, one byte a character when every
    // character fits (most directories), else UTF-16: the list holds about the bytes of its
    // text, not twice that plus a view per text.
    struct Place
    {
        const char *texts = nullptr;
        std::array<quint32, ColumnCount> ends{}; // where each text ends, in characters
        qint32 leafId = 0;
        bool latin1 = true;
        bool link = false;

        qsizetype start(int column) const { return column == 0 ? 0 : ends[std::size_t(column - 1)]; }
        qsizetype length(int column) const { return ends[std::size_t(column)] - start(column); }
        QLatin1StringView latin1Text(int column) const { return {texts + start(column), length(column)}; }
        QStringView utf16Text(int column) const
        {
            return {reinterpret_cast<const char16_t *>(texts) + start(column), length(column)};
        }
        QString text(int column) const { return latin1 ? QString(latin1Text(column)) : utf16Text(column).toString(); }
    };

    // Places listed so far by identifier: a bit each for the small numbers identifiers are,
    // a hash for any other.
    class ListedIds
    {
    public:
        // False when the identifier was listed already.
        bool insert(qint64 id);
        void clear();

    private:
        std::vector<bool> m_bits;
        QSet<qint64> m_others;
    };

    const Place &shown(int row) const { return m_places[std::size_t(m_order[std::size_t(row)])]; }
    // The collation keys of a column's texts of the places from one position to another.
    std::vector<CollationKey> makeSortKeys(int column, std::size_t from, std::size_t to) const;
    const std::vector<CollationKey> &sortKeys(int column);
    void sortRows();
    // Reads the current row into m_places.
    void readRow();
    void showLoaded();

    std::vector<Place> m_places; // in the order the query returned them
    std::vector<int> m_order;    // shown row -> position in m_places
    TextArena m_texts;
    // The collation keys of a column's texts, by position in m_places; made on the first sort by
    // it, so a sort compares bytes, never texts.
    std::array<std::vector<CollationKey>, ColumnCount> m_keys;
    ListedIds m_listed;
    // The load under way.
    std::unique_ptr<Processing::TextRows> m_rows;
    bool m_loading = false;
    std::array<int, ColumnCount> m_positions{};
    int m_leafPosition = -1;
    QString m_loadFailure;
    int m_sortColumn = -1; // no column sorted yet
    // Before the first click the order counts as descending, so the first click sorts
    // ascending, as users expect.
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
