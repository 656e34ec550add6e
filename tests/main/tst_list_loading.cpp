#include "data/SearchState.h"
#include "data/Transaction.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>
#include <memory>

using namespace BrowsingFixture;

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

// Places added under the root to the browsing directory, so that a load takes several steps.
constexpr int Added = 3000;
constexpr int Total = Added + 7;

// The rows 1000 to 1000 + Added - 1 of a counting query, in either dialect.
QString counting(const QString &select)
{
    return QStringLiteral("%1 from (with recursive n(i) as (select 1000 union all select i + 1 from n where i < %2) "
                          "select i from n) counted")
        .arg(select)
        .arg(1000 + Added - 1);
}

bool updateWindowOpen()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(),
                       [](QWidget *w) { return qobject_cast<frmUpdate *>(w) && w->isVisible(); });
}

} // namespace

// A long load of the places list lets the window paint and counts the places in the status
// bar; what the user does meanwhile never acts on half a list.
class TestListLoading : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> m_main;
    QTreeView *m_list = nullptr;

    // Runs `during` from the event loop of a load of every place.
    void loadAllWhile(const std::function<void()> &during, frmMain *window = nullptr)
    {
        if (!window)
            window = m_main.get();
        QTimer::singleShot(0, window, during);
        window->UpdateList(-1);
    }

    void clickButton(int index)
    {
        QToolBar *toolbar = m_main->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        QTest::mouseClick(toolbar->widgetForAction(m_main->ToolbarButton(index)), Qt::LeftButton);
    }

    // Where the first row lies once shown.
    void clickFirstRow() { QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(20, 5)); }

private Q_SLOTS:
    void initTestCase()
    {
        // Every load counts as long: the window takes events after the first step.
        frmMain::SetLoadProgressDelay(0);
    }

    void init()
    {
        Load();
        TestDatabase::Exec(
            {QStringLiteral("insert into places_leaves ") +
                 counting(QStringLiteral("select i, 'Bulk ' || i, '02 0000', 'Bulk St', 1, 1, NULL, NULL")),
             QStringLiteral("insert into places_branch_leaves ") + counting(QStringLiteral("select 0, i"))});
        m_main = std::make_unique<frmMain>();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_list = List(*m_main);
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmUpdate *>(window))
                delete window;
        }
        m_main.reset();
        Processing::SearchStr.clear();
    }

    void progressShowsInTheStatusBarUntilTheListIsWhole()
    {
        QString during;
        int shownDuring = -1;
        loadAllWhile([&] {
            during = PanelText(*m_main, 3);
            shownDuring = m_list->model()->rowCount();
        });
        QVERIFY2(during.startsWith(QLatin1StringView("Loading places: ")), qPrintable(during));
        const int read = QLocale().toInt(during.mid(16));
        QVERIFY2(read > 0 && read < Total, qPrintable(during));
        QCOMPARE(shownDuring, 0);
        QCOMPARE(PanelText(*m_main, 3), QString());
        QCOMPARE(m_list->model()->rowCount(), Total);
    }

    void exitDuringALoadDeletesTheWindowAfterIt()
    {
        // As in the program, the load runs from the event loop and Exit is clicked from the
        // load's own.
        QPointer<frmMain> window = m_main.release();
        bool aliveAfterLoad = false;
        QEventLoop loop;
        QTimer::singleShot(0, window, [&] {
            loadAllWhile(
                [window] {
                    QToolBar *toolbar = window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
                    QTest::mouseClick(toolbar->widgetForAction(window->ToolbarButton(17)), Qt::LeftButton);
                    // The load goes on taking events.
                    QCoreApplication::processEvents();
                },
                window);
            aliveAfterLoad = !window.isNull() && !window->isVisible();
            loop.quit();
        });
        loop.exec();
        QVERIFY(aliveAfterLoad);
        QTRY_VERIFY(!window);
    }

    void aClickDuringALoadNeverMeetsHalfAList_data()
    {
        QTest::addColumn<std::function<void(TestListLoading *)>>("click");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QStringList>("listed"); // empty: every place

        QTest::newRow("header: sorts the whole list once read")
            << std::function<void(TestListLoading *)>([](TestListLoading *t) { ClickHeader(t->m_list, 0); }) << true
            << QStringList();
        QTest::newRow("first row and Enter: no place to update")
            << std::function<void(TestListLoading *)>([](TestListLoading *t) {
                   t->clickFirstRow();
                   QTest::keyClick(t->m_list->viewport(), Qt::Key_Return);
               })
            << false << QStringList();
        QTest::newRow("first row and Update: no place to update")
            << std::function<void(TestListLoading *)>([](TestListLoading *t) {
                   t->clickFirstRow();
                   t->clickButton(6);
               })
            << false << QStringList();
        QTest::newRow("Refresh: the tree reads after the list")
            << std::function<void(TestListLoading *)>([](TestListLoading *t) { t->clickButton(5); }) << false
            << QStringList();
        QTest::newRow("another window stores: the list is read to its end first")
            << std::function<void(TestListLoading *)>([](TestListLoading *) {
                   QVERIFY(!Processing::RunAsOneWrite(
                       {QStringLiteral("update places_leaves set LEAF_NAME = LEAF_NAME where LEAF_ID = 1000")}));
               })
            << false << QStringList();
        QTest::newRow("a category: its places replace the load")
            << std::function<void(TestListLoading *)>([](TestListLoading *t) {
                   QTreeView *tree = Tree(*t->m_main);
                   tree->expandAll();
                   ClickNode(tree, NodeNamed(tree, QStringLiteral("Cafes")));
               })
            << false
            << QStringList{QStringLiteral("Cafe Nile"), QStringLiteral("Zephyr Cafe"), QStringLiteral("apple Tea")};
    }

    void aClickDuringALoadNeverMeetsHalfAList()
    {
        QFETCH(std::function<void(TestListLoading *)>, click);
        QFETCH(bool, sorted);
        QFETCH(QStringList, listed);

        m_main->UpdateList(-1);
        const QStringList everyPlace = Column(m_list, 0);
        QCOMPARE(everyPlace.size(), Total);

        int shownAfterClick = -1;
        loadAllWhile([&] {
            click(this);
            // A command that needs the whole list has read it by now, nothing else shows part.
            shownAfterClick = m_list->model()->rowCount();
        });
        QVERIFY(!updateWindowOpen());
        QCOMPARE(PanelText(*m_main, 3), QString());
        const QStringList names = Column(m_list, 0);
        QVERIFY2(shownAfterClick == 0 || shownAfterClick == names.size(), qPrintable(QString::number(shownAfterClick)));
        if (sorted) {
            QCOMPARE(shownAfterClick, 0);
            QStringList byName = everyPlace;
            std::stable_sort(byName.begin(), byName.end(),
                             [](const QString &a, const QString &b) { return a.toCaseFolded() < b.toCaseFolded(); });
            QCOMPARE(names, byName);
            QCOMPARE(m_list->header()->sortIndicatorSection(), 0);
            QCOMPARE(m_list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        } else if (listed.isEmpty()) {
            QCOMPARE(names, everyPlace);
        } else {
            QCOMPARE(names, listed);
        }
    }
};

TARNWICK_TEST_MAIN(TestListLoading)
#include "tst_list_loading.moc"
