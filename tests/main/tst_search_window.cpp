#include "main/BrowsingFixture.h"
#include "main/Listing.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Find.h"
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
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

void click(QWidget &dialog, const char *name)
{
    QTest::mouseClick(Find<QWidget>(&dialog, name), Qt::LeftButton);
}

void pick(QWidget &dialog, const char *list, QList<int> ids)
{
    auto *widget = Find<QListWidget>(&dialog, list);
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
    QTest::keyClicks(Find<QWidget>(&dialog, "TxtPlaceName"), choices.name);
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

    // The list a search that closes its dialog fills; an empty listing where it stays open.
    Listing searched(const Choices &choices)
    {
        bool leftOpen = true;
        const Listing shown = ListingAfter(*m_main, [&] { leftOpen = search(choices); });
        return leftOpen ? Listing() : shown;
    }

    Listing stepped(ToolbarEntry entry)
    {
        return ListingAfter(*m_main, [&] { m_main->ToolbarButton(entry)->trigger(); });
    }

    // How many searches the window recorded, empty ones too, counted round the ring of five;
    // only before Back or Forward left the ring's start. Five searches more fill every slot, and
    // which of them Back then restores first tells where they began.
    int recordedSoFar()
    {
        const auto place = [](int n) { return QStringLiteral(" places_leaves.leaf_id = %1").arg(n); };
        for (int n = 1; n <= 5; ++n)
            m_main->setsearch(place(n));
        const Listing restored = stepped(ToolbarEntry::Back);
        for (int n = 1; n <= 5; ++n) {
            if (restored == WholeUnder(place(n)))
                return (5 - n) % 5;
        }
        return -1;
    }

    QList<int> listed() const
    {
        QList<int> ids;
        for (int row = 0; row < BrowsingFixture::Places(*m_main)->rowCount(); ++row)
            ids.append(BrowsingFixture::Places(*m_main)->PlaceId(row));
        std::sort(ids.begin(), ids.end());
        return ids;
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
        const QString expected =
            QStringLiteral(" ( places_leaves.city = 3 )  AND ( upper (Leaf_Name) like upper ('%dokki%') ) ");
        QCOMPARE(searched({{}, {3}, {}, QStringLiteral("dokki"), "OptContain"}), WholeUnder(expected));
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        // The tree was rebuilt from its root: its first two levels only.
        const QAbstractItemModel *tree = m_main->findChild<QTreeView *>(QStringLiteral("CatTree"))->model();
        QCOMPARE(tree->rowCount(), 1);
        QCOMPARE(tree->rowCount(tree->index(0, 0)), 4);
        QVERIFY(m_messages->texts().isEmpty());
        // Recorded: the newest search is the one Back restores first.
        QCOMPARE(stepped(ToolbarEntry::Back), WholeUnder(expected));
    }

    void citiesAndDistrictsWidenCategoriesNarrow()
    {
        // The district list narrows to the chosen cities when the focus leaves the city list;
        // a district of another city stays chosen when it is picked first and Enter searches
        // from the city list. Clicking "Search" would narrow first wherever focus follows clicks.
        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {}, {16}, QString(), nullptr});
            choose(dialog, {{}, {2}, {}, QString(), nullptr});
            QTest::keyClick(Find<QWidget>(&dialog, "LstCity"), Qt::Key_Return);
        }));
        QCOMPARE(listed(), (QList<int>{13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 33, 35}));
        QVERIFY(!search({{12}, {}, {}, QStringLiteral("Museum"), "OptEnd"}));
        QCOMPARE(listed(), (QList<int>{19, 30, 39}));
    }

    void typedNames()
    {
        const Listing joes = searched({{}, {}, {}, QStringLiteral("joe's"), "OptStart"});
        QCOMPARE(listed(), QList<int>{61});
        QCOMPARE(joes, WholeUnder(QStringLiteral("  ( upper (Leaf_Name) like upper ('joe''s%') ) ")));

        QCOMPARE(searched({{}, {}, {}, QStringLiteral("   "), nullptr}),
                 WholeUnder(QStringLiteral("  ( upper (Leaf_Name) like upper ('   ') ) ")));
        QCOMPARE(listed(), QList<int>{62});

        // Wildcards typed by the user keep their meaning.
        QVERIFY(!search({{}, {}, {}, QStringLiteral("%pharmac_"), "OptExact"}));
        QCOMPARE(listed(), (QList<int>{6, 16, 24, 37, 46, 56}));

        // A search that finds nothing is still recorded: Back restores it first, and Forward
        // goes on round to the first of the four.
        QVERIFY(!search({{}, {}, {}, QStringLiteral("Joe's"), "OptExact"}));
        QVERIFY(listed().isEmpty());
        QVERIFY(m_messages->texts().isEmpty());
        QCOMPARE(stepped(ToolbarEntry::Back),
                 WholeUnder(QStringLiteral("  ( upper (Leaf_Name) like upper ('Joe''s') ) ")));
        QCOMPARE(stepped(ToolbarEntry::Forward), joes);
        QCOMPARE(recordedSoFar(), 4);
    }

    void backRestoresSearches()
    {
        const Listing first = searched({{}, {3}, {}, QStringLiteral("dokki"), "OptContain"});
        const Listing second = searched({{}, {}, {}, QStringLiteral("Joe's"), "OptStart"});
        QCOMPARE(second.places, QList<int>{61});
        QCOMPARE(first.places, (QList<int>{23, 28, 29}));

        m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger(); // no condition, the ring kept
        QCOMPARE(ReloadedWhole(*m_main), WholeUnder(QString()));
        QCOMPARE(stepped(ToolbarEntry::Back), second);
        QCOMPARE(stepped(ToolbarEntry::Back), first);
        QCOMPARE(stepped(ToolbarEntry::Forward), second);
    }

    void cancelCloseBoxAndNoCriteria()
    {
        const Listing current = searched({{}, {3}, {}, QStringLiteral("dokki"), "OptContain"});
        QCOMPARE(current.places, (QList<int>{23, 28, 29}));

        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {1}, {}, QStringLiteral("Joe"), nullptr});
            click(dialog, "CmdCancel");
        }));
        QVERIFY(!openSearch([](FrmSearch &dialog) {
            choose(dialog, {{4}, {}, {}, QString(), nullptr});
            dialog.close();
        }));
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        QCOMPARE(ReloadedWhole(*m_main), current);

        // No criterion: the message, the dialog stays open, and only the condition is gone.
        QVERIFY(openSearch([](FrmSearch &dialog) {
            choose(dialog, {{}, {0, 5}, {}, QString(), "OptStart"});
            click(dialog, "CmdSearch");
        }));
        QCOMPARE(m_messages->texts(), QStringList{QStringLiteral(" You Must enter Searching Criteria ")});
        QCOMPARE(listed(), (QList<int>{23, 28, 29}));
        QCOMPARE(ReloadedWhole(*m_main), WholeUnder(QString()));
        // Neither the cancelled searches nor the one without criteria were recorded.
        QCOMPARE(recordedSoFar(), 1);
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
            auto *cities = Find<QListWidget>(&dialog, "LstCity");
            fresh = !Find<QCheckBox>(&dialog, "ChkCity")->isChecked() && !cities->isEnabled() &&
                    cities->selectedItems().isEmpty() && Find<QLineEdit>(&dialog, "TxtPlaceName")->text().isEmpty() &&
                    !Find<QRadioButton>(&dialog, "OptEnd")->isChecked();
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
        // The reset makes cm_city anew but knows nothing of the renamed one, which a server keeps.
        const auto dropRenamed =
            qScopeGuard([] { TestDatabase::Exec(QStringLiteral("drop table if exists cm_city_gone")); });
        bool choicesKept = false;
        QVERIFY(openSearch([&](FrmSearch &dialog) {
            choose(dialog, {{12}, {}, {}, QString(), nullptr});
            TestDatabase::Exec(QStringLiteral("alter table cm_city rename to cm_city_gone"));
            click(dialog, "CmdSearch");
            choicesKept = Find<QCheckBox>(&dialog, "ChkCat")->isChecked() &&
                          Find<QListWidget>(&dialog, "LstCat")->selectedItems().size() == 1;
        }));
        QVERIFY(choicesKept);
        QCOMPARE(m_messages->count(), 1);
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        // With the table back for a moment: the condition is in force, and the search recorded.
        TestDatabase::Exec(QStringLiteral("alter table cm_city_gone rename to cm_city"));
        QCOMPARE(ReloadedWhole(*m_main), WholeUnder(expected));
        QCOMPARE(stepped(ToolbarEntry::Back), WholeUnder(expected));
        TestDatabase::Exec(QStringLiteral("alter table cm_city rename to cm_city_gone"));

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
