#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Queries.h"
#include "data/SearchState.h"
#include "main/CategoryNode.h"
#include "main/frmMain.h"
#include "ui/DbErrorMessage.h"
#include "ui/WaitCursor.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTreeWidget>

#include <cmath>
#include <optional>
#include <vector>

namespace {

const QString RootKey = QStringLiteral("BR 0");

std::optional<qint32> wholeNumber(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    qint64 number = value.toLongLong(&ok);
    if (!ok) {
        // Some drivers hand numbers over as decimals.
        const double real = value.toDouble(&ok);
        if (!ok || real != std::trunc(real))
            return std::nullopt;
        number = qint64(real);
    }
    if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(number);
}

int fieldPosition(const QSqlRecord &record, const QString &name)
{
    const int position = record.indexOf(name);
    if (position < 0)
        throw Processing::DbError(QStringLiteral("The categories query has no column \"%1\".").arg(name));
    return position;
}

// The identifier in a key "BR 12"; none for a text that is not a key.
std::optional<qint32> keyBranchId(const QString &key)
{
    bool ok = false;
    const qint32 id = key.mid(2).trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(id) : std::nullopt;
}

} // namespace

qint16 frmMain::NodeBranchId(const QTreeWidgetItem *node)
{
    // The key from its third character on: a blank, then the digits.
    return qint16(node->data(0, CategoryNode::KeyRole).toString().mid(2).trimmed().toShort());
}

QTreeWidgetItem *frmMain::SelectedNode() const
{
    const QList<QTreeWidgetItem *> selected = CatTree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QTreeWidgetItem *frmMain::AddNode(const QString &parentKey, const QString &key, const QString &text)
{
    // The tree holds a key once, and a child only below a parent already present.
    const std::optional<qint32> id = keyBranchId(key);
    if (!id || m_nodes.contains(*id))
        return nullptr;
    QTreeWidgetItem *parent = nullptr;
    if (!parentKey.isEmpty()) {
        const std::optional<qint32> parentId = keyBranchId(parentKey);
        parent = parentId ? m_nodes.value(*parentId) : nullptr;
        if (!parent)
            return nullptr;
    }
    auto *node = new CategoryNode(*id, text, parent ? 2 : 1);
    if (parent)
        parent->addChild(node);
    else
        CatTree->addTopLevelItem(node);
    m_nodes.insert(*id, node);
    return node;
}

void frmMain::InitForm()
{
    WaitCursor wait;
    CatTree->clear();
    m_nodes.clear();
    QTreeWidgetItem *root = AddNode(QString(), RootKey, QStringLiteral("Main Categories"));
    // The root has no child yet: marking it expanded must not run the expand handling.
    {
        const QSignalBlocker blocker(CatTree);
        root->setExpanded(true);
    }
    LoadChildNodes(0);
}

void frmMain::LoadChildNodes(qint16 Branch_ID)
{
    struct Row
    {
        qint32 branch;
        qint32 parent;
        QString name;
    };

    // Read forward only, each field by a position found once.
    QSqlQuery query = Processing::DbConn().run(Processing::GetSubCatQuery(Branch_ID));
    const QSqlRecord record = query.record();
    const int branchField = fieldPosition(record, QStringLiteral("BRANCH_ID"));
    const int parentField = fieldPosition(record, QStringLiteral("PARENT_ID"));
    const int nameField = fieldPosition(record, QStringLiteral("BRANCH_NAME"));
    std::vector<Row> rows;
    while (query.next()) {
        const std::optional<qint32> branch = wholeNumber(query.value(branchField));
        const std::optional<qint32> parent = wholeNumber(query.value(parentField));
        // A row that cannot name its node or its parent cannot be placed.
        if (branch && parent)
            rows.push_back({*branch, *parent, query.value(nameField).toString()});
    }
    const QString failure = Processing::Connection::lastQueryError(query);

    // New nodes are put together apart from the tree and handed to it in one batch per parent
    // already shown, so the tree lays itself out once and not once per node.
    QHash<QTreeWidgetItem *, QList<QTreeWidgetItem *>> batches;
    std::vector<const Row *> waiting;
    waiting.reserve(rows.size());
    for (const Row &row : rows)
        waiting.push_back(&row);
    while (!waiting.empty()) {
        std::vector<const Row *> later;
        for (const Row *row : waiting) {
            // A category already shown is skipped: repeated loads never duplicate a node.
            if (m_nodes.contains(row->branch))
                continue;
            QTreeWidgetItem *parentNode = m_nodes.value(row->parent);
            if (!parentNode) {
                // The parent's row may come later in the same result: tried again once it is placed.
                later.push_back(row);
                continue;
            }
            auto *node = new CategoryNode(row->branch, row->name, 2);
            m_nodes.insert(row->branch, node);
            if (parentNode->treeWidget())
                batches[parentNode].append(node);
            else
                parentNode->addChild(node);
        }
        // What is left has no parent in the tree or in this result: skipped.
        if (later.size() == waiting.size())
            break;
        waiting = std::move(later);
    }
    for (auto batch = batches.cbegin(); batch != batches.cend(); ++batch)
        batch.key()->addChildren(batch.value());

    if (!failure.isEmpty())
        throw Processing::DbError(QStringLiteral("The categories could not all be read."), failure);
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
    if (auto *category = dynamic_cast<CategoryNode *>(Node); category && category->Picture() != 1)
        category->SetPicture(3);
    // The next level is loaded even when the list could not be: a rejected search condition
    // must not leave the tree without its expand signs. One message tells of either failure.
    std::optional<Processing::DbError> failure;
    try {
        UpdateList(NodeBranchId(Node));
    } catch (const Processing::DbError &error) {
        failure = error;
    }
    try {
        LoadChildNodes(NodeBranchId(Node));
    } catch (const Processing::DbError &error) {
        if (!failure)
            failure = error;
    }
    if (failure)
        ShowDbError(*failure);
}

void frmMain::CatTree_Collapse(QTreeWidgetItem *Node)
{
    if (auto *category = dynamic_cast<CategoryNode *>(Node); category && category->Picture() != 1)
        category->SetPicture(2);
}
