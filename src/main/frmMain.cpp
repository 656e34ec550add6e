#include "main/frmMain.h"

#include "data/DbError.h"
#include "data/connection/ConnectDB.h"
#include "data/connection/Connection.h"
#include "data/safety/Redaction.h"
#include "data/writes/PlaceChanges.h"
#include "main/CategoryTreeModel.h"
#include "main/ListLoader.h"
#include "main/PlacesModel.h"
#include "ui/DbErrorMessage.h"
#include "ui/ExpansionAnnouncement.h"
#include "ui/FormFont.h"
#include "ui/LayoutDirection.h"
#include "ui/MsgBox.h"
#include "ui/ScreenFit.h"
#include "ui/Twips.h"
#include "ui/WaitCursor.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

frmMain::frmMain(RunSettings settings, QWidget *parent)
    : QMainWindow(parent), m_storedPlaces(std::make_shared<Processing::StoredPlaces>()), m_settings(std::move(settings))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Tarnwick"));
    // Exit unloads the window; the program ends when its last window has closed.
    setAttribute(Qt::WA_DeleteOnClose);
    BuildLayout();
    BuildListLoader();
    BuildToolbar();
    TellChangesStoredSlowly();
    Form_Load();
}

frmMain::~frmMain()
{
    // Another window's command that waited for the list (an update window's "&Update") runs
    // now that no list loads, from the event loop, as the click would have.
    m_loader->HandOver(this);
}

void frmMain::BuildLayout()
{
    // The controls keep the places and sizes of the layout. On a screen smaller than that the
    // window opens maximized and the client area scrolls, so no control is out of reach.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("ClientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(scroller);
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(TwipsSize(13140, 11115));
    scroller->setWidget(client);

    Toolbar1 = new QToolBar(client);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setGeometry(TwipsRect(0, 0, 13140, 765));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(25, 25));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    CatTree = new QTreeView(client);
    CatTree->setObjectName(QStringLiteral("CatTree"));
    CatTree->setGeometry(TwipsRect(0, 840, 3015, 9975));
    CatTree->setHeaderHidden(true);
    m_categories = new CategoryTreeModel(this);
    CatTree->setModel(m_categories);
    CatTree->setUniformRowHeights(true);
    // The tree and the list have no label beside them: screen readers name them by their role.
    CatTree->setAccessibleName(tr("Categories"));
    connect(CatTree, &QTreeView::clicked, this, [this] { CatTree_Click(); });
    connect(CatTree, &QTreeView::expanded, this, [this](const QModelIndex &node) { CatTree_Expand(node); });
    connect(CatTree, &QTreeView::collapsed, this, [this](const QModelIndex &node) { CatTree_Collapse(node); });
    // Told once the branch is loaded, so a screen reader that asks finds it as the view shows it.
    connect(CatTree, &QTreeView::expanded, this, [this](const QModelIndex &node) { AnnounceExpansion(CatTree, node); });
    connect(CatTree, &QTreeView::collapsed, this,
            [this](const QModelIndex &node) { AnnounceExpansion(CatTree, node); });

    // The list reaches to the window's right edge; wider, its scroll bar would lie outside.
    m_places = new PlacesModel(this);
    LstVwPlaces = new QTreeView(client);
    LstVwPlaces->setObjectName(QStringLiteral("LstVwPlaces"));
    LstVwPlaces->setAccessibleName(tr("Places"));
    LstVwPlaces->setGeometry(TwipsRect(3120, 840, 13140 - 3120, 9975));
    LstVwPlaces->setModel(m_places);
    LstVwPlaces->setRootIsDecorated(false);
    LstVwPlaces->setItemsExpandable(false);
    LstVwPlaces->setUniformRowHeights(true);
    LstVwPlaces->setAllColumnsShowFocus(true);
    LstVwPlaces->setSelectionBehavior(QAbstractItemView::SelectRows);
    LstVwPlaces->setSelectionMode(QAbstractItemView::SingleSelection);
    LstVwPlaces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstVwPlaces->header()->setStretchLastSection(false);
    LstVwPlaces->header()->setSectionsMovable(false);
    LstVwPlaces->header()->setSectionsClickable(true);
    for (int c = 0; c < PlacesModel::ColumnCount; ++c)
        LstVwPlaces->header()->resizeSection(c, Twips(1440));
    connect(LstVwPlaces->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { LstVwPlaces_ColumnClick(column); });
    connect(LstVwPlaces, &QTreeView::doubleClicked, this, [this] { LstVwPlaces_DblClick(); });
    LstVwPlaces->installEventFilter(this);
    // Saving the list: from its context menu (the mouse or the menu key) and by Ctrl+S anywhere
    // in the window; the toolbar stays as it is.
    mnuSaveListAs = new QAction(tr("Save List As…"), this);
    mnuSaveListAs->setObjectName(QStringLiteral("mnuSaveListAs"));
    mnuSaveListAs->setShortcut(QKeySequence::Save);
    mnuSaveListAs->setShortcutContext(Qt::WindowShortcut);
    addAction(mnuSaveListAs);
    connect(mnuSaveListAs, &QAction::triggered, this, [this] { SaveListAs(); });
    LstVwPlaces->viewport()->installEventFilter(this);

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(TwipsRect(0, 10860, 13140, 255));
    StatusBar1->setSizeGripEnabled(false);
    // The forms' face: the desktop's default may be too tall for the bar's fixed height.
    StatusBar1->setFont(FormFont(8.25, false));
    // The panels stand in a row of their own across the bar's whole height: the bar's own layout
    // keeps blank rows above and below its items, which at its fixed height would leave too little
    // for a face with Arabic letters, taller than Latin ones.
    auto *panels = new QWidget(StatusBar1);
    panels->setObjectName(QStringLiteral("Panels"));
    panels->setGeometry(StatusBar1->rect());
    auto *row = new QHBoxLayout(panels);
    row->setContentsMargins(2, 0, 0, 0);
    row->setSpacing(6);
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(panels);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        row->addWidget(m_panels[i], 1);
    }

    MirrorFixedPlacements(client);
    PlaceOnScreen(this, client->size());
}

namespace {

QString ConnectFailureHeadline(Processing::ConnectFailure failure)
{
    switch (failure) {
    case Processing::ConnectFailure::SettingsFile:
        return QCoreApplication::translate("frmMain", "The settings file cannot be read");
    case Processing::ConnectFailure::DatabaseFile:
        return QCoreApplication::translate("frmMain", "The database file cannot be used");
    case Processing::ConnectFailure::Folder:
        return QCoreApplication::translate("frmMain", "The folder cannot be made");
    case Processing::ConnectFailure::None:
    case Processing::ConnectFailure::Unreachable:
        break;
    }
    return QCoreApplication::translate("frmMain",
                                       "Can't Connect To Data Base Check network or Contact System Administrator");
}

} // namespace

void frmMain::Form_Load()
{
    const Processing::ConnectOutcome outcome = Processing::ConnectDB(m_settings.databases);
    m_panels[0]->setText(outcome.environment.marker);
    // A connection lost later is opened again by the next action; the panel tells which holds.
    connect(&Processing::DbConn().status(), &Processing::ConnectionStatus::connectedChanged, this,
            [this](bool up) { m_panels[1]->setText(up ? tr("Connected To DB") : tr("Connection To DB Lost")); });
    if (outcome.connected) {
        m_panels[1]->setText(tr("Connected To DB"));
        if (!outcome.readOnlyFile.isEmpty())
            MsgBox(tr("Changes cannot be stored in the database file %1").arg(outcome.readOnlyFile), QMessageBox::Ok,
                   QMessageBox::Warning, tr("Error "), outcome.readOnlyReason);
    } else {
        // The box's headline says whom to turn to; the reason, naming the file where one is at
        // fault, lies in its details and on standard error.
        qWarning("%s", qPrintable(Processing::Redacted(outcome.error)));
        MsgBox(ConnectFailureHeadline(outcome.failure), QMessageBox::Ok, QMessageBox::Critical, tr("Error "),
               outcome.error);
    }
    SearchStr.clear();
    try {
        InitForm();
    } catch (const Processing::DbError &error) {
        // Without a connection the user has just been told; the tree keeps its root node.
        if (outcome.connected)
            ShowDbError(error);
    }
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // The mouse asks the list's area for its menu, the menu key the list itself.
    if ((watched == LstVwPlaces || watched == LstVwPlaces->viewport()) && event->type() == QEvent::ContextMenu) {
        LstVwPlaces_ContextMenu(static_cast<QContextMenuEvent *>(event));
        return true;
    }
    if (watched == LstVwPlaces && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            LstVwPlaces_KeyPress(13);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
