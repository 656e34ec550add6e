#include "main/CategoryTreeModel.h"

#include "ui/Pictures.h"

#include <QIcon>

namespace {

// Made once: a theme lookup per node would cost more than the node.
const QIcon &pictureIcon(int index)
{
    static const QIcon pictures[] = {TreePicture(1), TreePicture(2), TreePicture(3)};
    return pictures[qBound(1, index, 3) - 1];
}

} // namespace

CategoryTreeModel::Rebuild::Rebuild(CategoryTreeModel &model) : m_model(model)
{
    m_model.beginResetModel();
    m_model.m_rebuilding = true;
    // The store keeps its capacity: the next tree is about as large as the last.
    m_model.m_nodes.clear();
    m_model.m_top.clear();
    m_model.m_byBranch.clear();
}

CategoryTreeModel::Rebuild::~Rebuild()
{
    m_model.m_rebuilding = false;
    m_model.endResetModel();
}

CategoryTreeModel::CategoryTreeModel(QObject *parent) : QAbstractItemModel(parent) {}

int CategoryTreeModel::store(qint32 branch, int parent, QString name, int picture)
{
    const int position = int(m_nodes.size());
    m_nodes.push_back(Node{branch, parent, -1, picture, std::move(name), {}});
    m_byBranch.insert(branch, position);
    return position;
}

void CategoryTreeModel::attach(int position)
{
    Node &node = m_nodes[position];
    std::vector<int> &siblings = node.parent == NoParent ? m_top : m_nodes[node.parent].children;
    node.row = int(siblings.size());
    siblings.push_back(position);
}

QModelIndex CategoryTreeModel::AddTopNode(qint32 branch, const QString &name, Picture picture)
{
    if (m_byBranch.contains(branch))
        return QModelIndex();
    const int position = store(branch, NoParent, name, picture);
    if (m_rebuilding) {
        attach(position);
    } else {
        const int row = int(m_top.size());
        beginInsertRows(QModelIndex(), row, row);
        attach(position);
        endInsertRows();
    }
    return indexAt(position);
}

int CategoryTreeModel::AddRows(std::vector<Row> rows)
{
    const int before = NodeCount();
    if (m_rebuilding) {
        // A rebuild starts from an empty store: room for every row at once.
        m_nodes.reserve(before + rows.size());
        m_byBranch.reserve(qsizetype(before + rows.size()));
    }

    // A node below one the views know already waits in its parent's batch, so that each
    // such parent gets its new children in one insertion. A node below a node new in this
    // call is attached at once: no view can see it before its parent's insertion.
    std::vector<std::pair<int, std::vector<int>>> batches;
    QHash<int, std::size_t> batchOf;
    const auto place = [&](Row &row) {
        if (m_byBranch.contains(row.branch))
            return true; // shown already: a repeated load never doubles a node
        const auto parent = m_byBranch.constFind(row.parent);
        if (parent == m_byBranch.cend())
            return false;
        const int parentPosition = *parent;
        const int position = store(row.branch, parentPosition, std::move(row.name), ClosedPicture);
        if (m_rebuilding || parentPosition >= before) {
            attach(position);
        } else {
            const auto slot = batchOf.constFind(parentPosition);
            if (slot == batchOf.cend()) {
                batchOf.insert(parentPosition, batches.size());
                batches.push_back({parentPosition, {position}});
            } else {
                batches[*slot].second.push_back(position);
            }
        }
        return true;
    };

    std::vector<Row *> waiting;
    for (Row &row : rows) {
        if (!place(row))
            waiting.push_back(&row);
    }
    // A parent may come later in the rows: those waiting are tried again as long as a round
    // places one. What is left has no parent in the tree or in the rows.
    while (!waiting.empty()) {
        std::vector<Row *> later;
        for (Row *row : waiting) {
            if (!place(*row))
                later.push_back(row);
        }
        if (later.size() == waiting.size())
            break;
        waiting = std::move(later);
    }

    for (const auto &[parent, children] : batches) {
        const int first = int(m_nodes[parent].children.size());
        beginInsertRows(indexAt(parent), first, first + int(children.size()) - 1);
        for (const int position : children)
            attach(position);
        endInsertRows();
    }
    return NodeCount() - before;
}

void CategoryTreeModel::SetOpen(const QModelIndex &index, bool open)
{
    const Node *node = nodeAt(index);
    if (!node || node->picture == RootPicture)
        return;
    const int picture = open ? OpenPicture : ClosedPicture;
    if (node->picture == picture)
        return;
    m_nodes[index.internalId()].picture = picture;
    Q_EMIT dataChanged(index, index, {Qt::DecorationRole});
}

const CategoryTreeModel::Node *CategoryTreeModel::nodeAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.internalId() >= m_nodes.size())
        return nullptr;
    return &m_nodes[index.internalId()];
}

QModelIndex CategoryTreeModel::indexAt(int position) const
{
    return createIndex(m_nodes[position].row, 0, quintptr(position));
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    const std::vector<int> *children = &m_top;
    if (parent.isValid()) {
        const Node *node = nodeAt(parent);
        if (!node || parent.column() != 0)
            return QModelIndex();
        children = &node->children;
    }
    if (std::size_t(row) >= children->size())
        return QModelIndex();
    return createIndex(row, 0, quintptr((*children)[row]));
}

QModelIndex CategoryTreeModel::parent(const QModelIndex &child) const
{
    const Node *node = nodeAt(child);
    if (!node || node->parent == NoParent)
        return QModelIndex();
    return indexAt(node->parent);
}

int CategoryTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_top.size());
    const Node *node = nodeAt(parent);
    return node && parent.column() == 0 ? int(node->children.size()) : 0;
}

int CategoryTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool CategoryTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant CategoryTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *node = nodeAt(index);
    if (!node)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->name;
    case Qt::DecorationRole:
        return pictureIcon(node->picture);
    case IdRole:
        return int(node->branch);
    default:
        return QVariant();
    }
}

Qt::ItemFlags CategoryTreeModel::flags(const QModelIndex &index) const
{
    return nodeAt(index) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
