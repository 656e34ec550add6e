#include "editing/EditingFixture.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>

using namespace BrowsingFixture;

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

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

// Records what paints while a list loads.
class PaintWitness : public QObject
{
public:
    PaintWitness(QLabel *panel, const frmMain &main) : m_panel(panel), m_main(main) { panel->installEventFilter(this); }
    QStringList painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_panel && event->type() == QEvent::Paint && m_main.ListLoading())
            painted.append(m_panel->text());
        return false;
    }

private:
    QLabel *m_panel;
    const frmMain &m_main;
};

} // namespace

// A long list loads in steps from the event loop: the window paints meanwhile, and what the
// user does meanwhile either replaces the load or waits for it, never runs inside it.
class TestListLoading : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;
    QTreeView *m_list = nullptr;
    QTreeView *m_tree = nullptr;
    std::unique_ptr<MessageRecorder> m_messages;

public:
    using Action = std::function<void(TestListLoading *)>;

    void clickButton(ToolbarEntry entry)
    {
        QToolBar *toolbar = m_main->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        QTest::mouseClick(toolbar->widgetForAction(m_main->ToolbarButton(entry)), Qt::LeftButton);
    }

    void startLongLoad()
    {
        m_main->UpdateList(-1);
        QVERIFY(m_main->ListLoading());
        QCOMPARE(m_list->model()->rowCount(), 0);
    }

    // Until no list loads and what waited for it has run: that runs from the event loop, queued
    // as the load ended, so a call queued after it has run once it has.
    void waitForTheList()
    {
        QTRY_VERIFY(!m_main || !m_main->ListLoading());
        bool queuedAfter = false;
        QTimer::singleShot(0, this, [&queuedAfter] { queuedAfter = true; });
        QTRY_VERIFY(queuedAfter);
    }

private Q_SLOTS:
    void init()
    {
        Load();
        TestDatabase::Exec(
            {QStringLiteral("insert into places_leaves ") +
                 counting(QStringLiteral("select i, 'Bulk ' || i, '02 0000', 'Bulk St', 1, 1, NULL, NULL")),
             QStringLiteral("insert into places_branch_leaves ") + counting(QStringLiteral("select 0, i")),
             // Food's list is long as well.
             QStringLiteral("insert into places_branch_leaves ") + counting(QStringLiteral("select 1, i"))});
        m_messages = std::make_unique<MessageRecorder>();
        // Every load counts as long and reads one step of rows between two paints.
        m_main = new frmMain({.listLoad = {0, 0}});
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        m_list = List(*m_main);
        m_tree = Tree(*m_main);
    }

    void cleanup()
    {
        EditingFixture::DeleteUpdateWindows();
        delete m_main;
        m_messages.reset();
    }

    void theWindowPaintsAndAnswersWhileTheListLoads()
    {
        auto *panel = m_main->findChild<QLabel *>(QStringLiteral("Panel3"));
        const PaintWitness witness(panel, *m_main);
        QString heard;
        // As a screen reader's question arrives: from the event loop, while the list loads.
        QTimer::singleShot(0, m_main, [&] {
            if (m_main->ListLoading())
                heard = QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Name);
        });
        startLongLoad();
        QVERIFY2(panel->text().startsWith(QLatin1StringView("Loading places: ")), qPrintable(panel->text()));
        waitForTheList();
        QVERIFY2(!witness.painted.isEmpty() &&
                     witness.painted.first().startsWith(QLatin1StringView("Loading places: ")),
                 qPrintable(witness.painted.join(QLatin1Char('|'))));
        QVERIFY2(heard.startsWith(QLatin1StringView("Loading places: ")), qPrintable(heard));
        QCOMPARE(panel->text(), QString());
        QCOMPARE(m_list->model()->rowCount(), Total);
        QCOMPARE(m_messages->count(), 0);
    }

    void anActionDuringALoad_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("listed");  // sorted, where few
        QTest::addColumn<QStringList>("dialogs"); // opened, in order, each on the whole list

        const QStringList any;
        const QStringList none;
        const QStringList searched{QStringLiteral("Cafe Nile"), QStringLiteral("Green Tea House")};
        const auto buttons = [](QList<ToolbarEntry> entries) {
            return Action([entries](TestListLoading *t) {
                for (ToolbarEntry entry : entries)
                    t->clickButton(entry);
            });
        };
        QTest::newRow("header: sorts the whole list once read")
            << Action([](TestListLoading *t) { ClickHeader(t->m_list, 0); }) << Total << any << none;
        QTest::newRow("Enter on the list: no place to update")
            << Action([](TestListLoading *t) { QTest::keyClick(t->m_list->viewport(), Qt::Key_Return); }) << Total
            << any << none;
        QTest::newRow("Update and Delete wait: no place selected")
            << buttons({ToolbarEntry::Update, ToolbarEntry::Delete}) << Total << any << none;
        QTest::newRow("a category: its places replace the load")
            << Action([](TestListLoading *t) { ClickNode(t->m_tree, Node(t->m_tree, QStringLiteral("BR 2"))); }) << 1
            << QStringList{QStringLiteral("Beta Clinic")} << none;
        QTest::newRow("expand: its places replace the load, the level below follows")
            << Action([](TestListLoading *t) { ClickExpandSign(t->m_tree, Node(t->m_tree, QStringLiteral("BR 1"))); })
            << Added + 1 << any << none;
        QTest::newRow("Back: the search restored replaces the load")
            << buttons({ToolbarEntry::Back}) << 2 << searched << none;
        QTest::newRow("Forward: the search restored replaces the load")
            << buttons({ToolbarEntry::Forward}) << 2 << searched << none;
        QTest::newRow("Refresh waits: the tree is read after the list")
            << buttons({ToolbarEntry::Refresh}) << Total << any << none;
        QTest::newRow("Search twice: Find Place opens once, on the whole list")
            << buttons({ToolbarEntry::Search, ToolbarEntry::Search}) << Total << any
            << QStringList{QStringLiteral("FrmSearch")};
        QTest::newRow("Add, then Search: each opens in turn once the list is whole")
            << buttons({ToolbarEntry::Add, ToolbarEntry::Search}) << Total << any
            << QStringList{QStringLiteral("frmAdd"), QStringLiteral("FrmSearch")};
    }

    void anActionDuringALoad()
    {
        QFETCH(Action, action);
        QFETCH(int, rows);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, dialogs);

        m_main->setsearch(QStringLiteral(" ( places_leaves.city = 3 ) "));
        QStringList opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened.append(dialog->objectName() +
                              (m_main->ListLoading() ? QStringLiteral(" during the load") : QString()));
                dialog->reject();
            }
        });
        closer.start(5);

        startLongLoad();
        action(this);
        waitForTheList();
        QTRY_COMPARE(opened, dialogs);

        QCOMPARE(m_messages->count(), 0);
        QVERIFY(!EditingFixture::ShownUpdateWindow());
        QCOMPARE(PanelText(*m_main, 3), QString());
        const QStringList names = Column(m_list, 0);
        QCOMPARE(names.size(), rows);
        if (!listed.isEmpty())
            QCOMPARE(sorted(names), listed);
        if (m_list->header()->isSortIndicatorShown()) {
            QStringList byName = names;
            std::stable_sort(byName.begin(), byName.end(),
                             [](const QString &a, const QString &b) { return a.toCaseFolded() < b.toCaseFolded(); });
            QCOMPARE(names, byName);
        }
        if (QTest::currentDataTag() ==
            QByteArrayLiteral("expand: its places replace the load, the level below follows"))
            QVERIFY(Node(m_tree, QStringLiteral("BR 4")).isValid());
    }

    void exitGivesTheLoadUp()
    {
        startLongLoad();
        clickButton(ToolbarEntry::Exit);
        QVERIFY(!m_main || !m_main->isVisible());
        QTRY_VERIFY(!m_main);
        QCOMPARE(m_messages->count(), 0);
    }

    void updateWindowStoresOnceTheListIsWhole()
    {
        ClickExpandSign(m_tree, Node(m_tree, QStringLiteral("BR 1")));
        waitForTheList();
        ClickNode(m_tree, Node(m_tree, QStringLiteral("BR 3")));
        QCoreApplication::processEvents();
        QTest::mouseClick(
            m_list->viewport(), Qt::LeftButton, {},
            m_list->visualRect(m_list->model()->index(Row(m_list, QStringLiteral("apple Tea")), 0)).center());
        QTest::keyClick(m_list->viewport(), Qt::Key_Return);
        // It deletes itself once closed.
        const QPointer<frmUpdate> window = EditingFixture::ShownUpdateWindow();
        QVERIFY(window);

        startLongLoad();
        EditingFixture::Find<QLineEdit>(window, "TxtTelephone")->setText(QStringLiteral("02 9999"));
        QTest::mouseClick(EditingFixture::Find<QPushButton>(window, "CmdUpdate"), Qt::LeftButton);
        // Still open with what was typed: a store closes it.
        QVERIFY(m_main->ListLoading());
        QVERIFY(window->isVisible());
        waitForTheList();
        QTRY_VERIFY2(!window || !window->isVisible(), qPrintable(m_messages->texts().join(QLatin1Char('|'))));
        QCOMPARE(TestDatabase::Rows(QStringLiteral("select ADDRESS from places_leaves where LEAF_ID = 5")),
                 QList<QStringList>{{QStringLiteral("02 9999")}});
        QCOMPARE(m_list->model()->rowCount(), Total);
        QCOMPARE(m_messages->count(), 0);
    }

    void findPlaceDuringItsLoad_data()
    {
        QTest::addColumn<std::function<void(QDialog *)>>("keys");
        const auto click = [](QDialog *d) {
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("CmdSearch")), Qt::LeftButton);
        };
        const auto key = [](Qt::Key k) { return [k](QDialog *d) { QTest::keyClick(d, k); }; };
        QTest::newRow("&Search clicked twice") << std::function<void(QDialog *)>([=](QDialog *d) {
            click(d);
            click(d);
        });
        QTest::newRow("Enter pressed twice") << std::function<void(QDialog *)>([=](QDialog *d) {
            key(Qt::Key_Return)(d);
            key(Qt::Key_Return)(d);
        });
        QTest::newRow("Escape") << std::function<void(QDialog *)>([=](QDialog *d) {
            click(d);
            key(Qt::Key_Escape)(d);
        });
        QTest::newRow("Cancel") << std::function<void(QDialog *)>([=](QDialog *d) {
            click(d);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("CmdCancel")), Qt::LeftButton);
        });
    }

    void findPlaceDuringItsLoad()
    {
        QFETCH(std::function<void(QDialog *)>, keys);
        bool loadingAfterKeys = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("TxtPlaceName"))->setText(QStringLiteral("%"));
            dialog->findChild<QRadioButton *>(QStringLiteral("OptContain"))->setChecked(true);
            keys(dialog);
            loadingAfterKeys = m_main->ListLoading();
        });
        clickButton(ToolbarEntry::Search);
        // The dialog closed once its list was whole, the search recorded once.
        QVERIFY(loadingAfterKeys);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!m_main->ListLoading());
        QCOMPARE(m_list->model()->rowCount(), Total);
        QCOMPARE(m_messages->count(), 0);

        // Recorded once: a search recorded next takes the ring's second slot, where Forward
        // goes first, and Back from there restores the first.
        m_main->setsearch(QStringLiteral(" places_leaves.leaf_id = 3"));
        clickButton(ToolbarEntry::Forward);
        waitForTheList();
        QCOMPARE(Column(m_list, 0), QStringList{QStringLiteral("Cafe Nile")});
        clickButton(ToolbarEntry::Back);
        waitForTheList();
        QCOMPARE(m_list->model()->rowCount(), Total);
    }
};

TARNWICK_TEST_MAIN(TestListLoading)
#include "tst_list_loading.moc"
