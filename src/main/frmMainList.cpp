#include "data/Connection.h"
#include "data/Queries.h"
#include "data/SearchState.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/StartBrowser.h"
#include "ui/WaitCursor.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

void frmMain::UpdateList(qint32 Branch_ID)
{
    WaitCursor wait;
    m_places->clear();
    QString sql = Processing::GetPlacesQuery(Branch_ID);
    if (!Processing::SearchStr.isEmpty())
        sql += QStringLiteral(" AND ") + Processing::SearchStr;
    QSqlQuery query = Processing::DbConn().run(sql);
    m_places->load(query);
}

int frmMain::SelectedPlaceRow() const
{
    const QModelIndexList rows = LstVwPlaces->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void frmMain::LstVwPlaces_ColumnClick(int column)
{
    WaitCursor wait;
    m_places->SortByColumn(column);
    LstVwPlaces->header()->setSortIndicatorShown(true);
    LstVwPlaces->header()->setSortIndicator(column, m_places->SortOrder());
}

void frmMain::LstVwPlaces_DblClick()
{
    const int row = SelectedPlaceRow();
    if (row < 0)
        return;
    const QString url = m_places->Text(row, PlacesModel::URL);
    if (url.trimmed().isEmpty())
        return;
    StartBrowser(url);
}

void frmMain::LstVwPlaces_KeyPress(int key)
{
    if (key == 13)
        UpdatePlace();
}
