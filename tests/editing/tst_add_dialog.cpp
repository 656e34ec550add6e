#include "editing/MultiLineTextBox.h"
#include "editing/frmAdd.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMap>
#include <QPushButton>

#include "EditingFixture.h"

using namespace EditingFixture;

// The add dialog as a whole (its group boxes and their switching, closing) and the adding of
// categories and districts.
class TestAddDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { MakeSmallDirectory(); }

    void layout()
    {
        frmAdd dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add New Information"));
        QCOMPARE(dialog.size(), TwipsSize(10695, 7065));
        QCOMPARE(Find<QGroupBox>(&dialog, "FramePlace")->geometry(), TwipsRect(120, 360, 5415, 6615));
        QCOMPARE(Find<QGroupBox>(&dialog, "FrameCat")->geometry(), TwipsRect(5880, 840, 4695, 1935));
        QCOMPARE(Find<QGroupBox>(&dialog, "FrameDistrict")->geometry(), TwipsRect(5880, 3960, 4695, 1935));
        QCOMPARE(Find<QPushButton>(&dialog, "Command4")->text(), QStringLiteral("&Close"));
        QVERIFY(Find<QPushButton>(&dialog, "CmdAddCat")->font().bold());

        // No typed text is cut by the database: each box holds what its column holds.
        QCOMPARE(Find<QLineEdit>(&dialog, "TxtCatName")->maxLength(), 50);
        QCOMPARE(Find<QLineEdit>(&dialog, "TxtNewDistrict")->maxLength(), 20);
        QCOMPARE(Find<QLineEdit>(&dialog, "TxtPlaceName")->maxLength(), 250);
        QCOMPARE(Find<QLineEdit>(&dialog, "TxtTelephone")->maxLength(), 100);
        QCOMPARE(Find<QLineEdit>(&dialog, "TxtURL")->maxLength(), 100);
        QCOMPARE(Find<MultiLineTextBox>(&dialog, "TxtMore")->maxLength(), 250);
        auto *address = Find<MultiLineTextBox>(&dialog, "TxtAddress");
        QCOMPARE(address->maxLength(), 400);
        Find<QCheckBox>(&dialog, "ChkAddPlace")->setChecked(true);
        Type(address, QString(399, QLatin1Char('a')) + QStringLiteral("bc"));
        QCOMPARE(address->text(), QString(399, QLatin1Char('a')) + QStringLiteral("b"));

        const QStringList expected = {
            QStringLiteral("ChkAddPlace"),    QStringLiteral("CmbPlaceParent"), QStringLiteral("TxtPlaceName"),
            QStringLiteral("CmbCity"),        QStringLiteral("CmbDistrict"),    QStringLiteral("TxtAddress"),
            QStringLiteral("TxtTelephone"),   QStringLiteral("TxtURL"),         QStringLiteral("TxtMore"),
            QStringLiteral("CmdAddPlace"),    QStringLiteral("ChkAddCat"),      QStringLiteral("CmbParentCat"),
            QStringLiteral("TxtCatName"),     QStringLiteral("CmdAddCat"),      QStringLiteral("CmbCityAdd"),
            QStringLiteral("ChkAddDistrict"), QStringLiteral("TxtNewDistrict"), QStringLiteral("CmdAddDistrict"),
            QStringLiteral("Command4")};
        QStringList order;
        QWidget *widget = Find<QWidget>(&dialog, "ChkAddPlace");
        do {
            if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
                order.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget->objectName() != QLatin1StringView("ChkAddPlace"));
        QCOMPARE(order, expected);
    }

    void groupBoxSwitching()
    {
        frmAdd dialog;
        auto *place = Find<QCheckBox>(&dialog, "ChkAddPlace");
        auto *cat = Find<QCheckBox>(&dialog, "ChkAddCat");
        auto *district = Find<QCheckBox>(&dialog, "ChkAddDistrict");
        const auto state = [&] {
            QString s;
            for (const char *frame : {"FramePlace", "FrameCat", "FrameDistrict"})
                s += Find<QGroupBox>(&dialog, frame)->isEnabled() ? QLatin1Char('E') : QLatin1Char('-');
            s += QLatin1Char(' ');
            for (const QCheckBox *box : {place, cat, district})
                s += box->isChecked() ? QLatin1Char('x') : QLatin1Char('-');
            return s;
        };
        QCOMPARE(state(), QStringLiteral("--- ---"));
        place->click();
        QCOMPARE(state(), QStringLiteral("E-- x--"));
        cat->click();
        QCOMPARE(state(), QStringLiteral("-E- -x-"));
        cat->click();
        QCOMPARE(state(), QStringLiteral("--- ---"));
        district->click();
        QCOMPARE(state(), QStringLiteral("--E --x"));
        place->click();
        QCOMPARE(state(), QStringLiteral("E-- x--"));
        // A disabled group box takes no input.
        QVERIFY(!Find<QLineEdit>(&dialog, "TxtCatName")->isEnabled());
    }

    void addCategory()
    {
        // Categories 1 to 5: the root entry and five more, so the new one gets 7.
        TestDatabase::Exec(QStringLiteral("delete from places_root where branch_id <> 0"));
        for (int id = 1; id <= 5; ++id)
            TestDatabase::Exec(QStringLiteral("insert into places_root values (%1, 'Cat %1', 0, 'N', 1)").arg(id));
        MessageRecorder messages;
        frmAdd dialog;
        Click(&dialog, "ChkAddCat");
        Choose(Find<QComboBox>(&dialog, "CmbParentCat"), QStringLiteral("* Root *"));
        Type(Find<QLineEdit>(&dialog, "TxtCatName"), QStringLiteral("  Tea Rooms"));
        Click(&dialog, "CmdAddCat");

        QCOMPARE(messages.count(), 0);
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select * from places_root where branch_id = 7")),
                 (QList<QStringList>{{QStringLiteral("7"), QStringLiteral("  Tea Rooms"), QStringLiteral("0"),
                                      QStringLiteral("N"), QStringLiteral("1")}}));
        QCOMPARE(TextOf(Find<QLineEdit>(&dialog, "TxtCatName")), QString());
        for (const char *name : {"CmbParentCat", "CmbPlaceParent"}) {
            const auto *box = Find<QComboBox>(&dialog, name);
            QCOMPARE(box->count(), 7);
            QCOMPARE(box->itemData(box->findText(QStringLiteral("  Tea Rooms"))).toInt(), 7);
            QCOMPARE(box->currentIndex(), -1);
        }
    }

    void categoryIdentifierAfterDeletes()
    {
        // Categories 4 and 7: the count gives 4, which is taken, so the next above the largest.
        frmAdd dialog;
        Click(&dialog, "ChkAddCat");
        Choose(Find<QComboBox>(&dialog, "CmbParentCat"), QStringLiteral("Food"));
        Type(Find<QLineEdit>(&dialog, "TxtCatName"), QStringLiteral("Joe's Diner"));
        const auto before = Snapshot();
        Click(&dialog, "CmdAddCat");
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select branch_id, branch_name, parent_id from places_root "
                                                   "where branch_id = 8")),
                 (QList<QStringList>{{QStringLiteral("8"), QStringLiteral("Joe's Diner"), QStringLiteral("4")}}));
        TestDatabase::Exec(QStringLiteral("delete from places_root where branch_id = 8"));
        QCOMPARE(Snapshot(), before);
    }

    void categoryRefusals()
    {
        TestDatabase::Exec(QStringLiteral("update places_root set branch_id = 32767 where branch_id = 7"));
        MessageRecorder messages;
        frmAdd dialog;
        Click(&dialog, "ChkAddCat");
        auto *name = Find<QLineEdit>(&dialog, "TxtCatName");
        auto *parent = Find<QComboBox>(&dialog, "CmbParentCat");
        const auto before = Snapshot();

        Type(name, QStringLiteral("   "));
        Click(&dialog, "CmdAddCat");
        QCOMPARE(messages.last().text, QStringLiteral("Error You Must Enter valid Category Name "));
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QCOMPARE(messages.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(messages.last().icon, QMessageBox::NoIcon);

        Type(name, QStringLiteral("Tea"));
        Type(parent, QStringLiteral("Nowhere"));
        Click(&dialog, "CmdAddCat");
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QVERIFY(messages.last().text.contains(QStringLiteral("Parent Category")));

        // Three entries give 4, taken; one above the largest would pass 32767.
        Choose(parent, QStringLiteral("Food"));
        Click(&dialog, "CmdAddCat");
        QCOMPARE(messages.count(), 3);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY(messages.last().text.contains(QStringLiteral("32767")));
        QCOMPARE(TextOf(name), QStringLiteral("Tea"));
        QCOMPARE(Snapshot(), before);
    }

    void refusedCategoryInsertIsTold()
    {
        TestDatabase::Refuse(QStringLiteral("insert"), QStringLiteral("places_root"));
        MessageRecorder messages;
        frmAdd dialog;
        Click(&dialog, "ChkAddCat");
        Choose(Find<QComboBox>(&dialog, "CmbParentCat"), QStringLiteral("Food"));
        Type(Find<QLineEdit>(&dialog, "TxtCatName"), QStringLiteral("Tea"));
        Click(&dialog, "CmdAddCat");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QVERIFY(messages.last().text.contains(QStringLiteral("refused by the test")));
        QCOMPARE(TextOf(Find<QLineEdit>(&dialog, "TxtCatName")), QStringLiteral("Tea"));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_root")).toInt(), 3);
    }

    void addDistrictWhileNarrowed()
    {
        for (int id = 6; id <= 12; ++id)
            TestDatabase::Exec(QStringLiteral("insert into places_district values (%1, 'D%1', 20)").arg(id));
        MessageRecorder messages;
        frmAdd dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Click(&dialog, "ChkAddPlace");
        auto *city = Find<QComboBox>(&dialog, "CmbCity");
        auto *districts = Find<QComboBox>(&dialog, "CmbDistrict");
        city->setFocus();
        Choose(city, QStringLiteral("Cairo"));
        Find<QLineEdit>(&dialog, "TxtPlaceName")->setFocus();
        QCOMPARE(districts->count(), 2);

        Click(&dialog, "ChkAddDistrict");
        Choose(Find<QComboBox>(&dialog, "CmbCityAdd"), QStringLiteral("Giza"));
        Type(Find<QLineEdit>(&dialog, "TxtNewDistrict"), QStringLiteral("O'Dokki "));
        Click(&dialog, "CmdAddDistrict");

        QCOMPARE(messages.count(), 0);
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select * from places_district where district_id = 13")),
                 (QList<QStringList>{{QStringLiteral("13"), QStringLiteral("O'Dokki "), QStringLiteral("3")}}));
        QCOMPARE(TextOf(Find<QLineEdit>(&dialog, "TxtNewDistrict")), QString());
        // All twelve old districts, the narrowing undone; the new one only from the next reload.
        QCOMPARE(districts->count(), 12);
        QCOMPARE(districts->findText(QStringLiteral("O'Dokki ")), -1);
    }

    void districtIdentifierAfterDeletes()
    {
        TestDatabase::Exec(QStringLiteral("delete from places_district where district_id = 2"));
        frmAdd dialog;
        Click(&dialog, "ChkAddDistrict");
        Choose(Find<QComboBox>(&dialog, "CmbCityAdd"), QStringLiteral("Aswan"));
        Type(Find<QLineEdit>(&dialog, "TxtNewDistrict"), QStringLiteral("Nubia"));
        Click(&dialog, "CmdAddDistrict");
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select * from places_district where district_id > 5")),
                 (QList<QStringList>{{QStringLiteral("6"), QStringLiteral("Nubia"), QStringLiteral("20")}}));
    }

    void districtRefusals()
    {
        MessageRecorder messages;
        frmAdd dialog;
        Click(&dialog, "ChkAddDistrict");
        const auto before = Snapshot();
        Type(Find<QLineEdit>(&dialog, "TxtNewDistrict"), QStringLiteral(" "));
        Click(&dialog, "CmdAddDistrict");
        QCOMPARE(messages.last().text, QStringLiteral("Error You Must Enter valid District Name "));
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));

        Type(Find<QLineEdit>(&dialog, "TxtNewDistrict"), QStringLiteral("Nubia"));
        Click(&dialog, "CmdAddDistrict");
        QCOMPARE(messages.last().title, QStringLiteral("Invalid data"));
        QVERIFY(messages.last().text.contains(QStringLiteral("City Name")));
        QCOMPARE(TextOf(Find<QLineEdit>(&dialog, "TxtNewDistrict")), QStringLiteral("Nubia"));
        QCOMPARE(Snapshot(), before);
    }

    void closeStoresNothing()
    {
        frmAdd dialog;
        dialog.show();
        Click(&dialog, "ChkAddCat");
        Choose(Find<QComboBox>(&dialog, "CmbParentCat"), QStringLiteral("Food"));
        Type(Find<QLineEdit>(&dialog, "TxtCatName"), QStringLiteral("Tea"));
        const auto before = Snapshot();
        Click(&dialog, "Command4");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(Snapshot(), before);
    }

    // Enter in a box stores nothing and never closes: a box of several lines starts a new line,
    // the others keep what they hold. On a focused "&Add" it adds, on "&Close" it does nothing.
    void enterAddsOnlyOnAFocusedAdd_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QByteArray>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome");
        const QList<QPair<const char *, QList<const char *>>> groups = {
            {"ChkAddPlace",
             {"ChkAddPlace", "CmbPlaceParent", "TxtPlaceName", "CmbCity", "CmbDistrict", "TxtAddress", "TxtTelephone",
              "TxtURL", "TxtMore", "CmdAddPlace", "Command4"}},
            {"ChkAddCat", {"ChkAddCat", "CmbParentCat", "TxtCatName", "CmdAddCat", "Command4"}},
            {"ChkAddDistrict", {"ChkAddDistrict", "CmbCityAdd", "TxtNewDistrict", "CmdAddDistrict", "Command4"}},
        };
        for (const auto &[group, controls] : groups) {
            for (const char *control : controls) {
                const QByteArray name(control);
                const QString outcome = name.startsWith("CmdAdd")                   ? QStringLiteral("added")
                                        : name == "TxtAddress" || name == "TxtMore" ? QStringLiteral("new line")
                                                                                    : QStringLiteral("nothing");
                for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter)})
                    QTest::addRow("%s, %s on %s", group, key == Qt::Key_Enter ? "keypad Enter" : "Enter", control)
                        << QByteArray(group) << name << key << outcome;
            }
        }
        QTest::newRow("Escape closes") << QByteArray("ChkAddPlace") << QByteArray("TxtPlaceName") << int(Qt::Key_Escape)
                                       << QStringLiteral("closed");
    }

    void enterAddsOnlyOnAFocusedAdd()
    {
        QFETCH(QByteArray, group);
        QFETCH(QByteArray, focus);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        MessageRecorder messages;
        frmAdd dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // Every box filled, so that a press of any "&Add" would store; a box takes typing only
        // while its group box is switched on.
        Choose(Find<QComboBox>(&dialog, "CmbPlaceParent"), QStringLiteral("Cafes"));
        Choose(Find<QComboBox>(&dialog, "CmbCity"), QStringLiteral("Cairo"));
        Choose(Find<QComboBox>(&dialog, "CmbDistrict"), QStringLiteral("Maadi"));
        Choose(Find<QComboBox>(&dialog, "CmbParentCat"), QStringLiteral("Food"));
        Choose(Find<QComboBox>(&dialog, "CmbCityAdd"), QStringLiteral("Aswan"));
        const QList<QPair<const char *, QString>> typed = {
            {"TxtPlaceName", QStringLiteral("Nile Boat")}, {"TxtAddress", QStringLiteral("1 Corniche")},
            {"TxtTelephone", QStringLiteral("02 9")},      {"TxtURL", QStringLiteral("http://boat.example")},
            {"TxtMore", QStringLiteral("fish")},           {"TxtCatName", QStringLiteral("Bakeries")},
            {"TxtNewDistrict", QStringLiteral("Nubia")}};
        const QMap<QByteArray, QByteArray> groupOf = {
            {"TxtPlaceName", "ChkAddPlace"},     {"TxtAddress", "ChkAddPlace"}, {"TxtTelephone", "ChkAddPlace"},
            {"TxtURL", "ChkAddPlace"},           {"TxtMore", "ChkAddPlace"},    {"TxtCatName", "ChkAddCat"},
            {"TxtNewDistrict", "ChkAddDistrict"}};
        QStringList expected;
        for (const auto &[box, text] : typed) {
            Find<QCheckBox>(&dialog, groupOf.value(box).constData())->setChecked(true);
            Type(Find<QWidget>(&dialog, box), text);
            expected.append(text +
                            (outcome == QLatin1String("new line") && focus == box ? QStringLiteral("\n") : QString()));
        }
        Find<QCheckBox>(&dialog, group.constData())->setChecked(true);
        const auto before = Snapshot();
        QWidget *target = Find<QWidget>(&dialog, focus.constData());
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));
        if (outcome == QLatin1String("closed")) {
            QVERIFY(!dialog.isVisible());
            QCOMPARE(Snapshot(), before);
            return;
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        if (outcome == QLatin1String("added")) {
            QVERIFY(Snapshot() != before);
            return;
        }
        QCOMPARE(Snapshot(), before);
        QStringList shown;
        for (const auto &[box, text] : typed)
            shown.append(TextOf(Find<QWidget>(&dialog, box)));
        QCOMPARE(shown, expected);
        QCOMPARE(Find<QCheckBox>(&dialog, group.constData())->isChecked(), true);
    }
};

TARNWICK_TEST_MAIN(TestAddDialog)
#include "tst_add_dialog.moc"
