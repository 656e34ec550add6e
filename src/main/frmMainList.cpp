#include "data/DbError.h"
#include "data/rows/PlacesList.h"
#include "main/ListLoader.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/StartBrowser.h"
#include "ui/WaitCursor.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QScopeGuard>
#include <QTreeView>

void frmMain::BuildListLoader()
{
    m_loader = new ListLoader(*m_places, m_settings.listLoad, this);
    connect(m_loader, &ListLoader::progress, this,
            [this](qsizetype read) { m_panels[2]->setText(tr("Loading places: %1").arg(QLocale().toString(read))); });
    connect(m_loader, &ListLoader::stopped, this, [this] { m_panels[2]->clear(); });
    connect(m_loader, &ListLoader::whole, this, [this] { Q_EMIT ListLoaded(); });
    connect(m_loader, &ListLoader::failed, this, [this](const Processing::DbError &failure, bool toldByWaiting) {
        Q_EMIT ListLoaded();
        if (!toldByWaiting)
            ShowDbError(failure);
    });
}

bool frmMain::ListLoading() const
{
    return m_loader->Loading();
}

void frmMain::UpdateList(qint32 Branch_ID)
{
    WaitCursor wait;
    GiveUpLoad();
    // Commands that waited for a load given up here run once no list loads.
    const auto runWaitingLater = qScopeGuard([this] { m_loader->RunWaitingLater(); });
    // A list the database refuses leaves the list showing what it showed.
    Processing::PlacesListRows rows = Processing::OpenPlacesList(Branch_ID, SearchStr);
    m_panels[2]->clear();
    if (!m_loader->Load(std::move(rows)))
        return;
    Q_EMIT ListLoaded();
    m_places->throwLoadFailure();
}

void frmMain::GiveUpLoad()
{
    m_loader->GiveUp();
}

void frmMain::WhenListWhole(QObject *owner, int command, std::function<void()> run)
{
    m_loader->WhenWhole(owner, command, std::move(run));
}

void frmMain::AfterListLoaded(std::function<void(const std::optional<Processing::DbError> &failure)> then)
{
    m_loader->AfterLoaded(this, std::move(then));
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
