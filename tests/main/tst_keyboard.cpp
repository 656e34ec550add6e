#include "editing/EditingFixture.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Find.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include <memory>

using namespace BrowsingFixture;

namespace {

// The named control that has the focus: an editable combo box's line edit counts as the box.
QString focused()
{
    for (QWidget *widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1StringView("qt_")))
            return widget->objectName();
    }
    return QString();
}

// The controls the Tab key visits, starting from the one with the focus, until it comes back.
QStringList tabOrder(QWidget *window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {QStringLiteral("window not active")};
    const QString first = focused();
    QStringList order{first};
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString next = focused();
        if (next == first)
            return order;
        order.append(next);
    }
    order.append(QStringLiteral("... no way back"));
    return order;
}

QStringList names(std::initializer_list<const char *> objects)
{
    QStringList list;
    for (const char *object : objects)
        list.append(QString::fromLatin1(object));
    return list;
}

} // namespace

// The keyboard alone runs every window: Tab visits the controls in their order (a disabled or
// hidden control is passed over) and Alt with a caption's underlined letter presses its button.
class TestKeyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> m_main;
    std::unique_ptr<MessageRecorder> m_messages;

private Q_SLOTS:
    void init()
    {
        Load();
        m_messages = std::make_unique<MessageRecorder>();
        m_main = std::make_unique<frmMain>();
    }

    void cleanup()
    {
        m_main.reset();
        m_messages.reset();
    }

    void searchDialogTabOrder()
    {

        FrmSearch dialog(*m_main);
        // The lists take part once their boxes have enabled them.
        for (const char *box : {"ChkCat", "ChkCity", "ChkDistrict"})
            Find<QCheckBox>(&dialog, box)->click();
        Find<QWidget>(&dialog, "CmdSearch")->setFocus();
        QCOMPARE(tabOrder(&dialog), names({"CmdSearch", "CmdCancel", "LstCat", "LstCity", "LstDistrict", "ChkCat",
                                           "ChkCity", "ChkDistrict", "TxtPlaceName", "OptStart"}));
    }

    void searchDialogTabOrderWithTheListsDisabled()
    {
        // The four options are one stop, at the option last chosen; the arrow keys move between them.
        FrmSearch dialog(*m_main);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::mouseClick(Find<QRadioButton>(&dialog, "OptContain"), Qt::LeftButton);
        Find<QWidget>(&dialog, "CmdSearch")->setFocus();
        QCOMPARE(tabOrder(&dialog),
                 names({"CmdSearch", "CmdCancel", "ChkCat", "ChkCity", "ChkDistrict", "TxtPlaceName", "OptContain"}));
    }

    void addDialogTabOrder_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("nothing ticked") << QString()
                                        << names({"ChkAddPlace", "ChkAddCat", "ChkAddDistrict", "Command4"});
        QTest::newRow("place") << QStringLiteral("ChkAddPlace")
                               << names({"ChkAddPlace", "CmbPlaceParent", "TxtPlaceName", "CmbCity", "CmbDistrict",
                                         "TxtAddress", "TxtTelephone", "TxtURL", "TxtMore", "CmdAddPlace", "ChkAddCat",
                                         "ChkAddDistrict", "Command4"});
        QTest::newRow("category") << QStringLiteral("ChkAddCat")
                                  << names({"ChkAddPlace", "ChkAddCat", "CmbParentCat", "TxtCatName", "CmdAddCat",
                                            "ChkAddDistrict", "Command4"});
        // The city box comes before its check box.
        QTest::newRow("district") << QStringLiteral("ChkAddDistrict")
                                  << names({"ChkAddPlace", "ChkAddCat", "CmbCityAdd", "ChkAddDistrict",
                                            "TxtNewDistrict", "CmdAddDistrict", "Command4"});
    }

    void addDialogTabOrder()
    {
        QFETCH(QString, box);
        QFETCH(QStringList, order);
        frmAdd dialog;
        if (!box.isEmpty())
            Find<QCheckBox>(&dialog, qPrintable(box))->setChecked(true);
        Find<QWidget>(&dialog, "ChkAddPlace")->setFocus();
        QCOMPARE(tabOrder(&dialog), order);
    }

    void updateWindowTabOrder()
    {
        QPointer<frmUpdate> window = new frmUpdate;
        Find<QWidget>(window, "CmbPlaceParent")->setFocus();
        QCOMPARE(tabOrder(window), names({"CmbPlaceParent", "TxtPlaceName", "CmbCity", "CmbDistrict", "TxtAddress",
                                          "TxtTelephone", "TxtMore", "TxtURL", "CmdUpdate", "CmdCancel"}));
        delete window;
    }

    void altAAddsInTheGroupThatIsOn()
    {
        // Three buttons read "&Add"; only the one in the enabled group answers Alt+A.
        frmAdd dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const auto count = [](const char *table) {
            return TestDatabase::Scalar(QStringLiteral("select count(*) from %1").arg(QLatin1StringView(table)))
                .toInt();
        };
        const int categories = count("places_root");
        const int districts = count("places_district");

        Find<QCheckBox>(&dialog, "ChkAddCat")->setChecked(true);
        auto *parent = Find<QComboBox>(&dialog, "CmbParentCat");
        parent->setCurrentIndex(parent->findText(QStringLiteral("Food")));
        auto *category = Find<QLineEdit>(&dialog, "TxtCatName");
        category->setFocus();
        QTest::keyClicks(category, QStringLiteral("Bakeries"));
        QTest::keyClick(category, Qt::Key_A, Qt::AltModifier);
        // A button pressed by its key shows itself pressed a moment before it acts.
        QTRY_COMPARE(count("places_root"), categories + 1);
        QCOMPARE(count("places_district"), districts);
        QVERIFY(category->text().isEmpty());

        Find<QCheckBox>(&dialog, "ChkAddDistrict")->setChecked(true);
        auto *city = Find<QComboBox>(&dialog, "CmbCityAdd");
        city->setCurrentIndex(city->findText(QStringLiteral("Giza")));
        auto *district = Find<QLineEdit>(&dialog, "TxtNewDistrict");
        district->setFocus();
        QTest::keyClicks(district, QStringLiteral("Haram"));
        QTest::keyClick(district, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(count("places_district"), districts + 1);
        QCOMPARE(count("places_root"), categories + 1);
        QCOMPARE(m_messages->count(), 0);

        // Alt+C closes.
        QTest::keyClick(district, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!dialog.isVisible());
    }

    void altUUpdatesAndAltCCancels()
    {
        QPointer<frmUpdate> window = new frmUpdate;
        EditingFixture::LoadPlace(window, 2);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const auto &[box, entry] :
             {std::pair{"CmbPlaceParent", "Food"}, std::pair{"CmbCity", "Giza"}, std::pair{"CmbDistrict", "Dokki"}}) {
            auto *combo = Find<QComboBox>(window, box);
            combo->setCurrentIndex(combo->findText(QLatin1StringView(entry)));
        }
        auto *name = Find<QLineEdit>(window, "TxtPlaceName");
        name->setFocus();
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Food Court"));
        QTest::keyClick(name, Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where leaf_id = 2")),
                 QVariant(QStringLiteral("Food Court")));

        window = new frmUpdate;
        EditingFixture::LoadPlace(window, 2);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        name = Find<QLineEdit>(window, "TxtPlaceName");
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Never stored"));
        QTest::keyClick(name, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select leaf_name from places_leaves where leaf_id = 2")),
                 QVariant(QStringLiteral("Food Court")));
    }
};

TARNWICK_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
