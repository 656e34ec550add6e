#include "data/DbError.h"
#include "data/PlacesList.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/StartBrowser.h"
#include "ui/WaitCursor.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

// Rows read between two looks at the clock.
constexpr qsizetype BatchRows = 1024;

} // namespace

bool frmMain::ListLoading() const
{
    return m_places->Loading();
}

void frmMain::UpdateList(qint32 Branch_ID)
{
    WaitCursor wait;
    GiveUpLoad();
    // Commands that waited for a load given up here run once no list loads, from the event
    // loop: not inside the command that asked for this list.
    const auto runWaitingLater = qScopeGuard([this] {
        if (!ListLoading() && !m_waiting.empty())
            QTimer::singleShot(0, this, [this] { RunWaiting(); });
    });
    // A list the database refuses leaves the list showing what it showed.
    Processing::PlacesListRows rows = Processing::OpenPlacesList(Branch_ID, SearchStr);
    m_places->clear();
    m_panels[2]->clear();
    m_places->beginLoad(std::move(rows));

    // Most lists are read at once. A long one goes on in steps from the event loop, so the
    // window paints and counts the places read in the status bar; the list shows none of them
    // until all are read, so a click meanwhile never meets half a list.
    if (!ReadListFor(m_settings.listLoad.progressDelay)) {
        m_panels[2]->setText(tr("Loading places: %1").arg(QLocale().toString(m_places->ReadCount())));
        m_loadCursor = std::make_unique<WaitCursor>();
        m_loadSteps->start();
        return;
    }
    Q_EMIT ListLoaded();
    m_places->throwLoadFailure();
}

bool frmMain::ReadListFor(qint64 milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_places->loadMore(BatchRows)) {
        if (clock.elapsed() >= milliseconds)
            return false;
    }
    return true;
}

void frmMain::LoadStep()
{
    if (!ReadListFor(m_settings.listLoad.paintInterval)) {
        m_panels[2]->setText(tr("Loading places: %1").arg(QLocale().toString(m_places->ReadCount())));
        return;
    }
    EndLoad();
}

void frmMain::EndLoad()
{
    m_loadSteps->stop();
    m_loadCursor.reset();
    m_panels[2]->clear();
    std::optional<Processing::DbError> failure;
    try {
        m_places->throwLoadFailure();
    } catch (const Processing::DbError &error) {
        failure = error;
    }
    // The command that asked for the list tells of its failure where it waits for it; else the
    // window does, once.
    const bool toldByWaiting = std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                                           [](const Waiting &w) { return w.forThisLoad && w.tellsFailure; });
    Q_EMIT ListLoaded();
    if (failure && !toldByWaiting)
        ShowDbError(*failure);
    if (ListLoading())
        return; // the message's own event loop let a new list start: what waits waits for it
    for (Waiting &waiting : m_waiting) {
        if (waiting.forThisLoad && failure)
            waiting.run = [run = std::move(waiting.run), failure](const std::optional<Processing::DbError> &) {
                run(failure);
            };
        waiting.forThisLoad = false;
    }
    RunWaiting();
}

void frmMain::RunWaiting()
{
    const QPointer<frmMain> alive(this);
    while (alive && !ListLoading() && !m_waiting.empty()) {
        const Waiting waiting = m_waiting.front();
        m_waiting.erase(m_waiting.begin());
        if (waiting.owner)
            waiting.run(std::nullopt);
    }
}

void frmMain::GiveUpLoad()
{
    if (!ListLoading())
        return;
    m_loadSteps->stop();
    m_loadCursor.reset();
    m_places->clear();
    m_panels[2]->clear();
    for (Waiting &waiting : m_waiting)
        waiting.forThisLoad = false;
}

void frmMain::WhenListWhole(QObject *owner, int command, std::function<void()> run)
{
    if (!ListLoading()) {
        run();
        return;
    }
    const bool queued = std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                                    [&](const Waiting &w) { return w.owner == owner && w.command == command; });
    if (!queued)
        m_waiting.push_back({owner, command, [run = std::move(run)](const auto &) { run(); }, false, true});
}

void frmMain::AfterListLoaded(std::function<void(const std::optional<Processing::DbError> &failure)> then)
{
    if (!ListLoading()) {
        then(std::nullopt);
        return;
    }
    m_waiting.push_back({this, -1, std::move(then), true, true});
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
