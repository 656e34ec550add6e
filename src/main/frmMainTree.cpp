#include "main/frmMain.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Queries.h"
#include "data/SearchState.h"
#include "ui/DbErrorMessage.h"
#include "ui/Pictures.h"
#include "ui/WaitCursor.h"

#include <QTreeWidget>

namespace {

const int KeyRole = Qt::UserRole;
const int ClosedPictureRole = Qt::UserRole + 1;
const int OpenPictureRole = Qt::UserRole + 2;

QString nodeKey(qint64 branchId)
{
    return QStringLiteral("BR ") + QString::number(branchId);
}

} // namespace

qint16 frmMain::NodeBranchId(const QTreeWidgetItem *node)
{
    // The key from its third character on: a blank, then the digits.
    return qint16(node->data(0, KeyRole).toString().mid(2).trimmed().toShort());
}

QTreeWidgetItem *frmMain::SelectedNode() const
{
    const QList<QTreeWidgetItem *> selected = CatTree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QTreeWidgetItem *frmMain::AddNode(const QString &parentKey, const QString &key, const QString &text)
{
    // The tree holds a key once, and a child only below a parent already present.
    if (m_nodes.contains(key))
        return nullptr;
    QTreeWidgetItem *parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = m_nodes.value(parentKey);
        if (!parent)
            return nullptr;
    }
    auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(CatTree);
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    m_nodes.insert(key, node);
    return node;
}

void frmMain::InitForm()
{
    WaitCursor wait;
    CatTree->clear();
    m_nodes.clear();
    QTreeWidgetItem *root = AddNode(QString(), QStringLiteral("BR 0"), QStringLiteral("Main Categories"));
    root->setIcon(0, TreePicture(1));
    root->setData(0, ClosedPictureRole, TreePicture(1));
    root->setData(0, OpenPictureRole, TreePicture(1));
    // The root has no child yet: marking it expanded must not run the expand handling.
    {
        const QSignalBlocker blocker(CatTree);
        root->setExpanded(true);
    }
    LoadChildNodes(0);
    // Children added under an expanded root show at once.
    root->setExpanded(true);
}

void frmMain::LoadChildNodes(qint16 Branch_ID)
{
    const Processing::Recordset rs = Processing::DbConn().openRecordset(Processing::GetSubCatQuery(Branch_ID));
    if (rs.RecordCount() < 1)
        return;
    const int branchField = rs.field(QStringLiteral("BRANCH_ID"));
    const int parentField = rs.field(QStringLiteral("PARENT_ID"));
    const int nameField = rs.field(QStringLiteral("BRANCH_NAME"));
    const QIcon closed = TreePicture(2);
    const QIcon open = TreePicture(3);
    CatTree->setUpdatesEnabled(false);
    for (int row = 0; row < rs.RecordCount(); ++row) {
        // A row that cannot be placed (a key already shown, a parent not loaded yet) is skipped.
        const std::optional<qint32> branch = rs.int32(row, branchField);
        const std::optional<qint32> parent = rs.int32(row, parentField);
        if (!branch || !parent)
            continue;
        QTreeWidgetItem *node = AddNode(nodeKey(*parent), nodeKey(*branch), rs.text(row, nameField));
        if (!node)
            continue;
        node->setIcon(0, closed);
        node->setData(0, ClosedPictureRole, closed);
        node->setData(0, OpenPictureRole, open);
    }
    CatTree->setUpdatesEnabled(true);
}

void frmMain::CatTree_Click()
{
    Processing::SearchStr.clear();
    // A failure while listing a clicked category is passed over: the list keeps what it got.
    try {
        if (CatTree->topLevelItemCount() > 0) {
            if (QTreeWidgetItem *node = SelectedNode())
                UpdateList(NodeBranchId(node));
        }
    } catch (const Processing::DbError &) {
    }
}

void frmMain::CatTree_Expand(QTreeWidgetItem *Node)
{
    Node->setIcon(0, Node->data(0, OpenPictureRole).value<QIcon>());
    try {
        UpdateList(NodeBranchId(Node));
        LoadChildNodes(NodeBranchId(Node));
    } catch (const Processing::DbError &error) {
        ShowDbError(error);
    }
}
