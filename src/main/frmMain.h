#pragma once

#include "main/CategoryTreeModel.h"
#include "main/RunSettings.h"
#include "main/SearchHistory.h"
#include "main/ToolbarEntry.h"
#include "search/SearchHost.h"

#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ListLoader;
class PlacesModel;
class QAction;
class QEvent;
class QModelIndex;
class QContextMenuEvent;
class QStatusBar;
class QToolBar;
class QTreeView;
class frmUpdate;
namespace Processing {
class StoredPlaces;
}

// The main window: category tree, places list, toolbar with the search history, status bar.
// The dialogs reach it only through SearchHost.
class frmMain : public QMainWindow, public SearchHost
{
    Q_OBJECT

public:
    explicit frmMain(RunSettings settings = {}, QWidget *parent = nullptr);
    ~frmMain() override;

    void setsearch(const QString &Srchstr) override;
    void SetSearchStr(const QString &Srchstr) override;
    // A list that takes longer than the progress delay goes on loading in steps from the event
    // loop after this returns; a list asked for meanwhile replaces it.
    void UpdateList(qint32 Branch_ID) override;
    void InitForm() override;
    void AfterListLoaded(std::function<void(const std::optional<Processing::DbError> &failure)> then) override;
    bool ListLoading() const;

    // The toolbar's entry, separators and placeholders included.
    QAction *ToolbarButton(ToolbarEntry entry) const;
    void Toolbar1_ButtonClick(ToolbarEntry entry);

Q_SIGNALS:
    // A load of the places list has ended, whole or failed.
    void ListLoaded();

private:
    // The condition every reload of the places list is filled under; empty for none. The
    // window's commands clear or restore it, the search dialog sets it through SetSearchStr.
    QString SearchStr;

    void BuildLayout();
    void BuildToolbar();
    void BuildListLoader();
    void Form_Load();

    // Category tree
    void LoadChildNodes(qint32 Branch_ID);
    // The sub-categories' rows as far as they could be read; `failure` says why not further.
    std::vector<CategoryTreeModel::Row> ReadChildNodes(qint32 Branch_ID, QString &failure);
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
    void LstVwPlaces_ContextMenu(const QContextMenuEvent *event);
    int SelectedPlaceRow() const;
    // Saves the rows the list shows, as it shows them, to a CSV file the user chooses.
    void SaveListAs();
    // The list's shown rows to path; the failure's words, or an empty text.
    QString WriteListTo(const QString &path) const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // A command that sends statements or needs the whole list waits for a list loading in steps:
    // see ListLoader::WhenWhole.
    void WhenListWhole(QObject *owner, int command, std::function<void()> run);
    // Gives up a load under way; what waits for it waits for the next one.
    void GiveUpLoad();

    // Toolbar commands
    void ShowDinning();
    void ShowSearch();
    void ShowAdd();
    void StepHistory(bool backwards);
    void UpdatePlace();
    void DeletePlace();
    void DeleteCategory();

    QToolBar *Toolbar1 = nullptr;
    QList<QAction *> m_buttons; // in ToolbarEntry's order
    QTreeView *CatTree = nullptr;
    CategoryTreeModel *m_categories = nullptr; // the tree's nodes: never a category twice
    QTreeView *LstVwPlaces = nullptr;
    PlacesModel *m_places = nullptr;
    QAction *mnuSaveListAs = nullptr; // in the list's context menu, and Ctrl+S
    QString m_savedListFolder;        // where the list was last saved
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_panels[4] = {};
    SearchHistory m_history;
    QPointer<frmUpdate> m_update;
    // What the update windows stored, for the next one filled from the list not read since.
    std::shared_ptr<Processing::StoredPlaces> m_storedPlaces;

    const RunSettings m_settings;   // handed on to the main window "&Back" makes
    ListLoader *m_loader = nullptr; // the places list's loading, and what waits for it
};
