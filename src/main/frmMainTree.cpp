#include "data/DbError.h"
#include "data/rows/ReferenceListReads.h"
#include "main/CategoryTreeModel.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/WaitCursor.h"

#include <QSignalBlocker>
#include <QTreeView>

#include <optional>
#include <vector>

qint32 frmMain::NodeBranchId(const QModelIndex &node)
{
    return node.data(CategoryTreeModel::IdRole).toInt();
}

QModelIndex frmMain::SelectedNode() const
{
    const QModelIndexList selected = CatTree->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

void frmMain::InitForm()
{
    WaitCursor wait;
    // Read before the tree is cleared: a tree the database cannot give keeps what it showed,
    // and the first one its root.
    QString failure;
    std::vector<CategoryTreeModel::Row> rows;
    std::optional<Processing::DbError> refused;
    try {
        rows = ReadChildNodes(0, failure);
    } catch (const Processing::DbError &error) {
        if (m_categories->rowCount() > 0)
            throw;
        refused = error;
    }
    {
        // The views hear of the whole rebuild as one reset.
        const CategoryTreeModel::Rebuild rebuild(*m_categories);
        m_categories->AddTopNode(0, tr("Main Categories"), CategoryTreeModel::RootPicture);
        // What was read is placed even when the reading broke off.
        m_categories->AddRows(std::move(rows));
    }
    // A reset forgets what was expanded, so the root is marked once the rebuild is told. That
    // must not run the expand handling.
    {
        const QSignalBlocker blocker(CatTree);
        CatTree->expand(m_categories->index(0, 0));
    }
    if (refused)
        throw *refused;
    if (!failure.isEmpty())
        throw Processing::DbError(tr("The categories could not all be read."), failure);
}

void frmMain::LoadChildNodes(qint32 Branch_ID)
{
    QString failure;
    std::vector<CategoryTreeModel::Row> rows = ReadChildNodes(Branch_ID, failure);
    // What was read is placed even when the reading broke off.
    m_categories->AddRows(std::move(rows));
    if (!failure.isEmpty())
        throw Processing::DbError(tr("The categories could not all be read."), failure);
}

std::vector<CategoryTreeModel::Row> frmMain::ReadChildNodes(qint32 Branch_ID, QString &failure)
{
    return Processing::ReadSubCategories(Branch_ID, failure);
}

void frmMain::CatTree_Click()
{
    SearchStr.clear();
    // A list that cannot be read is told: the list keeps what it showed.
    try {
        if (m_categories->rowCount() > 0) {
            if (const QModelIndex node = SelectedNode(); node.isValid())
                UpdateList(NodeBranchId(node));
        }
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}

void frmMain::CatTree_Expand(const QModelIndex &Node)
{
    m_categories->SetOpen(Node, true);
    const qint32 branch = NodeBranchId(Node);
    WaitCursor wait;
    std::optional<Processing::DbError> failure;
    try {
        UpdateList(branch);
    } catch (const Processing::DbError &error) {
        failure = error;
    }
    // The next level is loaded even when the list could not be: a rejected search condition
    // must not leave the tree without its expand signs. It is read once the list is whole, as
    // the connection reads one statement at a time. One message tells of either failure.
    AfterListLoaded([this, branch, failure](const std::optional<Processing::DbError> &loadFailure) {
        WaitCursor wait;
        std::optional<Processing::DbError> told = failure ? failure : loadFailure;
        try {
            LoadChildNodes(branch);
        } catch (const Processing::DbError &error) {
            if (!told)
                told = error;
        }
        if (told)
            ShowDbError(*told);
    });
}

void frmMain::CatTree_Collapse(const QModelIndex &Node)
{
    m_categories->SetOpen(Node, false);
}
