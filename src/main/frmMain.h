#pragma once

#include "main/SearchHistory.h"
#include "search/SearchHost.h"

#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class CategoryTreeModel;
class PlacesModel;
class QAction;
class QCloseEvent;
class QEvent;
class QModelIndex;
class QStatusBar;
class QToolBar;
class QTreeView;
class frmUpdate;

// The main window: category tree, places list, toolbar with the search history, status bar.
// The dialogs reach it only through SearchHost.
class frmMain : public QMainWindow, public SearchHost
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    void setsearch(const QString &Srchstr) override;
    void UpdateList(qint32 Branch_ID) override;
    void InitForm() override;

    // The toolbar's entries by their 1-based index (separators and placeholders included).
    QAction *ToolbarButton(int index) const;
    void Toolbar1_ButtonClick(int index);
    // Which searches were recorded shows nowhere: Back and Forward start from a position of
    // their own that recording does not move, so the ring is read here.
    const SearchHistory &History() const { return m_history; }
    // How long a list loads before it shows its progress and lets the window paint.
    static void SetLoadProgressDelay(int milliseconds);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildLayout();
    void BuildToolbar();
    void Form_Load();

    // Category tree
    void LoadChildNodes(qint32 Branch_ID);
    void CatTree_Click();
    void CatTree_Expand(const QModelIndex &Node);
    void CatTree_Collapse(const QModelIndex &Node);
    // The selected node; an invalid index when none is.
    QModelIndex SelectedNode() const;
    static qint32 NodeBranchId(const QModelIndex &node);

    // Places list
    void LstVwPlaces_ColumnClick(int column);
    void LstVwPlaces_DblClick();
    void LstVwPlaces_KeyPress(int key);
    int SelectedPlaceRow() const;
    // Reads the rest of a list still loading, without painting: for a command that runs
    // statements of its own or needs the whole list. Its failure is told by the load's own
    // UpdateList.
    void FinishLoad();
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Toolbar commands
    void ShowDinning();
    void ShowSearch();
    void ShowAdd();
    void StepHistory(bool backwards);
    void UpdatePlace();
    void DeletePlace();
    void DeleteCategory();

    QToolBar *Toolbar1 = nullptr;
    QList<QAction *> m_buttons; // index 1 is m_buttons[0]
    QTreeView *CatTree = nullptr;
    CategoryTreeModel *m_categories = nullptr; // the tree's nodes: never a category twice
    QTreeView *LstVwPlaces = nullptr;
    PlacesModel *m_places = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_panels[4] = {};
    SearchHistory m_history;
    QPointer<frmUpdate> m_update;
    // Each UpdateList takes the next number; a load whose number is no longer the last was
    // superseded by a newer one started while it let the window paint.
    quint64 m_loadNumber = 0;
    int m_loadDepth = 0; // loads on the stack, superseded ones included
    bool m_deleteAfterLoad = false;
};
