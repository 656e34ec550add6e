#include "data/connection/Connection.h"
#include "editing/EditingFixture.h"
#include "editing/MultiLineTextBox.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/DatabaseFaults.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <functional>
#include <memory>

using namespace EditingFixture;
using Kind = DatabaseFaults::Kind;

Q_DECLARE_METATYPE(DatabaseFaults::Kind)

namespace {

QString told(const MessageRecorder &messages)
{
    QStringList lines;
    for (const MsgBoxRequest &request : messages.shown())
        lines.append(request.title + QStringLiteral(": ") + request.text.simplified());
    return lines.join(QStringLiteral(" | "));
}

} // namespace

// The database failing under the program: the PostgreSQL server dropping the connection, the
// SQLite file read-only or locked by another connection's write transaction. Every action that
// needs the database tells the user once, in a "DataBase Error" box; the windows stay usable,
// nothing typed is lost, and no place is ever half stored.
class TestDatabaseFaults : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<DatabaseFaults> m_faults;
    int m_total = 0;
    int m_actions = 0;

    Kind m_kind = Kind::ServerGone;

    Kind kind() const { return m_kind; }

    void addFaultRows()
    {
        QTest::addColumn<Kind>("fault");
        for (Kind k : DatabaseFaults::ForBackend())
            QTest::newRow(qPrintable(DatabaseFaults::Name(k))) << k;
    }

    void inject()
    {
        m_faults->inject(m_kind);
        ++m_total;
        m_messages->clear();
    }

    // The action told of the failure once, and only of it; reads that still work tell nothing.
    void toldOnce(bool needsWrite, const char *action)
    {
        const bool fails = needsWrite || !DatabaseFaults::ReadsWork(kind());
        ++m_actions;
        int errors = 0;
        for (const MsgBoxRequest &request : m_messages->shown())
            errors += request.title == QLatin1String("DataBase Error") ? 1 : 0;
        QVERIFY2(errors == (fails ? 1 : 0),
                 qPrintable(QLatin1String(action) + QStringLiteral(": ") + told(*m_messages)));
        if (fails)
            QVERIFY2(m_messages->last().icon == QMessageBox::Critical || m_messages->last().text.contains("Place"),
                     action);
    }

    // The main window answers as before.
    void mainWindowUsable()
    {
        QVERIFY(m_main && m_main->isVisible() && m_main->isEnabled());
        QVERIFY(!QApplication::activeModalWidget());
        // Sorting needs no database.
        Q_EMIT m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"))->header()->sectionClicked(0);
    }

    // Opens a modal dialog from the toolbar and hands it to check; then closes it.
    template<typename Dialog> void withModal(ToolbarEntry button, const std::function<void(Dialog &)> &check)
    {
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            check(*dialog);
            dialog->reject();
        });
        m_main->ToolbarButton(button)->trigger();
        QVERIFY2(seen, "the dialog did not open");
    }

    void selectPlace(int row)
    {
        m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"))
            ->selectionModel()
            ->select(BrowsingFixture::Places(*m_main)->index(row, 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QTreeView *tree() const { return m_main->findChild<QTreeView *>(QStringLiteral("CatTree")); }

    void clickButton(ToolbarEntry entry)
    {
        auto *toolbar = m_main->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        QTest::mouseClick(toolbar->widgetForAction(m_main->ToolbarButton(entry)), Qt::LeftButton);
    }

    QModelIndex node(const QString &text) const
    {
        const QAbstractItemModel *model = tree()->model();
        return model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive)
            .value(0);
    }

    frmUpdate *openUpdate()
    {
        m_main->UpdateList(7);
        selectPlace(0);
        m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
        frmUpdate *window = EditingFixture::ShownUpdateWindow();
        return window && window->isVisible() ? window : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        MakeSmallDirectory();
        TestDatabase::Exec(QStringLiteral("insert into places_root values (9, 'Empty', 0, 'N', 1)"));
        m_messages = std::make_unique<MessageRecorder>();
        m_main = new frmMain;
        m_main->show();
        m_faults = std::make_unique<DatabaseFaults>();
        if (QTest::currentDataTag())
            m_kind = *static_cast<Kind *>(QTest::qData("fault", qMetaTypeId<Kind>()));
    }

    void cleanup()
    {
        m_faults.reset();
        delete m_main;
        DeleteUpdateWindows();
        m_messages.reset();
    }

    void cleanupTestCase()
    {
        qInfo("database faults injected on %s: %d, actions tried under them: %d",
              qPrintable(TestDatabase::BackendName()), m_total, m_actions);
    }

    void mainWindowReads_data() { addFaultRows(); }
    void mainWindowReads()
    {
        // A search in the history to step back to.
        const QString city = QStringLiteral(" ( places_leaves.city = 12 ) ");
        m_main->SetSearchStr(city);
        m_main->setsearch(city);
        m_main->setsearch(QStringLiteral(" ( places_leaves.city = 3 ) "));
        const auto before = m_faults->snapshot();

        inject();
        tree()->collapse(node(QStringLiteral("Food")));
        tree()->expand(node(QStringLiteral("Food")));
        toldOnce(false, "Expand");
        mainWindowUsable();

        m_messages->clear();
        m_main->ToolbarButton(ToolbarEntry::Back)->trigger();
        toldOnce(false, "Back");

        m_messages->clear();
        withModal<FrmSearch>(ToolbarEntry::Search, [this](FrmSearch &) { toldOnce(false, "Search opened"); });
        m_messages->clear();
        withModal<frmAdd>(ToolbarEntry::Add, [this](frmAdd &) { toldOnce(false, "Add opened"); });
        m_messages->clear();
        m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger();
        toldOnce(false, "Refresh");
        mainWindowUsable();
        QCOMPARE(m_faults->snapshot(), before);
    }

    // A read that fails is told once, and the list and the tree keep what they showed.
    void failingReadsKeepTheView_data()
    {
        QTest::addColumn<Kind>("fault");
        QTest::addColumn<std::function<void(TestDatabaseFaults *)>>("action");
        using Action = std::function<void(TestDatabaseFaults *)>;
        const auto button = [](ToolbarEntry entry) {
            return Action([entry](TestDatabaseFaults *t) { t->clickButton(entry); });
        };
        const QList<std::pair<const char *, Action>> actions{
            {"a category clicked",
             [](TestDatabaseFaults *t) { BrowsingFixture::ClickNode(t->tree(), t->node(QStringLiteral("Food"))); }},
            {"a category expanded",
             [](TestDatabaseFaults *t) {
                 BrowsingFixture::ClickExpandSign(t->tree(), t->node(QStringLiteral("Food")));
             }},
            {"Main Categories clicked",
             [](TestDatabaseFaults *t) {
                 BrowsingFixture::ClickNode(t->tree(), t->node(QStringLiteral("Main Categories")));
             }},
            {"Back", button(ToolbarEntry::Back)},
            {"Forward", button(ToolbarEntry::Forward)},
            {"Refresh", button(ToolbarEntry::Refresh)},
        };
        for (Kind k : DatabaseFaults::ForBackend()) {
            if (DatabaseFaults::ReadsWork(k))
                continue;
            for (const auto &[name, action] : actions)
                QTest::addRow("%s: %s", qPrintable(DatabaseFaults::Name(k)), name) << k << action;
        }
    }

    void failingReadsKeepTheView()
    {
        QFETCH(std::function<void(TestDatabaseFaults *)>, action);
        m_main->setsearch(QStringLiteral(" ( places_leaves.city = 12 ) "));
        m_main->UpdateList(7);
        const QStringList listed = BrowsingFixture::Column(BrowsingFixture::List(*m_main), 0);
        const QStringList nodes = BrowsingFixture::Nodes(tree());
        QCOMPARE(listed.size(), 1);

        inject();
        action(this);
        toldOnce(false, QTest::currentDataTag());
        QCOMPARE(BrowsingFixture::Column(BrowsingFixture::List(*m_main), 0), listed);
        QCOMPARE(BrowsingFixture::Nodes(tree()), nodes);
        mainWindowUsable();
    }

    void typedTextSurvives_data() { addFaultRows(); }
    void typedTextSurvives()
    {
        // Dialogs opened and filled while the database was sound.
        frmAdd add(m_main);
        add.show();
        Click(&add, "ChkAddCat");
        Choose(Find<QComboBox>(&add, "CmbParentCat"), QStringLiteral("Food"));
        Type(Find<QWidget>(&add, "TxtCatName"), QStringLiteral("Juice Bars"));
        FrmSearch search(*m_main, m_main);
        search.show();
        search.activateWindow();
        Type(Find<QWidget>(&search, "TxtPlaceName"), QStringLiteral("nile"));
        Find<QRadioButton>(&search, "OptContain")->click();
        Click(&search, "ChkCity");
        Click(&search, "ChkDistrict");
        auto *cities = Find<QListWidget>(&search, "LstCity");
        auto *districts = Find<QListWidget>(&search, "LstDistrict");
        cities->item(2)->setSelected(true);
        districts->item(1)->setSelected(true);
        const auto before = m_faults->snapshot();

        inject();
        Click(&add, "CmdAddCat");
        toldOnce(true, "Add category");
        QCOMPARE(TextOf(Find<QWidget>(&add, "TxtCatName")), QStringLiteral("Juice Bars"));

        m_messages->clear();
        Click(&add, "ChkAddDistrict");
        Choose(Find<QComboBox>(&add, "CmbCityAdd"), QStringLiteral("Giza"));
        Type(Find<QWidget>(&add, "TxtNewDistrict"), QStringLiteral("Mohandessin"));
        Click(&add, "CmdAddDistrict");
        toldOnce(true, "Add district");
        QCOMPARE(TextOf(Find<QWidget>(&add, "TxtNewDistrict")), QStringLiteral("Mohandessin"));

        m_messages->clear();
        Click(&add, "ChkAddPlace");
        Choose(Find<QComboBox>(&add, "CmbPlaceParent"), QStringLiteral("Cafes"));
        Type(Find<QWidget>(&add, "TxtPlaceName"), QStringLiteral("Nile View"));
        Type(Find<QWidget>(&add, "TxtAddress"), QStringLiteral("7 River Rd"));
        Type(Find<QWidget>(&add, "TxtTelephone"), QStringLiteral("02 777"));
        Choose(Find<QComboBox>(&add, "CmbCity"), QStringLiteral("Cairo"));
        Choose(Find<QComboBox>(&add, "CmbDistrict"), QStringLiteral("Maadi"));
        const QStringList typed = PlaceInputs(&add);
        Click(&add, "CmdAddPlace");
        toldOnce(true, "Add place");
        QCOMPARE(PlaceInputs(&add), typed);
        QVERIFY(add.isVisible());

        // Leaving the city list narrows the districts; a failed narrowing keeps them and the choice.
        m_messages->clear();
        search.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        cities->setFocus();
        QTest::keyClick(cities, Qt::Key_Tab);
        toldOnce(false, "Narrowing districts");
        if (!DatabaseFaults::ReadsWork(kind())) {
            QCOMPARE(districts->count(), 6);
            QVERIFY(districts->item(1)->isSelected());
        }

        m_messages->clear();
        Click(&search, "CmdSearch");
        toldOnce(false, "Search");
        QCOMPARE(TextOf(Find<QWidget>(&search, "TxtPlaceName")), QStringLiteral("nile"));
        QCOMPARE(search.isVisible(), !DatabaseFaults::ReadsWork(kind()));
        QCOMPARE(m_faults->snapshot(), before);

        // Once the database is back, the same windows do what was asked.
        m_faults->lift();
        m_messages->clear();
        Click(&add, "CmdAddPlace");
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves where leaf_name = 'Nile View'"))
                .toInt(),
            1);
        Click(&add, "ChkAddCat");
        Choose(Find<QComboBox>(&add, "CmbParentCat"), QStringLiteral("Food"));
        Click(&add, "CmdAddCat");
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QCOMPARE(
            TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where branch_name = 'Juice Bars'"))
                .toInt(),
            1);
    }

    void updateWindow_data() { addFaultRows(); }
    void updateWindow()
    {
        QPointer<frmUpdate> window = openUpdate();
        QVERIFY(window);
        Choose(Find<QComboBox>(window, "CmbPlaceParent"), QStringLiteral("Food"));
        Type(Find<QWidget>(window, "TxtPlaceName"), QStringLiteral("Nile Corner"));
        const QStringList typed = PlaceInputs(window);
        const auto before = m_faults->snapshot();

        inject();
        Click(window, "CmdUpdate");
        toldOnce(true, "Update");
        QVERIFY(window && window->isVisible());
        QCOMPARE(PlaceInputs(window), typed);
        QCOMPARE(m_faults->snapshot(), before);
        window->close();

        // A new update window cannot load its lists; it says so once and opens all the same.
        m_messages->clear();
        m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"))->setFocus();
        selectPlace(0);
        m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
        toldOnce(false, "Update opened");
        mainWindowUsable();
    }

    void deleting_data() { addFaultRows(); }
    void deleting()
    {
        m_main->UpdateList(7);
        selectPlace(0);
        const auto before = m_faults->snapshot();

        inject();
        m_messages->answer(QMessageBox::Yes);
        m_main->ToolbarButton(ToolbarEntry::Delete)->trigger();
        toldOnce(true, "Delete place");
        QCOMPARE(m_messages->last().text, QStringLiteral(" Place Can't be Deleted "));
        QCOMPARE(m_faults->snapshot(), before);
        QCOMPARE(BrowsingFixture::Places(*m_main)->rowCount(), 1);

        m_messages->clear();
        m_main->SetSearchStr(QString());
        BrowsingFixture::Places(*m_main)->clear();
        tree()->setCurrentIndex(node(QStringLiteral("Empty")));
        m_messages->answer(QMessageBox::Yes);
        m_main->ToolbarButton(ToolbarEntry::DeleteCategory)->trigger();
        toldOnce(true, "Delete category");
        QCOMPARE(m_faults->snapshot(), before);
        mainWindowUsable();
    }

    void serverGoneBetweenTheTwoInserts()
    {
        if (!TestDatabase::IsPostgreSQL())
            QSKIP("a PostgreSQL server only");
        const auto before = m_faults->snapshot();
        // The connection ends while the link is inserted, after the place row was.
        TestDatabase::Exec(QStringLiteral("create or replace function drop_connection() returns trigger as $$ begin "
                                          "perform pg_terminate_backend(pg_backend_pid()); return new; end $$ "
                                          "language plpgsql"));
        TestDatabase::Exec(QStringLiteral("create trigger drop_connection before insert on places_branch_leaves for "
                                          "each row execute function drop_connection()"));
        frmAdd add(m_main);
        add.show();
        FillNewPlace(&add);
        const QStringList typed = PlaceInputs(&add);
        ++m_total;
        Click(&add, "CmdAddPlace");
        QVERIFY2(m_messages->count() == 1, qPrintable(told(*m_messages)));
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        QCOMPARE(PlaceInputs(&add), typed);
        QCOMPARE(m_faults->snapshot(), before);
        mainWindowUsable();
    }

    void sqliteWaitsAWhileForALock()
    {
        if (TestDatabase::IsPostgreSQL())
            QSKIP("SQLite only");
        // Long enough for another program's short write, short enough not to freeze the window.
        const int waits = TestDatabase::Scalar(QStringLiteral("pragma busy_timeout")).toInt();
        QVERIFY2(waits >= 500 && waits <= 5000, qPrintable(QString::number(waits)));
    }
};

TARNWICK_TEST_MAIN(TestDatabaseFaults)

#include "tst_db_faults.moc"
