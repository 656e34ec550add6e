#include "data/connection/Connection.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/statements/Queries.h"
#include "main/BrowsingFixture.h"
#include "main/Listing.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/Pictures.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace BrowsingFixture;

// The category tree: what InitForm shows, loading one level ahead on expansion, and how a
// click and an expansion fill the places list.
class TestTree : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<frmMain> window;
    // Watches every change the tree's model announces, and that what it then answers agrees.
    std::unique_ptr<QAbstractItemModelTester> tester;
    QTreeView *tree = nullptr;
    QTreeView *list = nullptr;

    static QImage image(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }
    static QIcon icon(const QModelIndex &node) { return node.data(Qt::DecorationRole).value<QIcon>(); }

    static QStringList twoLevels()
    {
        return {QStringLiteral(" > BR 0"),     QStringLiteral("BR 0 > BR 1"), QStringLiteral("BR 1 > BR 3"),
                QStringLiteral("BR 0 > BR 2"), QStringLiteral("BR 2 > BR 6"), QStringLiteral("BR 0 > BR 20"),
                QStringLiteral("BR 20 > BR 7")};
    }

private Q_SLOTS:
    void init()
    {
        Load();
        window = std::make_unique<frmMain>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        tree = Tree(*window);
        list = List(*window);
        tester = std::make_unique<QAbstractItemModelTester>(tree->model(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup()
    {
        // The view has heard of every change: it lays out exactly the nodes that are open.
        QCOMPARE(ShownRows(tree), OpenNodes(tree));
        tester.reset();
        window.reset();
    }

    void initFormShowsTheFirstTwoLevels()
    {
        QCOMPARE(tree->model()->rowCount(), 1);
        const QModelIndex root = tree->model()->index(0, 0);
        QCOMPARE(Text(root), QStringLiteral("Main Categories"));
        QCOMPARE(Key(root), QStringLiteral("BR 0"));
        QVERIFY(tree->isExpanded(root));
        // Rows come without an order; the comparison does not depend on it.
        QStringList nodes = Nodes(tree);
        QStringList expected = twoLevels();
        nodes.sort();
        expected.sort();
        QCOMPARE(nodes, expected);
        QCOMPARE(Text(Node(tree, QStringLiteral("BR 1"))), QStringLiteral("Food"));
        // Categories with sub-categories show an expand sign before they are opened.
        QVERIFY(ChildCount(Node(tree, QStringLiteral("BR 1"))) > 0);
        QVERIFY(!tree->isExpanded(Node(tree, QStringLiteral("BR 1"))));
        QVERIFY(ChildCount(Node(tree, QStringLiteral("BR 2"))) > 0);
        // Start-up clears the search condition and leaves the list empty.
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(ReloadedWhole(*window), WholeUnder(QString()));
    }

    void expandingLoadsOneLevelAheadAndNeverDuplicates()
    {
        const QModelIndex food = Node(tree, QStringLiteral("BR 1"));
        ClickExpandSign(tree, food);
        QVERIFY(tree->isExpanded(food));
        // The grandchildren of Food: Tea Rooms below Cafes, so Cafes now shows an expand sign.
        QCOMPARE(Node(tree, QStringLiteral("BR 4")).parent(), Node(tree, QStringLiteral("BR 3")));
        QCOMPARE(Text(Node(tree, QStringLiteral("BR 4"))), QStringLiteral("Tea Rooms"));
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("food court")});

        const QModelIndex cafes = Node(tree, QStringLiteral("BR 3"));
        ClickExpandSign(tree, cafes);
        QCOMPARE(Node(tree, QStringLiteral("BR 5")).parent(), Node(tree, QStringLiteral("BR 4")));
        const QStringList opened = Nodes(tree);
        QCOMPARE(opened.size(), 9);

        // Closing and opening again, several times over, loads the same rows: nothing doubles.
        for (int round = 0; round < 3; ++round) {
            ClickExpandSign(tree, food);
            QVERIFY(!tree->isExpanded(food));
            ClickExpandSign(tree, food);
            QVERIFY(tree->isExpanded(food));
            ClickExpandSign(tree, cafes);
            ClickExpandSign(tree, cafes);
        }
        QCOMPARE(Nodes(tree), opened);

        // Collapsing and expanding the root reloads the first two levels, again without doubles,
        // and lists the places filed under the root.
        const QModelIndex root = tree->model()->index(0, 0);
        ClickExpandSign(tree, root);
        QVERIFY(!tree->isExpanded(root));
        ClickExpandSign(tree, root);
        QVERIFY(tree->isExpanded(root));
        QCOMPARE(Nodes(tree), opened);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Tourist Office")});

        // A category added meanwhile two levels below an opened node appears when it is opened
        // again; InitForm goes back to two levels, and does so as often as it is asked.
        TestDatabase::Exec(QStringLiteral("insert into places_root values (8, 'Juice Bars', 3, 'N', 1)"));
        ClickExpandSign(tree, food);
        ClickExpandSign(tree, food);
        QCOMPARE(Node(tree, QStringLiteral("BR 8")).parent(), cafes);
        QVERIFY(tree->isExpanded(cafes));
        QVERIFY(ShownRows(tree).contains(QStringLiteral("BR 8")));
        for (int round = 0; round < 2; ++round) {
            window->InitForm();
            QStringList nodes = Nodes(tree);
            QStringList expected = twoLevels();
            nodes.sort();
            expected.sort();
            QCOMPARE(nodes, expected);
        }
    }

    void categoryStoredBeforeItsParentIsShown()
    {
        // PostgreSQL returns the rows as stored, Bakeries (7) before its parent Shops (20); SQLite
        // walks its index on PARENT_ID and returns the first level first.
        const Processing::Recordset rs = Processing::DbConn().openRecordset(Processing::GetSubCatQuery(0));
        QList<int> order;
        for (int row = 0; row < rs.RecordCount(); ++row)
            order.append(*rs.int32(row, rs.field(QStringLiteral("BRANCH_ID"))));
        if (TestDatabase::IsPostgreSQL())
            QVERIFY(order.indexOf(7) < order.indexOf(20));

        for (int round = 0; round < 2; ++round) {
            const QModelIndex bakeries = Node(tree, QStringLiteral("BR 7"));
            QVERIFY(bakeries.isValid());
            QCOMPARE(bakeries.parent(), Node(tree, QStringLiteral("BR 20")));
            QCOMPARE(Text(bakeries), QStringLiteral("Bakeries"));
            window->InitForm();
        }
    }

    void clickListsOwnPlacesWithoutTheSearch()
    {
        ClickExpandSign(tree, Node(tree, QStringLiteral("BR 1")));
        window->SetSearchStr(QStringLiteral(" places_leaves.leaf_name = 'Cafe Nile'"));

        // Expanding keeps the search: only the matching place of Cafes.
        const QModelIndex cafes = Node(tree, QStringLiteral("BR 3"));
        ClickExpandSign(tree, cafes);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Cafe Nile")});
        QCOMPARE(ReloadedWhole(*window), WholeUnder(QStringLiteral(" places_leaves.leaf_name = 'Cafe Nile'")));

        // A click drops it: every place filed directly under Cafes, none of Tea Rooms'.
        ClickNode(tree, cafes);
        QStringList names = Column(list, 0);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("Cafe Nile"), QStringLiteral("Zephyr Cafe"),
                                     QStringLiteral("apple Tea")}));
        QCOMPARE(ReloadedWhole(*window), WholeUnder(QString()));

        // A category without places of its own leaves the list empty.
        ClickNode(tree, Node(tree, QStringLiteral("BR 20")));
        QCOMPARE(list->model()->rowCount(), 0);

        ClickNode(tree, tree->model()->index(0, 0));
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Tourist Office")});
    }

    void keyboardSelectsOpensAndCloses()
    {
        const QModelIndex food = Node(tree, QStringLiteral("BR 1"));
        ClickNode(tree, food);
        window->SetSearchStr(QStringLiteral(" places_leaves.leaf_name = 'Cafe Nile'"));

        // Right opens the node as a click on its sign does, loading the level below its children.
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY(tree->isExpanded(food));
        QCOMPARE(Node(tree, QStringLiteral("BR 4")).parent(), Node(tree, QStringLiteral("BR 3")));

        // Down moves the selection to the child; Right opens it and lists its places under the search.
        QTest::keyClick(tree, Qt::Key_Down);
        const QModelIndex cafes = Node(tree, QStringLiteral("BR 3"));
        QCOMPARE(tree->currentIndex(), cafes);
        QVERIFY(tree->selectionModel()->isSelected(cafes));
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY(tree->isExpanded(cafes));
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Cafe Nile")});
        QVERIFY(Node(tree, QStringLiteral("BR 5")).isValid());
        QCOMPARE(image(icon(cafes)), image(TreePicture(3)));

        // Left closes it, and from a closed node goes up to the parent.
        QTest::keyClick(tree, Qt::Key_Left);
        QVERIFY(!tree->isExpanded(cafes));
        QCOMPARE(image(icon(cafes)), image(TreePicture(2)));
        QTest::keyClick(tree, Qt::Key_Left);
        QCOMPARE(tree->currentIndex(), food);

        // The toolbar acts on the node the keyboard selected: Food has children.
        MessageRecorder messages;
        window->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger();
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text,
                 QStringLiteral("You Can't delete a parent Category before deleting it's Children"));
    }

    void picturesFollowTheState()
    {
        const QModelIndex root = tree->model()->index(0, 0);
        const QModelIndex food = Node(tree, QStringLiteral("BR 1"));
        QCOMPARE(image(icon(root)), image(TreePicture(1)));
        QCOMPARE(image(icon(food)), image(TreePicture(2)));
        QVERIFY(image(TreePicture(2)) != image(TreePicture(3)));
        ClickExpandSign(tree, food);
        QCOMPARE(image(icon(food)), image(TreePicture(3)));
        ClickExpandSign(tree, food);
        QCOMPARE(image(icon(food)), image(TreePicture(2)));
        ClickExpandSign(tree, root);
        ClickExpandSign(tree, root);
        QCOMPARE(image(icon(root)), image(TreePicture(1)));
    }

    void databaseFailuresAreToldOnceAndTheWindowGoesOn()
    {
        MessageRecorder messages;

        // A condition the database rejects: the list fails, the next level still loads.
        window->SetSearchStr(QStringLiteral(" no_such_column = 1"));
        ClickExpandSign(tree, Node(tree, QStringLiteral("BR 1")));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY(Node(tree, QStringLiteral("BR 4")).isValid());

        // A click tells of it once, and the list keeps what it showed. Here the connection is gone.
        messages.clear();
        const QStringList listed = Column(list, 0);
        Processing::DbConn().close();
        ClickNode(tree, Node(tree, QStringLiteral("BR 2")));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(Column(list, 0), listed);
        messages.clear();

        // Expanding tells of it once, though both the list and the tree failed.
        ClickExpandSign(tree, Node(tree, QStringLiteral("BR 2")));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));

        // Refresh tells of it, and the tree keeps what it showed.
        messages.clear();
        const QStringList shown = Nodes(tree);
        window->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(Nodes(tree), shown);

        // Once the database answers again, everything works as before.
        Processing::DbConn().open(Processing::DatabaseDescriptor::parse(TestDatabase::Descriptor()));
        window->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        QCOMPARE(Nodes(tree).size(), twoLevels().size());
        ClickNode(tree, Node(tree, QStringLiteral("BR 2")));
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Beta Clinic")});
        QCOMPARE(messages.count(), 1);
    }
};

TARNWICK_TEST_MAIN(TestTree)

#include "tst_tree.moc"
