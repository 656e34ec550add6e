#include "main/BrowsingFixture.h"
#include "main/Listing.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
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
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(ReloadedWhole(*window), WholeUnder(A));
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
        QVERIFY(!Node(tree, QStringLiteral("BR 4")).isValid());
        QCOMPARE(Nodes(tree).size(), 7);
        // The list is not reloaded.
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(ReloadedWhole(*window), WholeUnder(QString()));

        // The history survives: Back restores what was recorded before.
        QCOMPARE(ListingAfter(*window, [this] { press(ToolbarEntry::Back); }), WholeUnder(A));
    }

    void backAndForwardStepThroughTheRing_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("an empty ring restores nothing and stays at its start") << "B- F- r1 r2 r3 F2 B1";
        QTest::newRow("an empty search is kept, and passed over") << "r- r1 r2 F1 B2";
        QTest::newRow("empty slots passed over, both ways round") << "r1 r2 r3 B3 B2 B1 B3 F1 F2";
        QTest::newRow("recording does not move where stepping goes on from") << "r1 r2 r3 B3 B2 r4 B1 F2 F3 F4";
        QTest::newRow("the sixth search takes the first's slot, the seventh the second's")
            << "r1 r2 r3 r4 r5 r6 r7 B5 B4 B3 B7 B6 B5";
    }

    // Each word: rN records the search for place N (r- an empty one), as the search dialog
    // does; BN and FN press Back and Forward, after which the list shows place N's search,
    // B- and F- where nothing is restored.
    void backAndForwardStepThroughTheRing()
    {
        QFETCH(QString, script);
        window->UpdateList(3);
        for (const QString &word : script.split(u' ')) {
            const QString place = word.mid(1);
            const QString condition =
                place == u"-" ? QString() : QStringLiteral(" places_leaves.leaf_id = %1").arg(place);
            if (word.startsWith(u'r')) {
                window->setsearch(condition);
                continue;
            }
            // A step that restores nothing still drops the search in force.
            window->SetSearchStr(A);
            const QStringList before = Column(list, 0);
            const ToolbarEntry step = word.startsWith(u'B') ? ToolbarEntry::Back : ToolbarEntry::Forward;
            const Listing shown = ListingAfter(*window, [&] { press(step); });
            if (condition.isEmpty()) {
                QVERIFY2(shown.statements.isEmpty(), qPrintable(word));
                QCOMPARE(Column(list, 0), before);
                QCOMPARE(ReloadedWhole(*window), WholeUnder(QString()));
            } else {
                QVERIFY2(shown == WholeUnder(condition), qPrintable(word));
            }
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
