#include "data/DbError.h"
#include "search/FrmSearch.h"
#include "search/SearchHost.h"
#include "support/Find.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Records what the dialog asks of the window it searches for, in order.
class RecordingHost : public SearchHost
{
public:
    void setsearch(const QString &Srchstr) override { calls.append(QStringLiteral("setsearch:") + Srchstr); }
    void SetSearchStr(const QString &Srchstr) override { SearchStr = Srchstr; }
    void InitForm() override { calls.append(QStringLiteral("InitForm")); }
    void UpdateList(qint32 Branch_ID) override
    {
        calls.append(QStringLiteral("UpdateList:%1").arg(Branch_ID));
        if (failReload)
            throw Processing::DbError(QStringLiteral("The places could not be listed."));
    }

    QStringList calls;
    QString SearchStr;
    bool failReload = false;
};

// Entries after "* All *" as "text|id", sorted, to compare with rows of the database.
QStringList rowsShown(const QListWidget *list)
{
    QStringList shown;
    for (int i = 1; i < list->count(); ++i)
        shown.append(list->item(i)->text() + QLatin1Char('|') + list->item(i)->data(Qt::UserRole).toString());
    shown.sort();
    return shown;
}

QStringList rowsStored(const QString &sql)
{
    QStringList stored;
    for (const QStringList &row : TestDatabase::Rows(sql))
        stored.append(row.join(QLatin1Char('|')));
    stored.sort();
    return stored;
}

bool startsWithAll(const QListWidget *list)
{
    return list->count() > 0 && list->item(0)->text() == QStringLiteral("* All *") &&
           list->item(0)->data(Qt::UserRole).toInt() == 0;
}

// Clicks the entry carrying an identifier (0 is "* All *"), toggling its selection.
void clickEntry(QListWidget *list, int id)
{
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        if (item->data(Qt::UserRole).toInt() == id) {
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("%1 has no entry %2").arg(list->objectName()).arg(id)));
}

} // namespace

// The "Find Place" dialog on a real database: its layout, its lists, the narrowing of the
// districts, and what "&Search" does with the choices.
class TestSearchDialog : public QObject
{
    Q_OBJECT

    RecordingHost m_host;
    std::unique_ptr<FrmSearch> m_dialog;
    std::unique_ptr<MessageRecorder> m_messages;

    template<typename Widget = QWidget> Widget *control(const char *name) { return Find<Widget>(m_dialog.get(), name); }

    void open()
    {
        m_dialog = std::make_unique<FrmSearch>(m_host);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    void click(const char *name) { QTest::mouseClick(control(name), Qt::LeftButton); }

private Q_SLOTS:
    void init()
    {
        TestDatabase::ResetWithSample();
        m_host.calls.clear();
        m_host.failReload = false;
        m_messages = std::make_unique<MessageRecorder>();
        m_host.SearchStr = QStringLiteral(" ( earlier ) ");
    }

    void cleanup()
    {
        m_dialog.reset();
        m_messages.reset();
    }

    void layout()
    {
        open();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Find Place"));
        QCOMPARE(m_dialog->size(), TwipsSize(8970, 5025));

        const struct
        {
            const char *name;
            QRect geometry;
            QString caption;
        } controls[] = {
            {"Frame1", TwipsRect(120, 240, 4935, 1935), QStringLiteral("-")},
            {"Label1", TwipsRect(120, 360, 1095, 255), QStringLiteral("Place Name")},
            {"TxtPlaceName", TwipsRect(1440, 240, 3255, 360), QString()},
            {"OptStart", TwipsRect(120, 720, 1335, 255), QStringLiteral("Starts with")},
            {"OptEnd", TwipsRect(1560, 720, 1335, 255), QStringLiteral("Ends with")},
            {"OptContain", TwipsRect(120, 1200, 1095, 255), QStringLiteral("Contains")},
            {"OptExact", TwipsRect(1560, 1200, 1215, 255), QStringLiteral("Exactly")},
            {"ChkCat", TwipsRect(5280, 240, 1095, 255), QStringLiteral("Category")},
            {"LstCat", TwipsRect(5280, 600, 3615, 1635), QString()},
            {"ChkCity", TwipsRect(120, 2280, 1095, 255), QStringLiteral("City")},
            {"LstCity", TwipsRect(120, 2640, 3375, 1635), QString()},
            {"ChkDistrict", TwipsRect(5280, 2280, 1095, 255), QStringLiteral("District")},
            {"LstDistrict", TwipsRect(5280, 2640, 3615, 1635), QString()},
            {"CmdSearch", TwipsRect(5640, 4440, 1575, 495), QStringLiteral("&Search")},
            {"CmdCancel", TwipsRect(7320, 4440, 1575, 495), QStringLiteral("&Cancel")},
            {"Label3", TwipsRect(120, 4320, 1095, 255), QStringLiteral("Telephone")},
            {"Text3", TwipsRect(120, 4680, 3495, 360), QString()},
        };
        for (const auto &expected : controls) {
            QWidget *widget = control(expected.name);
            QCOMPARE(widget->geometry(), expected.geometry);
            QString caption;
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                caption = button->text();
            else if (auto *label = qobject_cast<QLabel *>(widget))
                caption = label->text();
            else if (auto *frame = qobject_cast<QGroupBox *>(widget))
                caption = frame->title();
            else if (auto *edit = qobject_cast<QLineEdit *>(widget))
                caption = edit->text();
            QCOMPARE(caption, expected.caption);
        }
        for (const char *inFrame : {"Label1", "TxtPlaceName", "OptStart", "OptEnd", "OptContain", "OptExact"})
            QCOMPARE(control(inFrame)->parentWidget(), control("Frame1"));
        QVERIFY(!control("Label3")->isVisible());
        QVERIFY(!control("Text3")->isVisible());

        for (const char *boldFace : {"Label1", "OptStart", "OptExact", "ChkCity", "CmdSearch", "CmdCancel"}) {
            QVERIFY2(control(boldFace)->font().bold(), boldFace);
            QCOMPARE(control(boldFace)->font().pointSizeF(), 8.25);
        }
        QCOMPARE(control("TxtPlaceName")->font().pointSizeF(), 9.75);
        QVERIFY(!control("TxtPlaceName")->font().bold());

        // Initial state: boxes cleared, lists disabled, no option, an empty name, the focus
        // on the first control of the tab order that can take it.
        for (const char *box : {"ChkCat", "ChkCity", "ChkDistrict"})
            QVERIFY(!control<QCheckBox>(box)->isChecked());
        for (const char *list : {"LstCat", "LstCity", "LstDistrict"})
            QVERIFY(!control(list)->isEnabled());
        for (const char *option : {"OptStart", "OptEnd", "OptContain", "OptExact"})
            QVERIFY(!control<QRadioButton>(option)->isChecked());
        QVERIFY(control<QLineEdit>("TxtPlaceName")->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), control("CmdSearch"));

        const QList<QWidget *> order{control("CmdSearch"), control("CmdCancel"),   control("LstCat"),
                                     control("LstCity"),   control("LstDistrict"), control("ChkCat"),
                                     control("ChkCity"),   control("ChkDistrict"), control("TxtPlaceName"),
                                     control("OptStart"),  control("OptEnd"),      control("OptContain"),
                                     control("OptExact")};
        QList<QWidget *> chain;
        for (QWidget *w = order.first(); chain.size() < order.size(); w = w->nextInFocusChain()) {
            if (order.contains(w))
                chain.append(w);
        }
        QCOMPARE(chain, order);
    }

    void accessKeys()
    {
        open();
        // An access key presses its button after a short visible press.
        QTest::keyClick(m_dialog.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_messages->texts(), QStringList{QStringLiteral(" You Must enter Searching Criteria ")});
        QVERIFY(m_dialog->isVisible());
        QTest::keyClick(m_dialog.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_host.calls.isEmpty());
    }

    void listsAndTheirBoxes()
    {
        open();
        auto *cat = control<QListWidget>("LstCat");
        auto *city = control<QListWidget>("LstCity");
        auto *district = control<QListWidget>("LstDistrict");
        QVERIFY(startsWithAll(cat) && startsWithAll(city) && startsWithAll(district));
        QCOMPARE(rowsShown(cat),
                 rowsStored(QStringLiteral("select branch_name, branch_id from places_root where branch_id <> 0")));
        QCOMPARE(rowsShown(city), rowsStored(QStringLiteral("select ename, code from cm_city")));
        QCOMPARE(rowsShown(district), rowsStored(QStringLiteral("select district_name, district_id from "
                                                                "places_district")));
        QCOMPARE(cat->selectionMode(), QAbstractItemView::MultiSelection);

        // A box clicked twice is cleared again, but its list stays enabled; the others are
        // untouched.
        click("ChkCat");
        click("ChkCat");
        QVERIFY(!control<QCheckBox>("ChkCat")->isChecked());
        QVERIFY(cat->isEnabled());
        QVERIFY(!city->isEnabled() && !district->isEnabled());
        click("ChkDistrict");
        QVERIFY(district->isEnabled());
        QVERIFY(!city->isEnabled());
    }

    void tablesWithoutRows()
    {
        TestDatabase::Reset();
        open();
        for (const char *list : {"LstCat", "LstCity", "LstDistrict"})
            QCOMPARE(control<QListWidget>(list)->count(), 0);
        // Every list ticked but empty: nothing is chosen, and nothing breaks.
        click("ChkCat");
        click("ChkCity");
        click("ChkDistrict");
        click("CmdSearch");
        QCOMPARE(m_messages->texts(), QStringList{QStringLiteral(" You Must enter Searching Criteria ")});
    }

    void narrowingTheDistricts()
    {
        open();
        auto *city = control<QListWidget>("LstCity");
        auto *district = control<QListWidget>("LstDistrict");
        const auto leaveCities = [&] {
            QTest::keyClick(city, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), district);
        };
        // The City box is cleared again: the narrowing happens all the same.
        click("ChkCity");
        click("ChkCity");
        click("ChkDistrict");
        clickEntry(district, 1);
        QCOMPARE(district->selectedItems().size(), 1);

        clickEntry(city, 3);
        leaveCities();
        QVERIFY(startsWithAll(district));
        QCOMPARE(rowsShown(district), rowsStored(QStringLiteral("select district_name, district_id from "
                                                                "places_district where city_id = 3")));
        QVERIFY(district->selectedItems().isEmpty());

        clickEntry(city, 2);
        leaveCities();
        QCOMPARE(rowsShown(district), rowsStored(QStringLiteral("select district_name, district_id from "
                                                                "places_district where city_id in (2, 3)")));

        clickEntry(city, 2);
        clickEntry(city, 3);
        leaveCities();
        QCOMPARE(district->count(), 0);

        // "* All *" with another city: every district.
        clickEntry(city, 0);
        clickEntry(city, 4);
        leaveCities();
        QVERIFY(startsWithAll(district));
        QCOMPARE(district->count(), 31);
        QVERIFY(m_messages->texts().isEmpty());
    }

    void searchHandsTheConditionToTheHost()
    {
        open();
        QTest::keyClicks(control("TxtPlaceName"), QStringLiteral("Joe's"));
        click("OptContain");
        click("ChkCat");
        clickEntry(control<QListWidget>("LstCat"), 12);
        click("ChkCity");
        clickEntry(control<QListWidget>("LstCity"), 3);
        click("CmdSearch");

        const QString expected =
            QStringLiteral(" ( places_leaves.city = 3 ) AND (  places_branch_leaves.branch_id = 12 )  AND ( upper "
                           "(Leaf_Name) like upper ('%Joe''s%') ) ");
        QCOMPARE(m_host.calls, (QStringList{QStringLiteral("setsearch:") + expected, QStringLiteral("InitForm"),
                                            QStringLiteral("UpdateList:-1")}));
        QCOMPARE(m_host.SearchStr, expected);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(m_messages->texts().isEmpty());
    }

    void noCriteria()
    {
        open();
        // "* All *" with another city is no criterion, nor is a selection in an unticked list.
        click("ChkCity");
        clickEntry(control<QListWidget>("LstCity"), 0);
        clickEntry(control<QListWidget>("LstCity"), 5);
        click("ChkCat");
        clickEntry(control<QListWidget>("LstCat"), 3);
        click("ChkCat");
        click("OptStart");
        click("CmdSearch");

        QCOMPARE(m_messages->count(), 1);
        const MsgBoxRequest &shown = m_messages->last();
        QCOMPARE(shown.text, QStringLiteral(" You Must enter Searching Criteria "));
        QCOMPARE(shown.title, QStringLiteral("Error"));
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
        QVERIFY(m_host.SearchStr.isEmpty());
        QVERIFY(m_host.calls.isEmpty());

        // Every choice is still there.
        QVERIFY(m_dialog->isVisible());
        QVERIFY(control<QCheckBox>("ChkCity")->isChecked());
        QCOMPARE(control<QListWidget>("LstCity")->selectedItems().size(), 2);
        QCOMPARE(control<QListWidget>("LstCat")->selectedItems().size(), 1);
        QVERIFY(control<QRadioButton>("OptStart")->isChecked());
    }

    void failingLoads()
    {
        // A table that cannot be read empties its own list only, with one message.
        TestDatabase::Exec(QStringLiteral("drop table cm_city"));
        open();
        QCOMPARE(m_messages->count(), 1);
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(control<QListWidget>("LstCity")->count(), 0);
        QVERIFY(startsWithAll(control<QListWidget>("LstCat")));
        QVERIFY(startsWithAll(control<QListWidget>("LstDistrict")));

        // Narrowing on a district table gone away: one message, the list as it was (the user's
        // choices in it kept), a usable dialog.
        m_messages->clear();
        const int districts = control<QListWidget>("LstDistrict")->count();
        TestDatabase::Exec(QStringLiteral("drop table places_district"));
        click("ChkCity");
        auto *city = control<QListWidget>("LstCity");
        city->setFocus();
        QCOMPARE(QApplication::focusWidget(), city);
        QTest::keyClick(city, Qt::Key_Tab);
        QCOMPARE(m_messages->count(), 1);
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(control<QListWidget>("LstDistrict")->count(), districts);
        QVERIFY(m_dialog->isVisible());
        QTest::keyClicks(control("TxtPlaceName"), QStringLiteral("Dokki"));
        click("CmdSearch");
        QCOMPARE(m_host.calls.size(), 3);
        QVERIFY(!m_dialog->isVisible());
    }

    // Enter in any control searches as "&Search" does; on a focused button it presses that
    // button, except "&Cancel", which only Escape (or Space, or Alt+C) presses.
    void enterSearchesEscapeCancels_data()
    {
        QTest::addColumn<QByteArray>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("reloadFails");
        QTest::addColumn<QString>("outcome");
        const QString name = QStringLiteral("Nile");
        for (const char *control : {"TxtPlaceName", "OptStart", "OptEnd", "OptContain", "OptExact", "ChkCat", "LstCat",
                                    "ChkCity", "LstCity", "ChkDistrict", "LstDistrict", "CmdSearch"})
            QTest::addRow("Enter in %s", control)
                << QByteArray(control) << int(Qt::Key_Return) << name << false << QStringLiteral("searched");
        QTest::newRow("keypad Enter in the name")
            << QByteArray("TxtPlaceName") << int(Qt::Key_Enter) << name << false << QStringLiteral("searched");
        QTest::newRow("Enter without criteria")
            << QByteArray("TxtPlaceName") << int(Qt::Key_Return) << QString() << false << QStringLiteral("no criteria");
        QTest::newRow("Enter in a list without criteria")
            << QByteArray("LstDistrict") << int(Qt::Key_Return) << QString() << false << QStringLiteral("no criteria");
        QTest::newRow("Enter, the list fails to reload")
            << QByteArray("OptEnd") << int(Qt::Key_Return) << name << true << QStringLiteral("failed");
        QTest::newRow("Enter on Cancel") << QByteArray("CmdCancel") << int(Qt::Key_Return) << name << false
                                         << QStringLiteral("nothing");
        QTest::newRow("keypad Enter on Cancel")
            << QByteArray("CmdCancel") << int(Qt::Key_Enter) << name << false << QStringLiteral("nothing");
        QTest::newRow("Escape in the name")
            << QByteArray("TxtPlaceName") << int(Qt::Key_Escape) << name << false << QStringLiteral("cancelled");
        QTest::newRow("Escape in a list")
            << QByteArray("LstCity") << int(Qt::Key_Escape) << name << false << QStringLiteral("cancelled");
    }

    void enterSearchesEscapeCancels()
    {
        QFETCH(QByteArray, focus);
        QFETCH(int, key);
        QFETCH(QString, name);
        QFETCH(bool, reloadFails);
        QFETCH(QString, outcome);
        m_host.failReload = reloadFails;
        open();
        // Every list enabled, every box cleared again: only the name is a criterion.
        for (const char *box : {"ChkCat", "ChkCity", "ChkDistrict"}) {
            click(box);
            click(box);
        }
        QTest::keyClicks(control("TxtPlaceName"), name);
        QWidget *target = control(focus.constData());
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);

        const QString condition = QStringLiteral("  ( upper (Leaf_Name) like upper ('Nile') ) ");
        const QStringList searched{QStringLiteral("setsearch:") + condition, QStringLiteral("InitForm"),
                                   QStringLiteral("UpdateList:-1")};
        if (outcome == QLatin1String("searched") || outcome == QLatin1String("cancelled")) {
            QTRY_VERIFY(!m_dialog->isVisible());
            const bool searchedNow = outcome == QLatin1String("searched");
            QCOMPARE(m_dialog->result(), int(searchedNow ? QDialog::Accepted : QDialog::Rejected));
            QCOMPARE(m_host.calls, searchedNow ? searched : QStringList());
            QVERIFY(m_messages->texts().isEmpty());
            return;
        }
        // The dialog stays open with every choice, the focus where it was.
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(control<QLineEdit>("TxtPlaceName")->text(), name);
        QCOMPARE(QApplication::focusWidget(), target);
        if (outcome == QLatin1String("no criteria")) {
            QCOMPARE(m_messages->texts(), QStringList{QStringLiteral(" You Must enter Searching Criteria ")});
            QVERIFY(m_host.calls.isEmpty());
        } else if (outcome == QLatin1String("failed")) {
            QCOMPARE(m_messages->count(), 1);
            QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
            QCOMPARE(m_host.calls, searched);
        } else {
            QVERIFY(m_messages->texts().isEmpty());
            QVERIFY(m_host.calls.isEmpty());
        }
    }
};

TARNWICK_TEST_MAIN(TestSearchDialog)
#include "tst_search_dialog.moc"
