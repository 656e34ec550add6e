#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Inspect.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

template<typename Widget = QWidget> Widget *control(QWidget &dialog, const char *name)
{
    auto *widget = dialog.findChild<Widget *>(QLatin1StringView(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void click(QWidget &dialog, const char *name)
{
    QTest::mouseClick(control(dialog, name), Qt::LeftButton);
}

void pick(QWidget &dialog, const char *list, QList<int> ids)
{
    auto *widget = control<QListWidget>(dialog, list);
    for (int i = 0; i < widget->count(); ++i) {
        QListWidgetItem *item = widget->item(i);
        if (ids.removeOne(item->data(Qt::UserRole).toInt())) {
            widget->scrollToItem(item);
            QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, widget->visualItemRect(item).center());
        }
    }
    QVERIFY2(ids.isEmpty(), list);
}

// The choices of one search, as a user makes them in the dialog.
struct Choices
{
    QList<int> categories;
    QList<int> cities;
    QList<int> districts;
    QString name;
    const char *option = nullptr;
};

void choose(QWidget &dialog, const Choices &choices)
{
    const auto list = [&dialog](const char *box, const char *list, const QList<int> &ids) {
        if (ids.isEmpty())
            return;
        click(dialog, box);
        pick(dialog, list, ids);
    };
    list("ChkCat", "LstCat", choices.categories);
    list("ChkCity", "LstCity", choices.cities);
    list("ChkDistrict", "LstDistrict", choices.districts);
    QTest::keyClicks(control(dialog, "TxtPlaceName"), choices.name);
    if (choices.option)
        click(dialog, choices.option);
}

} // namespace

// Searching from the main window: the toolbar opens the dialog, the condition reloads the
// places list over all categories, and the history keeps it for "Back".
class TestSearchWindow : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;
    std::unique_ptr<MessageRecorder> m_messages;

    // Opens the dialog from the toolbar and drives it; a dialog the drive leaves open is
    // cancelled afterwards, and the result tells whether that happened.
    bool openSearch(const std::function<void(FrmSearch &)> &drive)
    {
        bool leftOpen = false;
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<FrmSearch *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = true;
            drive(*dialog);
            if (dialog->isVisible()) {
                leftOpen = true;
                dialog->reject();
            }
        });
        m_main->ToolbarButton(ToolbarEntry::Search)->trigger();
        if (!opened)
            qWarning("the search dialog did not open");
        return leftOpen;
    }

    bool search(const Choices &choices)
    {
        return openSearch([&choices](FrmSearch &dialog) {
            choose(dialog, choices);
            click(dialog, "CmdSearch");
        });
    }

    QList<int> listed() const
    {
        QList<int> ids;
        for (int row = 0; row < BrowsingFixture::Places(*m_main)->rowCount(); ++row)
            ids.append(BrowsingFixture::Places(*m_main)->PlaceId(row));
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    QString newestRecorded() const
    {
        const SearchHistory &history = Inspect::History(*m_main);
        return Inspect::Slot(history, Inspect::WriteIndex(history) - 1);
    }

private Q_SLOTS:
    void init()
    {
        TestDatabase::ResetWithSample();
        TestDatabase::Exec(QStringList{
            QStringLiteral("insert into places_leaves values (61, 'Joe''s Diner', '1', 'Corner', 1, 1, 'm', NULL)"),
            QStringLiteral("insert into places_branch_leaves values (2, 61)"),
            QStringLiteral("insert into places_leaves values (62, '   ', '2', 'Nameless', 1, 2, 'n', NULL)"),
            QStringLiteral("insert into places_branch_leaves values (4, 62)"),
        });
        m_messages = std::make_unique<MessageRecorder>();
        m_main = new frmMain;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.data()));
    }

    void cleanup()
    {
        delete m_main.data();
        m_messages.reset();
    }

    void searchByCityAndName()
    {
        QVERIFY(!search({{}, {3}, {}, QStringLiteral("dokki"), "OptContain"}));
        const QString expected =
            QStringLiteral(" ( places_leaves.city = 3 )  AND ( upper (Leaf_Name) like upper ('%dokki%') ) ");
        QCOMPARE(Inspect::SearchStr(*m_main), expected);
        QCOMPARE(newestRecorded(), expected);
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        // The tree was rebuilt from its root: its first two levels only.
        const QAbstractItemModel *tree = m_main->findChild<QTreeView *>(QStringLiteral("CatTree"))->model();
        QCOMPARE(tree->rowCount(), 1);
        QCOMPARE(tree->rowCount(tree->index(0, 0)), 4);
        QVERIFY(m_messages->texts().isEmpty());
    }

    void citiesAndDistrictsWidenCategoriesNarrow()
    {
        // The district list narrows to the chosen cities when the focus leaves the city list;
        // a district of another city stays chosen when it is picked first and Enter searches
        // from the city list. Clicking "Search" would narrow first wherever focus follows clicks.
        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {}, {16}, QString(), nullptr});
            choose(dialog, {{}, {2}, {}, QString(), nullptr});
            QTest::keyClick(control(dialog, "LstCity"), Qt::Key_Return);
        }));
        QCOMPARE(listed(), (QList<int>{13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 33, 35}));
        QVERIFY(!search({{12}, {}, {}, QStringLiteral("Museum"), "OptEnd"}));
        QCOMPARE(listed(), (QList<int>{19, 30, 39}));
    }

    void typedNames()
    {
        QVERIFY(!search({{}, {}, {}, QStringLiteral("joe's"), "OptStart"}));
        QCOMPARE(listed(), QList<int>{61});
        QCOMPARE(Inspect::SearchStr(*m_main), QStringLiteral("  ( upper (Leaf_Name) like upper ('joe''s%') ) "));

        QVERIFY(!search({{}, {}, {}, QStringLiteral("   "), nullptr}));
        QCOMPARE(listed(), QList<int>{62});
        QCOMPARE(Inspect::SearchStr(*m_main), QStringLiteral("  ( upper (Leaf_Name) like upper ('   ') ) "));

        // Wildcards typed by the user keep their meaning.
        QVERIFY(!search({{}, {}, {}, QStringLiteral("%pharmac_"), "OptExact"}));
        QCOMPARE(listed(), (QList<int>{6, 16, 24, 37, 46, 56}));

        // A search that finds nothing is still recorded.
        QVERIFY(!search({{}, {}, {}, QStringLiteral("Joe's"), "OptExact"}));
        QVERIFY(listed().isEmpty());
        QCOMPARE(newestRecorded(), QStringLiteral("  ( upper (Leaf_Name) like upper ('Joe''s') ) "));
        QCOMPARE(Inspect::WriteIndex(Inspect::History(*m_main)), 4);
        QVERIFY(m_messages->texts().isEmpty());
    }

    void backRestoresSearches()
    {
        QVERIFY(!search({{}, {3}, {}, QStringLiteral("dokki"), "OptContain"}));
        const QString first = Inspect::SearchStr(*m_main);
        QVERIFY(!search({{}, {}, {}, QStringLiteral("Joe's"), "OptStart"}));
        const QString second = Inspect::SearchStr(*m_main);

        m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger(); // no condition, the ring kept
        QVERIFY(Inspect::SearchStr(*m_main).isEmpty());
        m_main->ToolbarButton(ToolbarEntry::Back)->trigger();
        QCOMPARE(Inspect::SearchStr(*m_main), second);
        QCOMPARE(listed(), QList<int>{61});
        m_main->ToolbarButton(ToolbarEntry::Back)->trigger();
        QCOMPARE(Inspect::SearchStr(*m_main), first);
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        m_main->ToolbarButton(ToolbarEntry::Forward)->trigger();
        QCOMPARE(Inspect::SearchStr(*m_main), second);
    }

    void cancelCloseBoxAndNoCriteria()
    {
        QVERIFY(!search({{}, {3}, {}, QStringLiteral("dokki"), "OptContain"}));
        const QString current = Inspect::SearchStr(*m_main);

        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {1}, {}, QStringLiteral("Joe"), nullptr});
            click(dialog, "CmdCancel");
        }));
        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{4}, {}, {}, QString(), nullptr});
            dialog.close();
        }));
        QCOMPARE(Inspect::SearchStr(*m_main), current);
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        QCOMPARE(Inspect::WriteIndex(Inspect::History(*m_main)), 1);

        // No criterion: the message, the dialog stays open, and only the condition is gone.
        QVERIFY(openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {0, 5}, {}, QString(), "OptStart"});
            click(dialog, "CmdSearch");
        }));
        QCOMPARE(m_messages->texts(), QStringList{QStringLiteral(" You Must enter Searching Criteria ")});
        QVERIFY(Inspect::SearchStr(*m_main).isEmpty());
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        QCOMPARE(Inspect::WriteIndex(Inspect::History(*m_main)), 1);
    }

    void freshAtEveryOpening()
    {
        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {1}, {}, QStringLiteral("x"), "OptEnd"});
            click(dialog, "CmdCancel");
        }));
        TestDatabase::Exec(QStringLiteral("insert into cm_city (CODE, ENAME) values (99, 'Zzz Town')"));
        bool fresh = false;
        int newCity = -1;
        openSearch([&](FrmSearch &dialog) {
            auto *cities = control<QListWidget>(dialog, "LstCity");
            fresh = !control<QCheckBox>(dialog, "ChkCity")->isChecked() && !cities->isEnabled() &&
                    cities->selectedItems().isEmpty() && control<QLineEdit>(dialog, "TxtPlaceName")->text().isEmpty() &&
                    !control<QRadioButton>(dialog, "OptEnd")->isChecked();
            const QList<QListWidgetItem *> found = cities->findItems(QStringLiteral("Zzz Town"), Qt::MatchExactly);
            if (found.size() == 1)
                newCity = found.first()->data(Qt::UserRole).toInt();
            click(dialog, "CmdCancel");
        });
        QVERIFY(fresh);
        QCOMPARE(newCity, 99);
    }

    void failingReload()
    {
        // The reload fails after the condition was applied: one message, the condition stays
        // recorded, and the dialog stays open with the choices so the user can retry or cancel.
        const QString expected = QStringLiteral(" (  places_branch_leaves.branch_id = 12 ) ");
        bool choicesKept = false;
        QVERIFY(openSearch([&](FrmSearch &dialog) {
            choose(dialog, {{12}, {}, {}, QString(), nullptr});
            TestDatabase::Exec(QStringLiteral("drop table cm_city"));
            click(dialog, "CmdSearch");
            choicesKept = control<QCheckBox>(dialog, "ChkCat")->isChecked() &&
                          control<QListWidget>(dialog, "LstCat")->selectedItems().size() == 1;
        }));
        QVERIFY(choicesKept);
        QCOMPARE(m_messages->count(), 1);
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(Inspect::SearchStr(*m_main), expected);
        QCOMPARE(newestRecorded(), expected);

        // The main window carries on: the search opens again, and Refresh rebuilds the tree.
        m_messages->clear();
        QVERIFY(!openSearch([](FrmSearch &dialog) { click(dialog, "CmdCancel"); }));
        m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        const QAbstractItemModel *tree = m_main->findChild<QTreeView *>(QStringLiteral("CatTree"))->model();
        QCOMPARE(tree->rowCount(tree->index(0, 0)), 4);
        // The city list could not load: that one message.
        QCOMPARE(m_messages->count(), 1);
    }
};

TARNWICK_TEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
