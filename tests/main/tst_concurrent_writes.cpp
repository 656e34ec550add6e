#include "data/connection/Connection.h"
#include "editing/EditingFixture.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/SecondUser.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTreeView>

using namespace EditingFixture;

namespace {

// Rows that point at a category or a place that is not there.
int orphans()
{
    return TestDatabase::Scalar(QStringLiteral("select count(*) from places_branch_leaves where branch_id not in "
                                               "(select branch_id from places_root) or leaf_id not in "
                                               "(select leaf_id from places_leaves)"))
               .toInt() +
           TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where parent_id not in "
                                               "(select branch_id from places_root)"))
               .toInt();
}

// Fills a group box of the add dialog and presses its "&Add".
void addThrough(frmAdd &dialog, const QString &kind, const QString &category, const QString &name)
{
    if (kind == QLatin1String("place")) {
        Find<QCheckBox>(&dialog, "ChkAddPlace")->setChecked(true);
        Choose(Find<QComboBox>(&dialog, "CmbPlaceParent"), category);
        Type(Find<QWidget>(&dialog, "TxtPlaceName"), name);
        Choose(Find<QComboBox>(&dialog, "CmbCity"), QStringLiteral("Cairo"));
        Choose(Find<QComboBox>(&dialog, "CmbDistrict"), QStringLiteral("Zamalek"));
        Type(Find<QWidget>(&dialog, "TxtAddress"), QStringLiteral("9 Nile St"));
        Click(&dialog, "CmdAddPlace");
    } else if (kind == QLatin1String("category")) {
        Find<QCheckBox>(&dialog, "ChkAddCat")->setChecked(true);
        Choose(Find<QComboBox>(&dialog, "CmbParentCat"), category);
        Type(Find<QWidget>(&dialog, "TxtCatName"), name);
        Click(&dialog, "CmdAddCat");
    } else {
        Find<QCheckBox>(&dialog, "ChkAddDistrict")->setChecked(true);
        Choose(Find<QComboBox>(&dialog, "CmbCityAdd"), QStringLiteral("Giza"));
        Type(Find<QWidget>(&dialog, "TxtNewDistrict"), name);
        Click(&dialog, "CmdAddDistrict");
    }
}

const QString PlaceWithRelated =
    QStringLiteral("You Can't delete a parent Category before deleting or moving related places ");
const QString CategoryWithChildren = QStringLiteral("You Can't delete a parent Category before deleting it's Children");

} // namespace

// Two users of one directory at the same moment: the second is a connection of the test's own
// that writes between the program's steps and holds its rows until the program waits for it.
class TestConcurrentWrites : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;

    frmMain *mainWindow()
    {
        if (!m_main) {
            m_main = new frmMain;
            m_main->show();
        }
        return m_main;
    }

    void selectNode(const QString &text)
    {
        auto *tree = mainWindow()->findChild<QTreeView *>(QStringLiteral("CatTree"));
        tree->setCurrentIndex(
            tree->model()
                ->match(tree->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive)
                .value(0));
    }

private Q_SLOTS:
    void init()
    {
        // Category 9 has nothing under it, so it may be deleted.
        MakeSmallDirectory();
        TestDatabase::Exec(QStringLiteral("insert into places_root values (9, 'Closing Soon', 0, 'N', 1)"));
    }

    void cleanup()
    {
        delete m_main;
        DeleteUpdateWindows();
    }

    // Each new row is stored once, under the identifier the rule gives after the other user's
    // row: no "DataBase Error" for a key taken meanwhile.
    void newIdentifierTakenMeanwhile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("id");
        // The next place is one above the largest (41), taken by the other user's place.
        QTest::newRow("place") << QStringLiteral("place")
                               << QStringLiteral("insert into places_leaves values (42, 'Other', '', 'x', 12, 1, '', "
                                                 "NULL)")
                               << QStringLiteral("select leaf_id from places_leaves where leaf_name = 'Tea Corner'")
                               << 43;
        // Four entries in the parent list, so 5, then one above the largest.
        QTest::newRow("category") << QStringLiteral("category")
                                  << QStringLiteral("insert into places_root values (5, 'Other', 0, 'N', 1)")
                                  << QStringLiteral("select branch_id from places_root where branch_name = 'Teas'")
                                  << 10;
        QTest::newRow("district") << QStringLiteral("district")
                                  << QStringLiteral("insert into places_district values (6, 'Other', 12)")
                                  << QStringLiteral("select district_id from places_district where "
                                                    "district_name = 'Garden City'")
                                  << 7;
    }

    void newIdentifierTakenMeanwhile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, other);
        QFETCH(QString, stored);
        QFETCH(int, id);
        MessageRecorder messages;
        frmAdd dialog;
        const QString name = kind == QLatin1String("place")      ? QStringLiteral("Tea Corner")
                             : kind == QLatin1String("category") ? QStringLiteral("Teas")
                                                                 : QStringLiteral("Garden City");
        {
            SecondUser user({other});
            addThrough(dialog, kind, QStringLiteral("Cafes"), name);
            QVERIFY(user.finish());
        }
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(TestDatabase::Rows(stored), QList<QStringList>{{QString::number(id)}});
        // The other user's row stays as it was stored.
        QCOMPARE(TestDatabase::Rows(stored.replace(name, QStringLiteral("Other"))).size(), 1);
        if (kind == QLatin1String("place"))
            QCOMPARE(TestDatabase::Rows(
                         QStringLiteral("select branch_id from places_branch_leaves where leaf_id = %1").arg(id)),
                     QList<QStringList>{{QStringLiteral("7")}});
        // The box is emptied for the next one, as after any add.
        const char *box = kind == QLatin1String("place")      ? "TxtPlaceName"
                          : kind == QLatin1String("category") ? "TxtCatName"
                                                              : "TxtNewDistrict";
        QCOMPARE(TextOf(Find<QWidget>(&dialog, box)), QString());
    }

    // A category's delete and an add under it never both succeed.
    void guardsHoldUntilCommit_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("other");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("expected");
        // The other user deletes the category, holding its row as the program's delete does.
        const QStringList deletes = {QStringLiteral("delete from places_root where branch_id = 9")};
        QTest::newRow("place added to a category being deleted")
            << QStringLiteral("place") << deletes << QStringLiteral("was deleted by someone else")
            << QStringLiteral("select count(*) from places_leaves") << QStringLiteral("1");
        QTest::newRow("sub-category added to a category being deleted")
            << QStringLiteral("category") << deletes << QStringLiteral("was deleted by someone else")
            << QStringLiteral("select count(*) from places_root where parent_id = 9") << QStringLiteral("0");
        // Its identifier taken by the next category added meanwhile: that one is not deleted
        // (on SQLite the delete waits to begin and asks about it; on the server it finds its
        // own gone and leaves it at that).
        QTest::newRow("category deleted and its identifier taken while the delete waits")
            << QStringLiteral("delete")
            << QStringList{deletes.first(), QStringLiteral("insert into places_root values (9, 'Newcomer', 0, 'N', 1)")}
            << (TestDatabase::IsPostgreSQL() ? QStringLiteral("Deleted") : QStringLiteral("changed by someone else"))
            << QStringLiteral("select branch_name from places_root where branch_id = 9") << QStringLiteral("Newcomer");
        // The other user adds under the category, holding its row as the program's adds do.
        const QString hold = TestDatabase::IsPostgreSQL()
                                 ? QStringLiteral("select branch_id from places_root where branch_id = 9 for share")
                                 : QStringLiteral("select branch_id from places_root where branch_id = 9");
        QTest::newRow("category deleted while a place is added to it")
            << QStringLiteral("delete")
            << QStringList{hold,
                           QStringLiteral("insert into places_leaves values (50, 'Late Cafe', '', 'x', 12, 1, '', "
                                          "NULL)"),
                           QStringLiteral("insert into places_branch_leaves values (9, 50)")}
            << PlaceWithRelated << QStringLiteral("select count(*) from places_root where branch_id = 9")
            << QStringLiteral("1");
        QTest::newRow("category deleted while a sub-category is added to it")
            << QStringLiteral("delete")
            << QStringList{hold, QStringLiteral("insert into places_root values (10, 'Late', 9, 'N', 1)")}
            << CategoryWithChildren << QStringLiteral("select count(*) from places_root where branch_id = 9")
            << QStringLiteral("1");
    }

    void guardsHoldUntilCommit()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, other);
        QFETCH(QString, told);
        QFETCH(QString, left);
        QFETCH(QString, expected);
        MessageRecorder messages;
        if (action == QLatin1String("delete")) {
            selectNode(QStringLiteral("Closing Soon"));
            BrowsingFixture::Places(*mainWindow())->clear();
            messages.answer(QMessageBox::Yes);
            SecondUser user(other);
            mainWindow()->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger();
            QVERIFY(user.finish());
        } else {
            frmAdd dialog;
            SecondUser user(other);
            addThrough(dialog, action, QStringLiteral("Closing Soon"), QStringLiteral("Late Arrival"));
            QVERIFY(user.finish());
        }
        QVERIFY2(!messages.texts().isEmpty() && messages.last().text.contains(told),
                 qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(TestDatabase::Scalar(left).toString(), expected);
        QCOMPARE(orphans(), 0);
    }

    // Two people adding the same place at once: it is stored once, and the one who comes second is
    // told it is a repeat, as if the other had added it a moment before.
    void samePlaceAddedAtOnce()
    {
        MessageRecorder messages;
        frmAdd dialog;
        {
            SecondUser user({QStringLiteral("insert into places_leaves values (50, 'Nile View', '', '9 Nile St', 12, "
                                            "1, '', NULL)"),
                             QStringLiteral("insert into places_branch_leaves values (7, 50)")});
            addThrough(dialog, QStringLiteral("place"), QStringLiteral("Cafes"), QStringLiteral("nile view "));
            QVERIFY(user.finish());
        }
        QVERIFY2(messages.count() == 1, qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(messages.last().title, QStringLiteral("Repeated Entry"));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves where upper(leaf_name) = "
                                                     "'NILE VIEW'"))
                     .toInt(),
                 1);
        QCOMPARE(orphans(), 0);
    }

    // An update over someone else's change asks first, naming what they changed.
    void updateOverAnotherChange_data()
    {
        QTest::addColumn<QStringList>("other");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<bool>("beforeFilling"); // after the list was read, before the window was filled
        // One field each, for every field the question can name. A place stays listed only in a
        // district of its city: the city changes with its district's city, the district's name stays.
        const QString place41 = QStringLiteral(" where leaf_id = 41");
        const QList<std::pair<const char *, QStringList>> single = {
            {"Place Name", {QStringLiteral("update places_leaves set leaf_name = 'Nile Cafe'") + place41}},
            {"City",
             {QStringLiteral("update places_district set city_id = 3 where district_id = 1"),
              QStringLiteral("update places_leaves set city = 3") + place41}},
            {"District", {QStringLiteral("update places_leaves set district = 3") + place41}},
            {"Address", {QStringLiteral("update places_leaves set telephone = '7 River Rd'") + place41}},
            {"Telephone", {QStringLiteral("update places_leaves set address = '02 99'") + place41}},
            {"More", {QStringLiteral("update places_leaves set more_data = 'coffee'") + place41}},
            {"URL", {QStringLiteral("update places_leaves set web_link = ' http://nile.example'") + place41}},
        };
        for (const auto &[field, statements] : single)
            QTest::newRow(field) << statements << QString::fromLatin1(field) << false;
        // Made after the list was read: the window shows the list's texts, and would write them
        // over a change the user has not seen.
        QTest::newRow("Telephone, before the window was filled")
            << single.at(4).second << QStringLiteral("Telephone") << true;
        QTest::newRow("Place Name, before the window was filled")
            << single.at(0).second << QStringLiteral("Place Name") << true;
        QTest::newRow("address and more")
            << QStringList{QStringLiteral("update places_leaves set telephone = '7 River Rd', more_data = 'coffee' "
                                          "where leaf_id = 41")}
            << QStringLiteral("Address, More") << false;
        QTest::newRow("city and district")
            << QStringList{QStringLiteral("update places_leaves set city = 3, district = 2 where leaf_id = 41")}
            << QStringLiteral("City, District") << false;
        QTest::newRow("Parent Category") << QStringList{QStringLiteral(
                                                "update places_branch_leaves set branch_id = 4 where leaf_id = 41")}
                                         << QStringLiteral("Parent Category") << false;
        // Stored again as an update stores it: the same values, so no question.
        QTest::newRow("nothing as stored")
            << QStringList{QStringLiteral("update places_leaves set leaf_name = ' CAFE NILE ', web_link = ' '") +
                           place41}
            << QStringLiteral("none") << false;
        QTest::newRow("deleted") << QStringList{QStringLiteral("delete from places_branch_leaves where leaf_id = 41"),
                                                QStringLiteral("delete from places_leaves where leaf_id = 41")}
                                 << QString() << false;
    }

    void updateOverAnotherChange()
    {
        QFETCH(QStringList, other);
        QFETCH(QString, fields);
        QFETCH(bool, beforeFilling);
        mainWindow()->UpdateList(7);
        if (beforeFilling)
            TestDatabase::Exec(other);
        mainWindow()
            ->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"))
            ->selectionModel()
            ->select(BrowsingFixture::Places(*mainWindow())->index(0, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        mainWindow()->ToolbarButton(ToolbarEntry::Update)->trigger();
        QPointer<frmUpdate> window = ShownUpdateWindow();
        QVERIFY(window);
        Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Cafes"));
        Type(Find<QWidget>(window, "TxtPlaceName"), QStringLiteral("Cafe Nile Renamed"));
        const QStringList typed = PlaceInputs(window);
        const auto place41 = [] {
            return TestDatabase::Rows(QStringLiteral("select p.leaf_name, p.telephone, p.address, p.more_data, p.city, "
                                                     "p.district, l.branch_id from places_leaves p, "
                                                     "places_branch_leaves l where p.leaf_id = 41 and l.leaf_id = 41"));
        };

        MessageRecorder messages;
        messages.answer(QMessageBox::No);
        if (beforeFilling) {
            Click(window, "CmdUpdate");
        } else {
            SecondUser user(other);
            Click(window, "CmdUpdate");
            QVERIFY(user.finish());
        }
        const QList<QStringList> theirs = place41();
        if (fields == QLatin1StringView("none")) {
            QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char('|'))));
            QCOMPARE(theirs.value(0).value(0), QStringLiteral("Cafe Nile Renamed"));
            return;
        }
        QCOMPARE(messages.count(), 1);
        QVERIFY(window && window->isVisible());
        QCOMPARE(PlaceInputs(window), typed);
        if (fields.isEmpty()) {
            // Not stored again: the user is told, and keeps what was typed.
            QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
            QVERIFY2(messages.last().text.contains(QStringLiteral("deleted")), qPrintable(messages.last().text));
            QCOMPARE(theirs, QList<QStringList>());
            return;
        }
        QCOMPARE(messages.last().title, QStringLiteral("Place Changed"));
        QVERIFY2(messages.last().text.contains(QStringLiteral(": %1.").arg(fields)), qPrintable(messages.last().text));
        QVERIFY(messages.last().buttons == (QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(messages.last().defaultButton, QMessageBox::No);
        QCOMPARE(theirs.value(0).value(0),
                 fields == QLatin1StringView("Place Name") ? QStringLiteral("Nile Cafe") : QStringLiteral("CAFE NILE"));

        // Yes writes what the window holds over their change.
        messages.clear();
        messages.answer(QMessageBox::Yes);
        Click(window, "CmdUpdate");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("Place Changed"));
        QCOMPARE(place41(), (QList<QStringList>{{QStringLiteral("Cafe Nile Renamed"), QStringLiteral("5 main st"),
                                                 QStringLiteral("02 41"), QStringLiteral("tea"), QStringLiteral("12"),
                                                 QStringLiteral("1"), QStringLiteral("7")}}));
        QTRY_VERIFY(window.isNull());
    }
};

TARNWICK_TEST_MAIN(TestConcurrentWrites)
#include "tst_concurrent_writes.moc"
