#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <QString>

#include <array>

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
        std::array<QString, ColumnCount> texts;
        qint64 leafId = 0;
        bool link = false;
    };

    void sortRows();

    QList<Place> m_rows;
    QSet<qint64> m_listed;
    int m_sortColumn = -1; // no column sorted yet
    // Before the first click the order counts as descending, so the first click sorts
    // ascending, as users expect.
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
