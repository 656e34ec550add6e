#include "main/BrowsingFixture.h"
#include "main/CategoryTreeModel.h"
#include "support/TestMain.h"

#include <QAbstractItemModelTester>
#include <QHash>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <vector>

using namespace BrowsingFixture;
using CategoryRow = CategoryTreeModel::Row;

namespace {

// What the tree should hold, kept the plainest way: each category's parent and name, each
// node's children in the order they were placed.
class Reference
{
public:
    void reset()
    {
        m_parent.clear();
        m_name.clear();
        m_children.clear();
        m_parent.insert(0, -1);
        m_name.insert(0, QStringLiteral("Main Categories"));
    }

    // Places what can be placed, sweeping the rows again while a sweep places one.
    int add(const std::vector<CategoryRow> &rows)
    {
        int placed = 0;
        std::vector<CategoryRow> pending = rows;
        bool progress = true;
        while (progress) {
            progress = false;
            std::vector<CategoryRow> still;
            for (const CategoryRow &row : pending) {
                if (m_parent.contains(row.branch))
                    continue;
                if (!m_parent.contains(row.parent)) {
                    still.push_back(row);
                    continue;
                }
                m_parent.insert(row.branch, row.parent);
                m_name.insert(row.branch, row.name);
                m_children[row.parent].append(row.branch);
                ++placed;
                progress = true;
            }
            pending = std::move(still);
        }
        return placed;
    }

    int size() const { return int(m_parent.size()); }

    // "parent > key name" for every node, parents before children, children in order.
    QStringList lines() const
    {
        QStringList lines;
        const std::function<void(qint32)> walk = [&](qint32 branch) {
            const qint32 parent = m_parent.value(branch);
            lines.append((parent < 0 && branch == 0 ? QString() : Key(parent)) + QStringLiteral(" > ") + Key(branch) +
                         QLatin1Char(' ') + m_name.value(branch));
            for (const qint32 child : m_children.value(branch))
                walk(child);
        };
        walk(0);
        return lines;
    }

private:
    QHash<qint32, qint32> m_parent;
    QHash<qint32, QString> m_name;
    QHash<qint32, QList<qint32>> m_children;
};

// The same lines, read from the model through its item interface only.
QStringList lines(const QAbstractItemModel &model)
{
    QStringList lines;
    const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex node = model.index(row, 0, parent);
            lines.append((parent.isValid() ? Key(parent) : QString()) + QStringLiteral(" > ") + Key(node) +
                         QLatin1Char(' ') + Text(node));
            walk(node);
        }
    };
    walk(QModelIndex());
    return lines;
}

// Every node by its category identifier, reached through the item interface.
QHash<qint32, QModelIndex> nodesById(const QAbstractItemModel &model)
{
    QHash<qint32, QModelIndex> nodes;
    const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex node = model.index(row, 0, parent);
            nodes.insert(node.data(CategoryTreeModel::IdRole).toInt(), node);
            walk(node);
        }
    };
    walk(QModelIndex());
    return nodes;
}

// A directory's categories: identifiers with gaps and of either sign, most parents stored
// before their children, some after, some never (orphans and their descendants), some a
// category's own identifier.
std::vector<CategoryRow> categories(QRandomGenerator &random, int count)
{
    std::vector<qint32> ids;
    while (int(ids.size()) < count) {
        const qint32 id = qint32(random.bounded(-300, 30000));
        if (id != 0 && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }
    std::vector<CategoryRow> rows;
    for (int i = 0; i < count; ++i) {
        const int kind = int(random.bounded(100));
        qint32 parent = 0;
        if (kind < 15)
            parent = 0;
        else if (kind < 80 && i > 0)
            parent = ids[random.bounded(i)];
        else if (kind < 92)
            parent = ids[random.bounded(count)];
        else if (kind < 96)
            parent = ids[i];
        else
            parent = 40000 + i; // no such category
        rows.push_back({ids[i], parent, QStringLiteral("Category %1").arg(i)});
    }
    return rows;
}

} // namespace

// The tree's model on its own: any sequence of loads leaves each category once, below its
// parent, in the order placed, and every view told of each change as it happened.
class TestCategoryTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsArePlacedParentsFirstOnceEach()
    {
        CategoryTreeModel model;
        {
            const CategoryTreeModel::Rebuild rebuild(model);
            model.AddTopNode(0, QStringLiteral("Main Categories"), CategoryTreeModel::RootPicture);
        }
        // Tea Rooms comes before Cafes, Cafes before Food; Herbal's parent exists nowhere; Food
        // comes twice; Loop is its own parent.
        const int placed = model.AddRows({{4, 3, QStringLiteral("Tea Rooms")},
                                          {3, 1, QStringLiteral("Cafes")},
                                          {9, 77, QStringLiteral("Herbal")},
                                          {1, 0, QStringLiteral("Food")},
                                          {1, 0, QStringLiteral("Food again")},
                                          {8, 8, QStringLiteral("Loop")},
                                          {2, 0, QStringLiteral("Health")}});
        QCOMPARE(placed, 4);
        QCOMPARE(lines(model),
                 (QStringList{QStringLiteral(" > BR 0 Main Categories"), QStringLiteral("BR 0 > BR 1 Food"),
                              QStringLiteral("BR 1 > BR 3 Cafes"), QStringLiteral("BR 3 > BR 4 Tea Rooms"),
                              QStringLiteral("BR 0 > BR 2 Health")}));
        QCOMPARE(model.NodeCount(), 5);
        QVERIFY(!nodesById(model).contains(9));

        // The same rows again place nothing; a second top node with a known key is refused.
        QCOMPARE(model.AddRows({{3, 1, QStringLiteral("Cafes")}, {4, 3, QStringLiteral("Tea Rooms")}}), 0);
        QVERIFY(!model.AddTopNode(0, QStringLiteral("Main Categories"), CategoryTreeModel::RootPicture).isValid());
        QCOMPARE(model.NodeCount(), 5);
    }

    void randomLoadsAgreeWithTheReference_data()
    {
        QTest::addColumn<quint32>("seed");
        for (const quint32 seed : {1u, 2u, 3u, 20250608u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void randomLoadsAgreeWithTheReference()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const std::vector<CategoryRow> all = categories(random, 400);

        CategoryTreeModel model;
        QTreeView view;
        view.setModel(&model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        Reference reference;

        // A random pick of the rows, shuffled, with a few given twice.
        const auto someRows = [&] {
            std::vector<CategoryRow> rows;
            const int count = int(random.bounded(1, 60));
            for (int i = 0; i < count; ++i)
                rows.push_back(all[random.bounded(int(all.size()))]);
            std::shuffle(rows.begin(), rows.end(), random);
            return rows;
        };

        for (int step = 0; step < 150; ++step) {
            const std::vector<CategoryRow> rows = someRows();
            if (step % 40 == 0) {
                // A rebuild: one reset, nothing inserted on the way.
                const qsizetype resetsBefore = resets.size();
                const qsizetype insertsBefore = inserts.size();
                reference.reset();
                const int expected = reference.add(rows);
                {
                    const CategoryTreeModel::Rebuild rebuild(model);
                    model.AddTopNode(0, QStringLiteral("Main Categories"), CategoryTreeModel::RootPicture);
                    QCOMPARE(model.AddRows(rows), expected);
                }
                QCOMPARE(resets.size(), resetsBefore + 1);
                QCOMPARE(inserts.size(), insertsBefore);
            } else {
                QCOMPARE(model.AddRows(rows), reference.add(rows));
            }
            if (QTest::currentTestFailed())
                return;

            QCOMPARE(lines(model), reference.lines());
            QCOMPARE(model.NodeCount(), reference.size());
            // Every node's index leads back to it.
            const QHash<qint32, QModelIndex> nodes = nodesById(model);
            QCOMPARE(nodes.size(), model.NodeCount());
            for (const QModelIndex &node : nodes)
                QCOMPARE(model.index(node.row(), 0, node.parent()), node);

            // The user opens some nodes; the view lays out exactly what is open.
            for (int i = 0; i < 5; ++i) {
                const QModelIndex node = nodes.value(all[random.bounded(int(all.size()))].branch);
                if (node.isValid())
                    view.setExpanded(node, !view.isExpanded(node) || random.bounded(2) == 0);
            }
            view.expand(model.index(0, 0));
            QCOMPARE(ShownRows(&view), OpenNodes(&view));
        }
    }
};

TARNWICK_TEST_MAIN(TestCategoryTreeModel)
#include "tst_category_tree_model.moc"
