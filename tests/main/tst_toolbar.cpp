#include "data/connection/Connection.h"
#include "data/statements/Queries.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/Inspect.h"
#include "support/Recorders.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/Pictures.h"

#include <QAction>
#include <QHelpEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QTreeView>

#include <memory>

using namespace BrowsingFixture;

namespace {

// Conditions that each pick one place of the fixture.
const QString A = QStringLiteral(" places_leaves.leaf_id = 1");
const QString B = QStringLiteral(" places_leaves.leaf_id = 2");
const QString C = QStringLiteral(" places_leaves.leaf_id = 3");
const QString D = QStringLiteral(" places_leaves.leaf_id = 4");

} // namespace

// The toolbar's entries in place and what each command does to the search, tree and list.
class TestToolbar : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<frmMain> window;
    QTreeView *tree = nullptr;
    QTreeView *list = nullptr;

    void press(ToolbarEntry entry) { window->ToolbarButton(entry)->trigger(); }

    // The tool tip the button shows when the pointer rests on it, empty for none.
    QString toolTipShown(ToolbarEntry entry)
    {
        QWidget *button =
            window->findChild<QToolBar *>(QStringLiteral("Toolbar1"))->widgetForAction(window->ToolbarButton(entry));
        const QPoint centre = button->rect().center();
        // The tip of the button before fades out on a timer: a new tip shows as a changed text.
        const QString before = QToolTip::isVisible() ? QToolTip::text() : QString();
        QHelpEvent event(QEvent::ToolTip, centre, button->mapToGlobal(centre));
        QCoreApplication::sendEvent(button, &event);
        const QString after = QToolTip::isVisible() ? QToolTip::text() : QString();
        return after == before ? QString() : after;
    }

    static QImage image(const QIcon &icon) { return icon.pixmap(25, 25).toImage(); }

private Q_SLOTS:
    void init()
    {
        Load();
        window = std::make_unique<frmMain>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        tree = Tree(*window);
        list = List(*window);
    }

    void cleanup() { window.reset(); }

    void seventeenEntriesInPlace()
    {
        struct Entry
        {
            ToolbarEntry entry;
            const char *caption;
            const char *toolTip;
            int picture;
        };
        const Entry buttons[] = {
            {ToolbarEntry::Dinning, "Dinning", "Find on the internet", 1},
            {ToolbarEntry::Search, "Search", "Find Place", 2},
            {ToolbarEntry::Add, "Add", "Add New Items", 3},
            {ToolbarEntry::Internet, "Internet", "Open Internet Window", 4},
            {ToolbarEntry::Refresh, "Refresh", "Show all Places", 5},
            {ToolbarEntry::Update, "Update", "Update Record", 7},
            {ToolbarEntry::Delete, "Delete", "", 10},
            {ToolbarEntry::Back, "Back", "", 8},
            {ToolbarEntry::Forward, "Forward", "", 9},
            {ToolbarEntry::DeleteCategory, "Delete Cat", "", 11},
            {ToolbarEntry::Exit, "Exit ", "Exit Application", 6},
        };
        auto *bar = window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        // Each entry's number is its place on the bar, counted from 1.
        QCOMPARE(bar->actions().size(), int(ToolbarEntry::Exit));
        for (int place = 1; place <= int(ToolbarEntry::Exit); ++place)
            QCOMPARE(window->ToolbarButton(ToolbarEntry(place)), bar->actions().at(place - 1));
        for (const Entry &entry : buttons) {
            QAction *action = window->ToolbarButton(entry.entry);
            QCOMPARE(action->text(), QString::fromLatin1(entry.caption));
            QCOMPARE(action->objectName(), QStringLiteral("Button%1").arg(int(entry.entry)));
            QCOMPARE(toolTipShown(entry.entry), QString::fromLatin1(entry.toolTip));
            QCOMPARE(image(action->icon()), image(ToolbarPicture(entry.picture)));
        }
        const ToolbarEntry gaps[] = {ToolbarEntry::Separator1,  ToolbarEntry::Separator2,
                                     ToolbarEntry::Separator3,  ToolbarEntry::Separator4,
                                     ToolbarEntry::Placeholder, ToolbarEntry::WidePlaceholder};
        for (ToolbarEntry separator :
             {ToolbarEntry::Separator1, ToolbarEntry::Separator2, ToolbarEntry::Separator3, ToolbarEntry::Separator4})
            QVERIFY(window->ToolbarButton(separator)->isSeparator());
        for (ToolbarEntry entry : {ToolbarEntry::Placeholder, ToolbarEntry::WidePlaceholder}) {
            QAction *placeholder = window->ToolbarButton(entry);
            QVERIFY(!placeholder->isSeparator());
            QVERIFY(placeholder->text().isEmpty());
            QVERIFY(bar->widgetForAction(placeholder));
        }
        QWidget *fixed = bar->widgetForAction(window->ToolbarButton(ToolbarEntry::WidePlaceholder));
        QCOMPARE(fixed->minimumWidth(), fixed->maximumWidth());

        // Separators and placeholders do nothing, clicked or called.
        window->UpdateList(3);
        window->SetSearchStr(A);
        for (ToolbarEntry gap : gaps) {
            press(gap);
            window->Toolbar1_ButtonClick(gap);
        }
        QVERIFY(window->isVisible());
        QCOMPARE(Inspect::SearchStr(*window), A);
        QCOMPARE(list->model()->rowCount(), 3);
    }

    void internetStartsTheBrowserWithoutAddress()
    {
        BrowserRecorder browser;
        press(ToolbarEntry::Internet);
        QCOMPARE(browser.started(), QStringList{QString()});
    }

    void refreshClearsTheSearchAndRebuildsTheTreeOnly()
    {
        window->setsearch(A);
        ClickExpandSign(tree, Node(tree, QStringLiteral("BR 1")));
        QVERIFY(Node(tree, QStringLiteral("BR 4")).isValid());
        window->UpdateList(3);
        window->SetSearchStr(B);

        press(ToolbarEntry::Refresh);
        QCOMPARE(Inspect::SearchStr(*window), QString());
        QVERIFY(!Node(tree, QStringLiteral("BR 4")).isValid());
        QCOMPARE(Nodes(tree).size(), 7);
        // The list is not reloaded.
        QCOMPARE(list->model()->rowCount(), 3);

        // The history survives: Back restores what was recorded before.
        press(ToolbarEntry::Back);
        QCOMPARE(Inspect::SearchStr(*window), A);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Tourist Office")});
    }

    void backAndForwardRestoreAndList()
    {
        window->setsearch(A);
        window->setsearch(B);
        window->setsearch(C);
        press(ToolbarEntry::Back);
        QCOMPARE(Inspect::SearchStr(*window), C);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Cafe Nile")});
        press(ToolbarEntry::Back);
        QCOMPARE(Inspect::SearchStr(*window), B);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("food court")});
        press(ToolbarEntry::Back);
        QCOMPARE(Inspect::SearchStr(*window), A);
        press(ToolbarEntry::Back);
        QCOMPARE(Inspect::SearchStr(*window), C);
        press(ToolbarEntry::Forward);
        QCOMPARE(Inspect::SearchStr(*window), A);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Tourist Office")});

        // A new search recorded meanwhile does not move where stepping goes on from.
        press(ToolbarEntry::Forward);
        QCOMPARE(Inspect::SearchStr(*window), B);
        window->setsearch(D);
        press(ToolbarEntry::Back);
        QCOMPARE(Inspect::SearchStr(*window), A);
        press(ToolbarEntry::Forward);
        press(ToolbarEntry::Forward);
        press(ToolbarEntry::Forward);
        QCOMPARE(Inspect::SearchStr(*window), D);
        QCOMPARE(Column(list, 0), QStringList{QStringLiteral("Zephyr Cafe")});
    }

    void backStepsThroughAllFiveKeptSearches()
    {
        // Six searches, for places 1 to 5 and 7 (each listed once): the sixth overwrites the
        // first, and Back from the ring's start visits slots 4, 3, 2, 1, 0 and 4 again.
        const QStringList names{QStringLiteral("Tourist Office"), QStringLiteral("food court"),
                                QStringLiteral("Cafe Nile"),      QStringLiteral("Zephyr Cafe"),
                                QStringLiteral("apple Tea"),      QString(),
                                QStringLiteral("Green Tea House")};
        const auto condition = [](int place) { return QStringLiteral(" places_leaves.leaf_id = %1").arg(place); };
        for (int place : {1, 2, 3, 4, 5, 7})
            window->setsearch(condition(place));
        StatementTrace trace;
        for (int place : {5, 4, 3, 2, 7, 5}) {
            trace.clear();
            press(ToolbarEntry::Back);
            QCOMPARE(Inspect::SearchStr(*window), condition(place));
            // Only SQLite can show what reached the database; the list shows it on both.
            if (trace.active())
                QCOMPARE(trace.statements(),
                         QStringList{Processing::DbConn().sent(Processing::GetPlacesQuery(-1) +
                                                               QStringLiteral(" AND ") + condition(place))});
            QCOMPARE(Column(list, 0), QStringList{names.at(place - 1)});
        }
        if (!trace.active())
            QSKIP(StatementTrace::NotSeen);
    }

    void steppingAnEmptyHistoryOnlyClearsTheSearch()
    {
        window->UpdateList(3);
        for (ToolbarEntry step : {ToolbarEntry::Back, ToolbarEntry::Forward}) {
            window->SetSearchStr(A);
            press(step);
            QCOMPARE(Inspect::SearchStr(*window), QString());
            QCOMPARE(list->model()->rowCount(), 3);
        }
    }

    void exitClosesTheMainWindowOnly()
    {
        // Run inside the application's own event loop, which ends the program when the last
        // window closes.
        QWidget other;
        other.setWindowTitle(QStringLiteral("Another window"));
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QPointer<frmMain> main = window.release();
        bool runningAfterExit = false;
        bool otherOpenAfterExit = false;
        connect(main, &QObject::destroyed, &other, [&] {
            QTimer::singleShot(0, &other, [&] {
                runningAfterExit = true;
                otherOpenAfterExit = other.isVisible();
                other.close();
            });
        });
        QTimer::singleShot(0, main, [&] { main->ToolbarButton(ToolbarEntry::Exit)->trigger(); });
        QVERIFY(TestSupport::RunEventLoopUntilQuit());
        QVERIFY(main.isNull());
        QVERIFY(runningAfterExit);
        QVERIFY(otherOpenAfterExit);
    }
};

TARNWICK_TEST_MAIN(TestToolbar)

#include "tst_toolbar.moc"
