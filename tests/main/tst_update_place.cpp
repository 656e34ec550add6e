#include "data/connection/Connection.h"
#include "data/statements/Queries.h"
#include "editing/EditingFixture.h"
#include "editing/MultiLineTextBox.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/CategoryTreeModel.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/Keyboard.h"
#include "support/Recorders.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QTreeView>

namespace {

QModelIndex node(const QTreeView *tree, const QString &text)
{
    const QAbstractItemModel *model = tree->model();
    return model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

int rowNamed(const PlacesModel *places, const QString &name)
{
    for (int row = 0; row < places->rowCount(); ++row) {
        if (places->Text(row, PlacesModel::Name) == name)
            return row;
    }
    return -1;
}

} // namespace

// Opening the selected place for update, from the toolbar and with Enter in the list.
class TestUpdatePlace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        TestDatabase::ResetWithSample();
        main = new frmMain;
        main->show();
        tree = main->findChild<QTreeView *>(QStringLiteral("CatTree"));
        list = main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
        QVERIFY(tree && list);
    }

    void cleanup()
    {
        delete main;
        EditingFixture::DeleteUpdateWindows();
    }

    void updateButtonFillsTheWindow()
    {
        // The tree's "Cafes" selected and its places listed.
        tree->setCurrentIndex(node(tree, QStringLiteral("Cafes")));
        main->UpdateList(4);
        select(QStringLiteral("Café Riviera"));
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);

        frmUpdate *window = EditingFixture::ShownUpdateWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        const auto *name = EditingFixture::Find<QLineEdit>(window, "TxtPlaceName");
        const auto *city = EditingFixture::Find<QComboBox>(window, "CmbCity");
        const auto *district = EditingFixture::Find<QComboBox>(window, "CmbDistrict");
        const auto *parent = EditingFixture::Find<QComboBox>(window, "CmbPlaceParent");
        const auto *url = EditingFixture::Find<QLineEdit>(window, "TxtURL");
        QCOMPARE(name->text(), QStringLiteral("Café Riviera"));
        QCOMPARE(city->currentText(), QStringLiteral("Cairo"));
        QCOMPARE(city->currentData().toInt(), 1);
        QCOMPARE(district->currentData().toInt(), 2);
        // The address box from the "Address" column, the telephone box from "Telephone".
        QCOMPARE(EditingFixture::Find<MultiLineTextBox>(window, "TxtAddress")->text(),
                 QStringLiteral("31 Talaat Harb Street"));
        QCOMPARE(EditingFixture::Find<QLineEdit>(window, "TxtTelephone")->text(), QStringLiteral("+20 2 2392 8814"));
        QCOMPARE(EditingFixture::Find<MultiLineTextBox>(window, "TxtMore")->text(),
                 QStringLiteral("Old-style coffee house serving breakfast all day."));
        QCOMPARE(url->text(), QStringLiteral("http://www.example.com/cafe-riviera"));
        QCOMPARE(parent->currentData().toInt(), 4);

        // A link of the box's full length is taken whole, without the stored leading blank.
        const QString longLink = QStringLiteral("http://example.com/") + QString(81, QLatin1Char('x'));
        TestDatabase::Exec(QStringLiteral("update places_leaves set web_link = ' %1' where leaf_id = 2").arg(longLink));
        main->UpdateList(4);
        select(QStringLiteral("Café Riviera"));
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        QCOMPARE(url->text(), longLink);

        // What is stored goes to the place shown.
        MessageRecorder messages;
        Keyboard::Type(EditingFixture::Find<QLineEdit>(window, "TxtPlaceName"), QStringLiteral(" Two"));
        EditingFixture::Click(window, "CmdUpdate");
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where leaf_id = 2")),
                 QVariant(QStringLiteral("Café Riviera Two")));
    }

    void enterRefillsTheOpenWindow()
    {
        tree->setCurrentIndex(node(tree, QStringLiteral("Cafes")));
        main->UpdateList(4);
        select(QStringLiteral("Café Riviera"));
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        QPointer<frmUpdate> first = EditingFixture::ShownUpdateWindow();

        // After a search the tree's selection may differ from the place's category: the tree's wins.
        tree->setCurrentIndex(node(tree, QStringLiteral("Restaurants")));
        main->UpdateList(-1);
        select(QStringLiteral("Dokki Kebab and Kofta House"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(EditingFixture::UpdateWindows().size(), 1);
        QCOMPARE(EditingFixture::ShownUpdateWindow(), first.data());
        QCOMPARE(EditingFixture::Find<QLineEdit>(first, "TxtPlaceName")->text(),
                 QStringLiteral("Dokki Kebab and Kofta House"));
        QCOMPARE(EditingFixture::Find<QComboBox>(first, "CmbPlaceParent")->currentText(),
                 QStringLiteral("Restaurants"));
        QCOMPARE(EditingFixture::Find<QComboBox>(first, "CmbPlaceParent")->currentData().toInt(), 2);

        // What is stored goes to the place the window was refilled with, not the first one.
        {
            MessageRecorder messages;
            Keyboard::Type(EditingFixture::Find<QLineEdit>(first, "TxtPlaceName"), QStringLiteral(" Two"));
            EditingFixture::Click(first, "CmdUpdate");
            QCOMPARE(messages.texts(), QStringList());
        }
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where leaf_id = 23")),
                 QVariant(QStringLiteral("Dokki Kebab and Kofta House Two")));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where leaf_id = 2")),
                 QVariant(QStringLiteral("Café Riviera")));
        QTRY_VERIFY(first.isNull());
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        first = EditingFixture::ShownUpdateWindow();
        QVERIFY(first);

        // The root node names no entry of the category list.
        tree->setCurrentIndex(node(tree, QStringLiteral("Main Categories")));
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        QCOMPARE(EditingFixture::Find<QComboBox>(first, "CmbPlaceParent")->currentIndex(), -1);

        // Closed, the next opening is a new window with its lists loaded afresh.
        TestDatabase::Exec(QStringLiteral("insert into places_root values (99, 'Tea Rooms', 1, 'N', 1)"));
        first->close();
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        // Until the closed window is deleted both exist; only the new one is shown.
        QList<frmUpdate *> shown = EditingFixture::UpdateWindows();
        shown.removeIf([](const frmUpdate *w) { return !w->isVisible(); });
        QCOMPARE(shown.size(), 1);
        frmUpdate *second = shown.first();
        QVERIFY(second != first.data());
        QTRY_VERIFY(first.isNull());
        QVERIFY(EditingFixture::Find<QComboBox>(second, "CmbPlaceParent")->findText(QStringLiteral("Tea Rooms")) >= 0);
    }

    // One user editing the same place again and again from a list that was not read again: the
    // list still shows the old texts (and the link with its stored leading blank), but no one
    // else changed anything (or stored the user's own value again with blanks), so nothing is asked.
    void editedAgainFromTheSameList_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("storedQuery");
        QTest::addColumn<QStringList>("meanwhile"); // another user's statement after the first edit
        const QString place = QStringLiteral(" from places_leaves where leaf_id = 2");
        QTest::newRow("telephone") << QByteArray("TxtTelephone") << QStringList{"02 1", "02 2", "02 3"}
                                   << QStringLiteral("select address") + place << QStringList();
        QTest::newRow("link") << QByteArray("TxtURL") << QStringList{" http://a.example ", "", "http://c.example"}
                              << QStringLiteral("select web_link") + place << QStringList();
        QTest::newRow("name with blanks") << QByteArray("TxtPlaceName") << QStringList{"  Riviera  ", "Riviera 2 "}
                                          << QStringLiteral("select leaf_name") + place << QStringList();
        QTest::newRow("name stored again by another, with blanks")
            << QByteArray("TxtPlaceName") << QStringList{"Riviera", "Riviera 2"}
            << QStringLiteral("select leaf_name") + place
            << QStringList{QStringLiteral("update places_leaves set leaf_name = ' Riviera ' where leaf_id = 2")};
        QTest::newRow("category") << QByteArray("CmbPlaceParent") << QStringList{"Restaurants", "Cafes"}
                                  << QStringLiteral("select branch_name from places_root r, places_branch_leaves l "
                                                    "where r.branch_id = l.branch_id and l.leaf_id = 2")
                                  << QStringList();
    }

    void editedAgainFromTheSameList()
    {
        QFETCH(QByteArray, box);
        QFETCH(QStringList, typed);
        QFETCH(QString, storedQuery);
        QFETCH(QStringList, meanwhile);
        tree->setCurrentIndex(node(tree, QStringLiteral("Cafes")));
        main->UpdateList(4);
        MessageRecorder messages;
        for (const QString &text : typed) {
            select(QStringLiteral("Café Riviera"));
            main->Toolbar1_ButtonClick(ToolbarEntry::Update);
            QPointer<frmUpdate> window = EditingFixture::ShownUpdateWindow();
            QVERIFY(window);
            auto *input = EditingFixture::Find<QWidget>(window, box.constData());
            if (auto *choice = qobject_cast<QComboBox *>(input))
                EditingFixture::Choose(choice, text);
            else
                EditingFixture::Type(input, text);
            EditingFixture::Click(window, "CmdUpdate");
            QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char('|'))));
            QTRY_VERIFY(window.isNull());
            TestDatabase::Exec(std::exchange(meanwhile, {}));
        }
        QCOMPARE(TestDatabase::Scalar(storedQuery).toString().trimmed(), typed.last().trimmed());
    }

    void identifiersBeyondSixteenBits()
    {
        // Rows another program filled, numbered past 32,767, and a place 0 for an identifier
        // narrowed to nothing to hit.
        TestDatabase::Exec(QStringList{
            QStringLiteral("insert into places_district values (33000, 'Far District', 1)"),
            QStringLiteral("insert into places_root values (40000, 'Far Category', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (40001, 'Far Corner', 40000, 'N', 1)"),
            QStringLiteral("insert into places_leaves values (50000, 'Far Cafe', '02 5', 'Far Street', 1, 33000, "
                           "'far', NULL)"),
            QStringLiteral("insert into places_leaves values (50001, 'Far Bakery', '02 6', 'Far Lane', 1, 33000, "
                           "'bread', NULL)"),
            QStringLiteral("insert into places_leaves values (0, 'Place Zero', '02 0', 'Zero Street', 1, 1, 'zero', "
                           "NULL)"),
            QStringLiteral("insert into places_branch_leaves values (40000, 50000)"),
            QStringLiteral("insert into places_branch_leaves values (40000, 50001)"),
            QStringLiteral("insert into places_branch_leaves values (0, 0)"),
        });
        main->InitForm();
        MessageRecorder messages;
        StatementTrace trace;
        // The statements sent; only SQLite can show them, the rows and the list show everywhere.
        const auto sent = [&trace](const QStringList &expected) {
            for (const QString &statement : expected)
                QVERIFY2(!trace.active() || trace.statements().contains(statement), qPrintable(statement));
            trace.clear();
        };
        const auto places = [](const char *category) {
            return Processing::DbConn().sent(Processing::GetPlacesQuery(-1) +
                                             QStringLiteral("         AND (places_branch_leaves.branch_id = any (") +
                                             QLatin1String(category) + QStringLiteral(") ) "));
        };
        const auto listed = [this] { return BrowsingFixture::Column(list, PlacesModel::Name); };
        const auto storedPlaces = [] {
            return TestDatabase::Rows(QStringLiteral("select * from places_leaves order by leaf_id"));
        };

        // Click, expand, list and sort.
        const QModelIndex far = node(tree, QStringLiteral("Far Category"));
        QCOMPARE(far.data(CategoryTreeModel::IdRole).toInt(), 40000);
        QCOMPARE(far.model()->index(0, 0, far).data(CategoryTreeModel::IdRole).toInt(), 40001);
        BrowsingFixture::ClickNode(tree, far);
        QCOMPARE(tree->currentIndex(), far);
        sent({places("40000")});
        BrowsingFixture::ClickExpandSign(tree, far);
        QVERIFY(tree->isExpanded(far));
        sent({places("40000"), Processing::DbConn().sent(Processing::GetSubCatQuery(40000))});
        BrowsingFixture::ClickHeader(list, PlacesModel::Name);
        QCOMPARE(listed(), (QStringList{QStringLiteral("Far Bakery"), QStringLiteral("Far Cafe")}));
        BrowsingFixture::ClickHeader(list, PlacesModel::Name);
        QCOMPARE(listed(), (QStringList{QStringLiteral("Far Cafe"), QStringLiteral("Far Bakery")}));

        // Update: into place 50000 and no other row.
        select(QStringLiteral("Far Cafe"));
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        frmUpdate *window = nullptr;
        for (QWidget *widget : QApplication::allWidgets()) {
            if (auto *update = qobject_cast<frmUpdate *>(widget); update && update->isVisible())
                window = update;
        }
        QVERIFY(window);
        QCOMPARE(EditingFixture::Find<QComboBox>(window, "CmbDistrict")->currentData().toInt(), 33000);
        QCOMPARE(EditingFixture::Find<QComboBox>(window, "CmbPlaceParent")->currentData().toInt(), 40000);
        EditingFixture::Find<QLineEdit>(window, "TxtPlaceName")->setText(QStringLiteral("Far Cafe Renamed"));
        QList<QStringList> expected = storedPlaces();
        for (QStringList &row : expected) {
            if (row.first() == QLatin1String("50000"))
                row[1] = QStringLiteral("Far Cafe Renamed");
        }
        window->findChild<QAbstractButton *>(QStringLiteral("CmdUpdate"))->click();
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(storedPlaces(), expected);
        sent(
            {QStringLiteral("   Update PLACES_LEAVES    set LEAF_NAME='Far Cafe Renamed' ,   TELEPHONE='Far Street' ,  "
                            "ADDRESS='02 5' ,    WEB_LINK = null  ,  CITY= 1   ,  DISTRICT= 33000   ,  "
                            "MORE_DATA   =  'far' WHERE  LEAF_ID = 50000"),
             QStringLiteral("   Update PLACES_BRANCH_LEAVES     set BRANCH_ID=40000 WHERE  LEAF_ID = 50000")});

        // Delete the place; the list is filled again for category 40000.
        select(QStringLiteral("Far Cafe"));
        messages.answer(QMessageBox::Yes);
        main->Toolbar1_ButtonClick(ToolbarEntry::Delete);
        QCOMPARE(messages.texts().last(), QStringLiteral(" Place  Deleted "));
        sent({QStringLiteral("Delete from Places_Branch_Leaves where Leaf_ID =50000"),
              QStringLiteral("Delete from Places_Leaves where Leaf_ID =50000"), places("40000")});
        QCOMPARE(listed(), QStringList{QStringLiteral("Far Bakery")});
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves where leaf_id in (0, 50000)"))
                     .toInt(),
                 1);
        QCOMPARE(
            TestDatabase::Rows(QStringLiteral("select branch_id from places_branch_leaves where leaf_id >= 50000")),
            QList<QStringList>{{QStringLiteral("40000")}});

        // Emptied, the sub-category and then category 40000 itself are deleted.
        TestDatabase::Exec(QStringLiteral("update places_branch_leaves set branch_id = 1 where leaf_id = 50001"));
        BrowsingFixture::ClickNode(tree, far.model()->index(0, 0, far));
        messages.answer(QMessageBox::Yes);
        main->Toolbar1_ButtonClick(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.texts().last(), QStringLiteral("Far Corner  Deleted "));
        sent({QStringLiteral("Delete from Places_root where Branch_ID = 40001")});
        BrowsingFixture::ClickNode(tree, node(tree, QStringLiteral("Far Category")));
        QCOMPARE(listed(), QStringList());
        messages.answer(QMessageBox::Yes);
        main->Toolbar1_ButtonClick(ToolbarEntry::DeleteCategory);
        QCOMPARE(messages.texts().last(), QStringLiteral("Far Category  Deleted "));
        sent({QStringLiteral("Delete from Places_root where Branch_ID = 40000")});
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where branch_id >= 40000")).toInt(),
            0);
        QCOMPARE(messages.count(), 6);
        if (!trace.active())
            QSKIP(StatementTrace::NotSeen);
    }

    void emptyListOpensNothing()
    {
        MessageRecorder messages;
        tree->setCurrentIndex(node(tree, QStringLiteral("Main Categories")));
        QCOMPARE(BrowsingFixture::Places(*main)->rowCount(), 0);
        main->Toolbar1_ButtonClick(ToolbarEntry::Update);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(EditingFixture::UpdateWindows().isEmpty());
        QCOMPARE(messages.count(), 0);
    }

    // A text the user did not change is written back byte for byte, whatever its line breaks;
    // one the user changed is stored with CR LF. Either way the box shows lines.
    void lineBreaksKeptAsStored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("CR LF") << QStringLiteral("31 Talaat Harb\r\nDowntown");
        QTest::newRow("LF") << QStringLiteral("31 Talaat Harb\nDowntown");
        QTest::newRow("CR") << QStringLiteral("31 Talaat Harb\rDowntown");
        QTest::newRow("mixed") << QStringLiteral("31 Talaat Harb\r\nDowntown\nCairo\r\n\r\nEgypt\r");
    }

    void lineBreaksKeptAsStored()
    {
        QFETCH(QString, stored);
        MessageRecorder messages;
        TestDatabase::Exec(
            QStringLiteral("update places_leaves set telephone = '%1', more_data = '%1' where leaf_id = 2")
                .arg(stored));
        const auto storedPlace = [] {
            return TestDatabase::Rows(
                QStringLiteral("select leaf_name, telephone, more_data from places_leaves where leaf_id = 2"));
        };
        const auto open = [this](const QString &name) {
            tree->setCurrentIndex(node(tree, QStringLiteral("Cafes")));
            main->UpdateList(4);
            select(name);
            main->Toolbar1_ButtonClick(ToolbarEntry::Update);
            return QPointer<frmUpdate>(EditingFixture::ShownUpdateWindow());
        };
        QPointer<frmUpdate> window = open(QStringLiteral("Café Riviera"));
        QVERIFY(window);
        QString lines = stored;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QCOMPARE(EditingFixture::Find<MultiLineTextBox>(window, "TxtAddress")->toPlainText(), lines);
        QCOMPARE(EditingFixture::Find<MultiLineTextBox>(window, "TxtMore")->toPlainText(), lines);

        Keyboard::Type(EditingFixture::Find<QLineEdit>(window, "TxtPlaceName"), QStringLiteral(" Two"));
        EditingFixture::Click(window, "CmdUpdate");
        QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(storedPlace(), (QList<QStringList>{{QStringLiteral("Café Riviera Two"), stored, stored}}));
        QTRY_VERIFY(window.isNull());

        window = open(QStringLiteral("Café Riviera Two"));
        QVERIFY(window);
        EditingFixture::Find<MultiLineTextBox>(window, "TxtAddress")->moveCursor(QTextCursor::End);
        Keyboard::Type(EditingFixture::Find<MultiLineTextBox>(window, "TxtAddress"), QStringLiteral("\nGate 2"));
        EditingFixture::Click(window, "CmdUpdate");
        QVERIFY2(messages.count() == 0, qPrintable(messages.texts().join(QLatin1Char('|'))));
        QString edited = lines + QStringLiteral("\nGate 2");
        edited.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QCOMPARE(storedPlace(), (QList<QStringList>{{QStringLiteral("Café Riviera Two"), edited, stored}}));
    }

private:
    void select(const QString &name)
    {
        const int row = rowNamed(BrowsingFixture::Places(*main), name);
        QVERIFY(row >= 0);
        list->selectionModel()->select(BrowsingFixture::Places(*main)->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    frmMain *main = nullptr;
    QTreeView *tree = nullptr;
    QTreeView *list = nullptr;
};

TARNWICK_TEST_MAIN(TestUpdatePlace)
#include "tst_update_place.moc"
