#pragma once

#include "data/rows/ReferenceListReads.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QString>

#include <vector>

// The category tree's nodes, each category once. Nodes are only ever added below a node already
// present, and the whole tree is only ever thrown away at once, so a node keeps its row for
// life and an index can name it by its place in one flat store.
class CategoryTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // The category identifier, an int: what the program works with.
    static constexpr int IdRole = Qt::UserRole + 1;
    // Pictures of the tree's image list.
    enum Picture { RootPicture = 1, ClosedPicture = 2, OpenPicture = 3 };

    // A category as the subtree query returns it.
    using Row = Processing::CategoryNode;

    // Views hear of one reset for everything done while this lives: the tree emptied at its
    // start and built again before its end.
    class Rebuild
    {
    public:
        explicit Rebuild(CategoryTreeModel &model);
        ~Rebuild();
        Rebuild(const Rebuild &) = delete;
        Rebuild &operator=(const Rebuild &) = delete;

    private:
        CategoryTreeModel &m_model;
    };

    explicit CategoryTreeModel(QObject *parent = nullptr);

    // A top-level node; none when the category is already there.
    QModelIndex AddTopNode(qint32 branch, const QString &name, Picture picture);
    // Adds the rows below the nodes present, in the order given. A row whose parent comes
    // later among the rows is placed once its parent is; a row whose category is already
    // there, or whose parent is in neither the tree nor the rows, is skipped. Returns how many
    // were placed.
    int AddRows(std::vector<Row> rows);

    int NodeCount() const { return int(m_nodes.size()); }
    // An open category shows picture 3, a closed one 2; the root keeps its own.
    void SetOpen(const QModelIndex &index, bool open);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    static constexpr int NoParent = -1;

    struct Node
    {
        qint32 branch;
        int parent; // position in m_nodes; NoParent at the top
        int row;    // among its parent's children
        int picture;
        QString name;
        std::vector<int> children; // positions in m_nodes
    };

    const Node *nodeAt(const QModelIndex &index) const;
    QModelIndex indexAt(int position) const;
    int store(qint32 branch, int parent, QString name, int picture);
    void attach(int position);

    std::vector<Node> m_nodes;
    std::vector<int> m_top;        // top-level nodes
    QHash<qint32, int> m_byBranch; // category identifier to position in m_nodes
    bool m_rebuilding = false;
};
