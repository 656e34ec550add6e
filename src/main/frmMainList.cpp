#include "data/Connection.h"
#include "data/Queries.h"
#include "data/SearchState.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "ui/StartBrowser.h"
#include "ui/WaitCursor.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QTreeView>

#include <functional>
#include <limits>

namespace {

// A load that takes longer than this shows its progress and lets the window paint.
int loadProgressDelay = 333; // ms
// Rows read between two looks at the clock.
constexpr qsizetype BatchRows = 1024;
// The window paints this often while a list loads.
constexpr qint64 PaintInterval = 50; // ms

// Counts the loads on the stack; the window's deletion waits until the last has returned.
class LoadFrame
{
public:
    LoadFrame(int &depth, const std::function<void()> &last) : m_depth(depth), m_last(last) { ++m_depth; }
    ~LoadFrame()
    {
        if (--m_depth == 0)
            m_last();
    }
    LoadFrame(const LoadFrame &) = delete;
    LoadFrame &operator=(const LoadFrame &) = delete;

private:
    int &m_depth;
    std::function<void()> m_last;
};

} // namespace

void frmMain::SetLoadProgressDelay(int milliseconds)
{
    loadProgressDelay = milliseconds;
}

void frmMain::UpdateList(qint32 Branch_ID)
{
    WaitCursor wait;
    // A list asked for while another loads replaces it: the other's UpdateList, further down
    // the stack, returns without a word once it sees a newer number.
    const quint64 number = ++m_loadNumber;
    const LoadFrame frame(m_loadDepth, [this] {
        if (m_deleteAfterLoad)
            deleteLater();
    });
    m_places->clear();
    m_panels[2]->clear();
    QString sql = Processing::GetPlacesQuery(Branch_ID);
    if (!Processing::SearchStr.isEmpty())
        sql += QStringLiteral(" AND ") + Processing::SearchStr;
    m_places->beginLoad(Processing::DbConn().run(sql));

    // A long load lets the window paint and counts the places read in the status bar. The
    // list shows none of them until all are read, so a click meanwhile never meets half a list.
    QElapsedTimer clock;
    clock.start();
    qint64 nextPaint = loadProgressDelay;
    while (!m_places->loadMore(BatchRows)) {
        if (clock.elapsed() < nextPaint)
            continue;
        m_panels[2]->setText(QStringLiteral("Loading places: %1").arg(QLocale().toString(m_places->ReadCount())));
        // A statement sent meanwhile (another window storing) first reads the rest of the
        // list, which it would otherwise cut short on a server connection.
        Processing::DbConn().setOpenRead([window = QPointer<frmMain>(this)] {
            if (window)
                window->FinishLoad();
        });
        QCoreApplication::processEvents();
        Processing::DbConn().setOpenRead({});
        if (m_loadNumber != number)
            return;
        nextPaint = clock.elapsed() + PaintInterval;
    }
    m_panels[2]->clear();
    m_places->throwLoadFailure();
}

void frmMain::FinishLoad()
{
    if (!m_places->Loading())
        return;
    WaitCursor wait;
    m_places->loadMore(std::numeric_limits<qsizetype>::max());
    m_panels[2]->clear();
}

bool frmMain::event(QEvent *event)
{
    // Closed while a load let the window paint: deleted once that load has returned, not
    // under its feet.
    if (event->type() == QEvent::DeferredDelete && m_loadDepth > 0) {
        m_deleteAfterLoad = true;
        return true;
    }
    return QMainWindow::event(event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Nobody waits for the list of a window that closes.
    if (m_places->Loading()) {
        ++m_loadNumber;
        m_places->clear();
        m_panels[2]->clear();
    }
    QMainWindow::closeEvent(event);
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
