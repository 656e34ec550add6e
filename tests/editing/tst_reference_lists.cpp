#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

#include "EditingFixture.h"

using namespace EditingFixture;

// The category, city and district lists of both editing windows, and the narrowing of the
// districts to a city when the focus leaves the city box.
class TestReferenceLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { MakeSmallDirectory(); }

    void addDialogLists()
    {
        frmAdd dialog;
        for (const char *name : {"CmbCity", "CmbCityAdd"}) {
            const auto *box = Find<QComboBox>(&dialog, name);
            QCOMPARE(Texts(box),
                     (QStringList{QStringLiteral("Giza"), QStringLiteral("Cairo"), QStringLiteral("Aswan")}));
            QCOMPARE(Ids(box), (QList<int>{3, 12, 20}));
            QCOMPARE(box->currentIndex(), -1);
        }
        const auto *districts = Find<QComboBox>(&dialog, "CmbDistrict");
        QCOMPARE(Texts(districts),
                 (QStringList{QStringLiteral("Zamalek"), QStringLiteral("Dokki"), QStringLiteral("Maadi"),
                              QStringLiteral("Haram"), QStringLiteral("Agouza")}));
        QCOMPARE(Ids(districts), (QList<int>{1, 2, 3, 4, 5}));
        for (const char *name : {"CmbParentCat", "CmbPlaceParent"}) {
            const auto *box = Find<QComboBox>(&dialog, name);
            QCOMPARE(Texts(box),
                     (QStringList{QStringLiteral("* Root *"), QStringLiteral("Food"), QStringLiteral("Cafes")}));
            QCOMPARE(Ids(box), (QList<int>{0, 4, 7}));
            QCOMPARE(box->currentIndex(), -1);
        }
    }

    void updateWindowLists()
    {
        QPointer<frmUpdate> window = new frmUpdate;
        QCOMPARE(Ids(Find<QComboBox>(window, "CmbPlaceParent")), (QList<int>{0, 4, 7}));
        QCOMPARE(Ids(Find<QComboBox>(window, "CmbCity")), (QList<int>{3, 12, 20}));
        QCOMPARE(Ids(Find<QComboBox>(window, "CmbDistrict")), (QList<int>{1, 2, 3, 4, 5}));
        delete window;
    }

    void rootStaysWithoutCategories()
    {
        TestDatabase::Exec(QStringLiteral("delete from places_root where branch_id <> 0"));
        frmAdd dialog;
        QCOMPARE(Texts(Find<QComboBox>(&dialog, "CmbParentCat")), QStringList{QStringLiteral("* Root *")});
        QCOMPARE(Texts(Find<QComboBox>(&dialog, "CmbPlaceParent")), QStringList{QStringLiteral("* Root *")});
    }

    void typedTextIsNoChoice()
    {
        frmAdd dialog;
        Find<QCheckBox>(&dialog, "ChkAddPlace")->setChecked(true);
        auto *city = Find<QComboBox>(&dialog, "CmbCity");
        Choose(city, QStringLiteral("Cairo"));
        QCOMPARE(city->currentIndex(), 1);
        // Text that names no entry leaves none chosen and is never added as an entry.
        Type(city, QStringLiteral("Atlantis"));
        QCOMPARE(city->currentIndex(), -1);
        QCOMPARE(city->currentText(), QStringLiteral("Atlantis"));
        QTest::keyClick(city->lineEdit(), Qt::Key_Return);
        QCOMPARE(city->count(), 3);
        QCOMPARE(city->currentIndex(), -1);
        // Typing an entry's exact name chooses it.
        Type(city, QStringLiteral("Aswan"));
        QCOMPARE(city->currentIndex(), 2);
    }

    void leavingTheCityNarrowsTheDistricts_data()
    {
        QTest::addColumn<bool>("addDialog");
        QTest::newRow("add dialog") << true;
        QTest::newRow("update window") << false;
    }

    void leavingTheCityNarrowsTheDistricts()
    {
        QFETCH(bool, addDialog);
        MessageRecorder messages;
        QPointer<QWidget> window = addDialog ? static_cast<QWidget *>(new frmAdd) : new frmUpdate;
        if (addDialog)
            Find<QCheckBox>(window, "ChkAddPlace")->setChecked(true);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *city = Find<QComboBox>(window, "CmbCity");
        auto *districts = Find<QComboBox>(window, "CmbDistrict");
        auto *name = Find<QLineEdit>(window, "TxtPlaceName");

        Choose(districts, QStringLiteral("Haram"));
        city->setFocus();
        Choose(city, QStringLiteral("Cairo"));
        name->setFocus();
        QCOMPARE(Texts(districts), (QStringList{QStringLiteral("Zamalek"), QStringLiteral("Maadi")}));
        QCOMPARE(Ids(districts), (QList<int>{1, 3}));
        QCOMPARE(districts->currentIndex(), -1);

        // Leaving again with the same city gives the same entries, not a doubled list.
        city->setFocus();
        name->setFocus();
        QCOMPARE(Ids(districts), (QList<int>{1, 3}));

        // Typed text that is no city changes nothing.
        city->setFocus();
        Type(city, QStringLiteral("Atlantis"));
        name->setFocus();
        QCOMPARE(Ids(districts), (QList<int>{1, 3}));

        city->setFocus();
        Choose(city, QStringLiteral("Aswan"));
        name->setFocus();
        QCOMPARE(districts->count(), 0);
        QCOMPARE(messages.count(), 0);
        delete window;
    }

    void districtCityChangesNoList()
    {
        frmAdd dialog;
        Find<QCheckBox>(&dialog, "ChkAddDistrict")->setChecked(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *cityAdd = Find<QComboBox>(&dialog, "CmbCityAdd");
        cityAdd->setFocus();
        Choose(cityAdd, QStringLiteral("Cairo"));
        Find<QLineEdit>(&dialog, "TxtNewDistrict")->setFocus();
        QCOMPARE(Find<QComboBox>(&dialog, "CmbDistrict")->count(), 5);
    }

    void failingListIsReported()
    {
        // A list that cannot be read is told once, and the window still opens.
        TestDatabase::Exec(QStringLiteral("drop table cm_city"));
        MessageRecorder messages;
        frmAdd dialog;
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(Find<QComboBox>(&dialog, "CmbCity")->count(), 0);
    }
};

TARNWICK_TEST_MAIN(TestReferenceLists)
#include "tst_reference_lists.moc"
