#pragma once

#include "main/TextArena.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

class QSqlQuery;

// The places list's rows, filled straight from the places query and sorted on case-folded
// keys, so a hundred thousand places list and sort quickly.
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

    void clear();
    // Appends the rows of an executed places query; a place already listed is skipped. The
    // rows read before a failure stay listed; throws DbError after adding them.
    void load(QSqlQuery &query);

    // The item key "LF" followed by the place identifier.
    QString Key(int row) const;
    QString Text(int row, int column) const;
    bool HasLink(int row) const;

    // Flips the order on every call, also for a new column.
    void SortByColumn(int column);
    int SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

private:
    struct Place
    {
        std::array<QStringView, ColumnCount> texts; // into m_texts
        qint64 leafId = 0;
        bool link = false;
    };

    const Place &shown(int row) const { return m_places[std::size_t(m_order[std::size_t(row)])]; }
    const std::vector<QStringView> &sortKeys(int column);
    void sortRows();

    std::vector<Place> m_places; // in the order the query returned them
    std::vector<int> m_order;    // shown row -> position in m_places
    TextArena m_texts;
    // Case-folded texts of a column, by position in m_places; made on the first sort by it.
    std::array<std::vector<QStringView>, ColumnCount> m_keys;
    TextArena m_folded;
    QSet<qint64> m_listed;
    int m_sortColumn = -1; // no column sorted yet
    // Before the first click the order counts as descending, so the first click sorts
    // ascending, as users expect.
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
