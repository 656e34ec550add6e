#include "data/connection/Connection.h"
#include "main/BrowsingFixture.h"
#include "main/Listing.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <QTreeView>

namespace {

const QString Confirm = QStringLiteral("Are you Sure you want to delete    ");
const QString CategoryError = QStringLiteral("Delete Category Error");
const QString HasChildren = QStringLiteral("You Can't delete a parent Category before deleting it's Children");
const QString HasPlaces =
    QStringLiteral("You Can't delete a parent Category before deleting or moving related places ");
// A search in force, listing Clinic alone.
const QString Searched = QStringLiteral(" places_leaves.leaf_id = 2");

} // namespace

// Deleting places and categories from the main window, on the stored rows.
class TestDelete : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        // Root; Food with Cafes (places) and Juice Bars (no places, a child three levels down,
        // which the tree does not load at first); Health with two places; Empty with only a
        // link to a place that no longer exists; Hidden with one place.
        TestDatabase::Reset({QStringLiteral("root.sql")});
        TestDatabase::Exec(QStringList{
            QStringLiteral("insert into cm_city (CODE, ENAME) values (1, 'Cairo')"),
            QStringLiteral("insert into places_district values (1, 'Zamalek', 1)"),
            QStringLiteral("insert into places_root values (1, 'Food', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (2, 'Cafes', 1, 'N', 1)"),
            QStringLiteral("insert into places_root values (3, 'Juice Bars', 1, 'N', 1)"),
            QStringLiteral("insert into places_root values (4, 'Fresh Juice', 3, 'N', 1)"),
            QStringLiteral("insert into places_root values (5, 'Health', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (6, 'Empty', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (7, 'Hidden', 0, 'N', 1)"),
            QStringLiteral("insert into places_leaves values (1, 'Nile Cafe', '02 1', 'Corniche', 1, 1, 'a', NULL)"),
            QStringLiteral("insert into places_leaves values (2, 'Clinic', '02 2', 'Tahrir', 1, 1, 'b', NULL)"),
            QStringLiteral("insert into places_leaves values (3, 'Pharmacy', '02 3', 'Mall', 1, 1, 'c', NULL)"),
            QStringLiteral("insert into places_leaves values (4, 'Bookshop', '02 4', 'Market', 1, 1, 'd', NULL)"),
            QStringLiteral("insert into places_branch_leaves values (2, 1)"),
            QStringLiteral("insert into places_branch_leaves values (5, 2)"),
            QStringLiteral("insert into places_branch_leaves values (5, 3)"),
            QStringLiteral("insert into places_branch_leaves values (2, 3)"),
            QStringLiteral("insert into places_branch_leaves values (7, 4)"),
            QStringLiteral("insert into places_branch_leaves values (6, 99)"),
        });
        m_main = new frmMain;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    void cleanup() { delete m_main; }

    void placeDeletedAndListReloadedForSelectedCategory()
    {
        tree()->expand(node(QStringLiteral("Food")));
        click(node(QStringLiteral("Health")));
        QCOMPARE(listed(), (QStringList{QStringLiteral("Clinic"), QStringLiteral("Pharmacy")}));
        selectPlace(QStringLiteral("Pharmacy"));
        // Another category is selected, not clicked: the list still shows Health.
        tree()->setCurrentIndex(node(QStringLiteral("Cafes")));

        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        press(ToolbarEntry::Delete);
        QCOMPARE(messages.count(), 2);
        check(messages.shown().at(0), Confirm + QStringLiteral("Pharmacy"), QMessageBox::Yes | QMessageBox::No,
              QStringLiteral("Delete Place"));
        check(messages.shown().at(1), QStringLiteral(" Place  Deleted "), QMessageBox::Ok,
              QStringLiteral("Delete Place"));
        // The place and both its links are gone; nothing else is.
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves where LEAF_ID = 3")).toInt(),
                 0);
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select BRANCH_ID, LEAF_ID from places_branch_leaves "
                                                   "order by LEAF_ID, BRANCH_ID")),
                 (QList<QStringList>{{"2", "1"}, {"5", "2"}, {"7", "4"}, {"6", "99"}}));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves")).toInt(), 3);
        QCOMPARE(listed(), QStringList{QStringLiteral("Nile Cafe")});
    }

    void placeListAfterASearchIsReloadedForAll()
    {
        // A search lists all categories under its condition and leaves no category selected.
        m_main->SetSearchStr(QStringLiteral(" places_leaves.MORE_DATA <> 'd'"));
        m_main->InitForm();
        m_main->UpdateList(-1);
        QVERIFY(tree()->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(listed(),
                 (QStringList{QStringLiteral("Clinic"), QStringLiteral("Nile Cafe"), QStringLiteral("Pharmacy")}));
        selectPlace(QStringLiteral("Clinic"));
        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        press(ToolbarEntry::Delete);
        QCOMPARE(messages.texts().last(), QStringLiteral(" Place  Deleted "));
        QCOMPARE(listed(), (QStringList{QStringLiteral("Nile Cafe"), QStringLiteral("Pharmacy")}));
    }

    // Others change the row between the list's reading and the delete: it deletes only the
    // place the user confirmed, and asks about one that took its identifier or a new name.
    void placeChangedSinceListed_data()
    {
        QTest::addColumn<QStringList>("meanwhile");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("left");

        const QStringList gone{QStringLiteral("delete from places_branch_leaves where LEAF_ID = 4"),
                               QStringLiteral("delete from places_leaves where LEAF_ID = 4")};
        const QStringList replaced =
            gone +
            QStringList{
                QStringLiteral("insert into places_leaves values (4, 'Newsagent', '02 5', 'Souk', 1, 1, 'e', NULL)"),
                QStringLiteral("insert into places_branch_leaves values (7, 4)")};
        const QString deleted = QStringLiteral(" Place  Deleted ");
        const QString askNewsagent = QStringLiteral("Delete \"Newsagent\"?");
        QTest::newRow("gone") << gone << QList<int>{QMessageBox::Yes} << QStringList{Confirm, deleted} << QString();
        QTest::newRow("replaced, kept") << replaced << QList<int>{QMessageBox::Yes, QMessageBox::No}
                                        << QStringList{Confirm, askNewsagent} << QStringLiteral("Newsagent");
        QTest::newRow("replaced, deleted") << replaced << QList<int>{QMessageBox::Yes, QMessageBox::Yes}
                                           << QStringList{Confirm, askNewsagent, deleted} << QString();
        QTest::newRow("renamed, kept") << QStringList{QStringLiteral(
                                              "update places_leaves set LEAF_NAME = 'Old Books' where LEAF_ID = 4")}
                                       << QList<int>{QMessageBox::Yes, QMessageBox::No}
                                       << QStringList{Confirm, QStringLiteral("Delete \"Old Books\"?")}
                                       << QStringLiteral("Old Books");
    }

    void placeChangedSinceListed()
    {
        QFETCH(QStringList, meanwhile);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, told);
        QFETCH(QString, left);
        click(node(QStringLiteral("Hidden")));
        selectPlace(QStringLiteral("Bookshop"));
        TestDatabase::Exec(meanwhile);
        MessageRecorder messages;
        for (const int answer : answers)
            messages.answer(QMessageBox::StandardButton(answer));
        press(ToolbarEntry::Delete);
        QCOMPARE(messages.count(), told.size());
        for (int i = 0; i < told.size(); ++i)
            QVERIFY2(messages.shown().at(i).text.startsWith(told.at(i)) ||
                         messages.shown().at(i).text.endsWith(told.at(i)),
                     qPrintable(messages.shown().at(i).text));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves where LEAF_ID = 4")).toInt(),
                 left.isEmpty() ? 0 : 1);
        if (!left.isEmpty())
            QCOMPARE(TestDatabase::Scalar(QStringLiteral("select LEAF_NAME from places_leaves where LEAF_ID = 4"))
                         .toString(),
                     left);
        // The list shows the rows as they are now.
        QCOMPARE(listed(), left.isEmpty() ? QStringList() : QStringList{left});
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves")).toInt(),
                 left.isEmpty() ? 3 : 4);
    }

    void answeringNoChangesNothing()
    {
        click(node(QStringLiteral("Health")));
        selectPlace(QStringLiteral("Clinic"));
        const auto before = everything();
        {
            MessageRecorder messages;
            messages.answer(QMessageBox::No);
            press(ToolbarEntry::Delete);
            QCOMPARE(messages.count(), 1);
            QCOMPARE(messages.last().title, QStringLiteral("Delete Place"));
        }
        QCOMPARE(listed(), (QStringList{QStringLiteral("Clinic"), QStringLiteral("Pharmacy")}));

        click(node(QStringLiteral("Empty")));
        QCOMPARE(listed(), QStringList());
        m_main->SetSearchStr(Searched);
        {
            MessageRecorder messages;
            messages.answer(QMessageBox::No);
            press(ToolbarEntry::DeleteCategory);
            QCOMPARE(messages.count(), 1);
            check(messages.last(), Confirm + QStringLiteral("Empty"), QMessageBox::Yes | QMessageBox::No,
                  QStringLiteral("Delete Category"));
        }
        QCOMPARE(everything(), before);
        QVERIFY(node(QStringLiteral("Empty")).isValid());
        QCOMPARE(ReloadedWhole(*m_main), WholeUnder(Searched));
    }

    void rootIsNeverDeleted()
    {
        TestDatabase::Reset({QStringLiteral("root.sql")});
        delete m_main;
        m_main = new frmMain;
        const QModelIndex root = node(QStringLiteral("Main Categories"));
        QVERIFY(root.isValid());
        QCOMPARE(tree()->model()->rowCount(root), 0);
        QCOMPARE(listed(), QStringList());
        tree()->setCurrentIndex(root);
        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), 1);
        check(messages.last(), QStringLiteral("You Can't delete the Root Category "), QMessageBox::Ok, CategoryError);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root")).toInt(), 1);
    }

    void subCategoriesComeFirst()
    {
        MessageRecorder messages;
        // Children in the tree beat places in the list.
        click(node(QStringLiteral("Health")));
        QCOMPARE(listed().size(), 2);
        tree()->setCurrentIndex(node(QStringLiteral("Food")));
        QCOMPARE(tree()->model()->rowCount(node(QStringLiteral("Food"))), 2);
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), 1);
        check(messages.last(), HasChildren, QMessageBox::Ok, CategoryError);

        // A sub-category added since the tree was loaded holds its parent back all the same.
        TestDatabase::Exec(QStringLiteral("insert into places_root values (8, 'Later', 6, 'N', 1)"));
        click(node(QStringLiteral("Empty")));
        QCOMPARE(tree()->model()->rowCount(node(QStringLiteral("Empty"))), 0);
        QCOMPARE(listed(), QStringList());
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), 2);
        check(messages.last(), HasChildren, QMessageBox::Ok, CategoryError);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root")).toInt(), 9);
    }

    void categoryWithUnlistedPlacesIsRefused()
    {
        // A search that listed nothing: the list is empty, the database is not.
        m_main->SetSearchStr(QStringLiteral(" places_leaves.LEAF_NAME like 'Zzz%'"));
        m_main->InitForm();
        m_main->UpdateList(-1);
        QCOMPARE(listed(), QStringList());
        tree()->setCurrentIndex(node(QStringLiteral("Hidden")));
        const auto before = everything();
        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), 1);
        check(messages.last(), HasPlaces, QMessageBox::Ok, CategoryError);
        QCOMPARE(everything(), before);
        click(node(QStringLiteral("Hidden")));
        QCOMPARE(listed(), QStringList{QStringLiteral("Bookshop")});

        // Listed places refuse too, whichever category they belong to.
        tree()->setCurrentIndex(node(QStringLiteral("Empty")));
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), 2);
        check(messages.last(), HasPlaces, QMessageBox::Ok, CategoryError);
    }

    void emptyCategoryDeleted()
    {
        // Food expanded: its grandchildren are in the tree until it is rebuilt.
        tree()->expand(node(QStringLiteral("Food")));
        QVERIFY(node(QStringLiteral("Fresh Juice")).isValid());
        click(node(QStringLiteral("Empty")));
        m_main->SetSearchStr(Searched);
        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), 2);
        check(messages.shown().at(0), Confirm + QStringLiteral("Empty"), QMessageBox::Yes | QMessageBox::No,
              QStringLiteral("Delete Category"));
        check(messages.shown().at(1), QStringLiteral("Empty  Deleted "), QMessageBox::Ok,
              QStringLiteral("Delete Category"));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where BRANCH_ID = 6")).toInt(),
                 0);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root")).toInt(), 7);
        // Links naming it are left as they were.
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_branch_leaves where BRANCH_ID = 6"))
                     .toInt(),
                 1);
        QCOMPARE(ReloadedWhole(*m_main), WholeUnder(QString()));
        QVERIFY(!node(QStringLiteral("Empty")).isValid());
        QVERIFY(!node(QStringLiteral("Fresh Juice")).isValid());
        QVERIFY(tree()->isExpanded(node(QStringLiteral("Main Categories"))));
    }

    // Deleted by someone else since the tree showed it, its identifier taken by a new category:
    // that one is deleted only when the user says so, and the tree shows what is there now.
    void categoryReplacedSinceShown_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("kept") << int(QMessageBox::No) << QStringList{Confirm + QStringLiteral("Empty")};
        QTest::newRow("deleted") << int(QMessageBox::Yes)
                                 << QStringList{Confirm + QStringLiteral("Empty"),
                                                QStringLiteral("Newcomer  Deleted ")};
    }

    void categoryReplacedSinceShown()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, told);
        click(node(QStringLiteral("Empty")));
        TestDatabase::Exec(QStringList{QStringLiteral("delete from places_root where BRANCH_ID = 6"),
                                       QStringLiteral("insert into places_root values (6, 'Newcomer', 0, 'N', 1)")});
        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        messages.answer(QMessageBox::StandardButton(answer));
        press(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.count(), told.size() + 1);
        QCOMPARE(messages.shown().at(0).text, told.at(0));
        const MsgBoxRequest &question = messages.shown().at(1);
        QCOMPARE(question.text,
                 QStringLiteral("The category \"Empty\" was changed by someone else since the tree showed it: it is "
                                "now \"Newcomer\".\n\nDelete \"Newcomer\"?"));
        QCOMPARE(question.title, QStringLiteral("Delete Category"));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        if (told.size() > 1)
            QCOMPARE(messages.last().text, told.at(1));
        const bool kept = answer == QMessageBox::No;
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where BRANCH_ID = 6")).toInt(),
                 kept ? 1 : 0);
        QCOMPARE(node(QStringLiteral("Newcomer")).isValid(), kept);
        QVERIFY(!node(QStringLiteral("Empty")).isValid());
    }

    void failedCategoryStatementReportedAfterRebuild()
    {
        TestDatabase::Refuse(QStringLiteral("delete"), QStringLiteral("places_root"));
        tree()->expand(node(QStringLiteral("Food")));
        tree()->setCurrentIndex(node(QStringLiteral("Empty")));
        m_main->SetSearchStr(Searched);
        QStringList shown;
        QList<bool> rebuilt;
        SetMsgBoxHandler([&](const MsgBoxRequest &request) {
            shown.append(request.title + QStringLiteral("|") + request.text);
            rebuilt.append(!node(QStringLiteral("Fresh Juice")).isValid() &&
                           ReloadedWhole(*m_main) == WholeUnder(QString()));
            return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
        press(ToolbarEntry::DeleteCategory);
        FailOnUnexpectedMessages();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0), QStringLiteral("Delete Category|") + Confirm + QStringLiteral("Empty"));
        QVERIFY2(shown.at(1).startsWith(QStringLiteral("DataBase Error|")), qPrintable(shown.at(1)));
        QVERIFY2(shown.at(1).contains(QStringLiteral("refused by the test")), qPrintable(shown.at(1)));
        QCOMPARE(rebuilt, (QList<bool>{false, true}));
        QVERIFY(node(QStringLiteral("Empty")).isValid());
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root")).toInt(), 8);
    }

    void failingPlaceDeleteRollsBackBoth()
    {
        // The second statement fails, after the first has removed the links.
        TestDatabase::Refuse(QStringLiteral("delete"), QStringLiteral("places_leaves"));
        tree()->expand(node(QStringLiteral("Food")));
        click(node(QStringLiteral("Health")));
        selectPlace(QStringLiteral("Pharmacy"));
        tree()->setCurrentIndex(node(QStringLiteral("Cafes")));
        const auto before = everything();
        MessageRecorder messages;
        messages.answer(QMessageBox::Yes);
        press(ToolbarEntry::Delete);
        QCOMPARE(messages.count(), 2);
        check(messages.last(), QStringLiteral(" Place Can't be Deleted "), QMessageBox::Ok,
              QStringLiteral("DataBase Error"));
        QCOMPARE(everything(), before);
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select count(*) from places_branch_leaves where LEAF_ID = 3")).toInt(),
            2);
        // The list was not reloaded.
        QCOMPARE(listed(), (QStringList{QStringLiteral("Clinic"), QStringLiteral("Pharmacy")}));
        // The connection works on, outside any transaction.
        Processing::DbConn().execute(QStringLiteral("delete from places_branch_leaves where LEAF_ID = 99"));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_branch_leaves")).toInt(), 5);
    }

private:
    QTreeView *tree() const { return m_main->findChild<QTreeView *>(QStringLiteral("CatTree")); }
    QTreeView *list() const { return m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces")); }

    // The one node showing the text; an invalid index when there is none or more than one.
    QModelIndex node(const QString &text) const
    {
        const QAbstractItemModel *model = tree()->model();
        const QModelIndexList found =
            model->match(model->index(0, 0), Qt::DisplayRole, text, -1, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.first() : QModelIndex();
    }

    void click(const QModelIndex &node)
    {
        QVERIFY(node.isValid());
        tree()->scrollTo(node);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node).center());
        QCOMPARE(tree()->currentIndex(), node);
    }

    QStringList listed() const
    {
        QStringList names;
        for (int row = 0; row < BrowsingFixture::Places(*m_main)->rowCount(); ++row)
            names.append(BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::Name));
        names.sort();
        return names;
    }

    void selectPlace(const QString &name)
    {
        for (int row = 0; row < BrowsingFixture::Places(*m_main)->rowCount(); ++row) {
            if (BrowsingFixture::Places(*m_main)->Text(row, PlacesModel::Name) == name) {
                list()->setCurrentIndex(BrowsingFixture::Places(*m_main)->index(row, 0));
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("not listed: ") + name));
    }

    void press(ToolbarEntry button) { m_main->ToolbarButton(button)->trigger(); }

    static void check(const MsgBoxRequest &shown, const QString &text, QMessageBox::StandardButtons buttons,
                      const QString &title)
    {
        QCOMPARE(shown.text, text);
        QCOMPARE(shown.title, title);
        QCOMPARE(shown.buttons, buttons);
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
    }

    static QList<QList<QStringList>> everything()
    {
        return {TestDatabase::Rows(QStringLiteral("select * from places_root order by BRANCH_ID")),
                TestDatabase::Rows(QStringLiteral("select * from places_leaves order by LEAF_ID")),
                TestDatabase::Rows(QStringLiteral("select * from places_branch_leaves order by BRANCH_ID, LEAF_ID"))};
    }

    QPointer<frmMain> m_main;
};

TARNWICK_TEST_MAIN(TestDelete)

#include "tst_delete.moc"
