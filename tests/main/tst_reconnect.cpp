#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/connection/Transaction.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/PostgreSQLAddress.h"
#include "editing/EditingFixture.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#ifndef TARNWICK_NO_NETWORK
#include "main/DroppingProxy.h"
#endif
#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/DatabaseFaults.h"
#include "support/Recorders.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QTreeView>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>

using namespace EditingFixture;

namespace {

const QString Connected = QStringLiteral("Connected To DB");
const QString Lost = QStringLiteral("Connection To DB Lost");

QString told(const MessageRecorder &messages)
{
    return messages.texts().join(QStringLiteral(" | ")).simplified();
}

QString backendPid()
{
    return TestDatabase::Scalar(QStringLiteral("select pg_backend_pid()")).toString();
}

// Waits, on the server, until the program's session (after `first`) is gone.
void untilGone(const QString &pid, const QString &first = QString())
{
    TestDatabase::Exec(QStringLiteral("do $$ begin %2 for i in 1..1000 loop perform pg_stat_clear_snapshot(); "
                                      "exit when not exists (select 1 from pg_stat_activity where pid = %1); "
                                      "perform pg_sleep(0.01); end loop; end $$")
                           .arg(pid, first));
}

// Ends the program's session from the server's side and waits until it is gone.
void endSession()
{
    const QString pid = backendPid();
    untilGone(pid, QStringLiteral("perform pg_terminate_backend(%1);").arg(pid));
}

// The server ends the program's session, idle for longer than it allows.
void idleTimeout()
{
    const QString pid = backendPid();
    TestDatabase::Scalar(QStringLiteral("select set_config('idle_session_timeout', '300ms', false)"));
    untilGone(pid);
}

// A session of the test's own on a thread of its own, watching while the main thread is held up
// in a statement: it cancels or ends ("pg_cancel_backend", "pg_terminate_backend") the first
// session of the test's database found waiting in a commit for a synchronous standby.
class StandbyWaitWatch
{
public:
    explicit StandbyWaitWatch(const QString &action)
    {
        std::promise<bool> opened;
        std::future<bool> ready = opened.get_future();
        m_thread = std::thread([this, action, &opened] { watch(action, opened); });
        m_opened = ready.get();
    }
    ~StandbyWaitWatch() { finish(); }
    bool opened() const { return m_opened; }
    // Whether a waiting session was found and acted on.
    bool finish()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_opened && m_found;
    }

private:
    void watch(const QString &action, std::promise<bool> &opened)
    {
        const QString name = QStringLiteral("standby-wait-watch");
        {
            const Processing::DatabaseDescriptor owner =
                Processing::DatabaseDescriptor::parse(TestDatabase::OwnerDescriptor());
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setConnectOptions(Processing::PostgreSQLConnectOptions(owner));
            db.setPassword(owner.password);
            opened.set_value(db.open());
            QSqlQuery query(db);
            while (db.isOpen() && !m_stop) {
                if (query.exec(QStringLiteral("select pid from pg_stat_activity where datname = current_database() "
                                              "and wait_event = 'SyncRep'")) &&
                    query.next()) {
                    m_found = query.exec(QStringLiteral("select %1(%2)").arg(action, query.value(0).toString()));
                    break;
                }
                QThread::msleep(10);
            }
        }
        QSqlDatabase::removeDatabase(name);
    }

    std::thread m_thread;
    std::atomic<bool> m_stop = false;
    bool m_opened = false;
    bool m_found = false;
};

// The server holds back the answer to every commit made on the test's database until a standby
// that does not exist has it, for as long as this lives: the commit is stored, and waits. Only
// sessions opened after it began wait; the others, and every session of other databases, commit
// as before, also should the test end before this does.
class AbsentStandby
{
public:
    AbsentStandby()
    {
        // Before the standby is named, so that this commit does not wait for it.
        onTheDatabase(QStringLiteral("set synchronous_commit = on"));
        TestDatabase::Exec({QStringLiteral("alter system set synchronous_commit = local"),
                            QStringLiteral("alter system set synchronous_standby_names = 'tarnwick_absent_standby'"),
                            QStringLiteral("select pg_reload_conf()")});
        m_holding = settle(true);
    }
    ~AbsentStandby()
    {
        onTheDatabase(QStringLiteral("reset synchronous_commit"));
        TestDatabase::Exec({QStringLiteral("alter system reset synchronous_standby_names"),
                            QStringLiteral("alter system reset synchronous_commit"),
                            QStringLiteral("select pg_reload_conf()")});
        settle(false);
    }
    // Whether commits wait now, as they should.
    bool holding() const { return m_holding; }

private:
    static void onTheDatabase(const QString &setting)
    {
        TestDatabase::Exec(
            QStringLiteral("do $$ begin execute format('alter database %I %1', current_database()); end $$")
                .arg(setting));
    }

    // The server takes the settings up a moment after being told: until then, a commit of the
    // test's own that asks to wait shows which holds.
    static bool settle(bool holding)
    {
        bool waited = !holding;
        TestDatabase::Exec(QStringLiteral("set synchronous_commit = on"));
        for (int attempt = 0; attempt < 200 && waited != holding; ++attempt) {
            StandbyWaitWatch watch(QStringLiteral("pg_cancel_backend"));
            if (!watch.opened())
                break;
            // A transaction's message in the server's log: a commit that waits as the program's would.
            TestDatabase::Exec(QStringLiteral("select pg_logical_emit_message(true, 'tarnwick', 'probe')"));
            waited = watch.finish();
            if (waited != holding)
                QThread::msleep(10);
        }
        TestDatabase::Exec(QStringLiteral("reset synchronous_commit"));
        return waited;
    }

    bool m_holding = false;
};

} // namespace

using Loss = std::function<void()>;
Q_DECLARE_METATYPE(Loss)
using Done = std::function<bool()>;
Q_DECLARE_METATYPE(Done)

// The server connection lost under the program and opened again by its next action: reads go on
// as if nothing happened, a write that had not begun goes on, a write cut off at its commit is
// never told as stored nor sent again, and the status bar's second panel tells which holds.
class TestReconnect : public QObject
{
    Q_OBJECT

    QPointer<frmMain> m_main;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<frmAdd> m_add;

    QString panel() const { return BrowsingFixture::PanelText(*m_main, 2); }
    QTreeView *tree() const { return m_main->findChild<QTreeView *>(QStringLiteral("CatTree")); }

    int places(const QString &name)
    {
        return TestDatabase::Scalar(
                   QStringLiteral("select count(*) from places_leaves where leaf_name = '%1'").arg(name))
            .toInt();
    }

    // Refresh: the tree is built anew from the database.
    void refresh() { m_main->ToolbarButton(ToolbarEntry::Refresh)->trigger(); }

    bool treeShows(const QString &text) const
    {
        const QAbstractItemModel *model = tree()->model();
        return !model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive)
                    .isEmpty();
    }

#ifndef TARNWICK_NO_NETWORK
    // The program's connection, opened anew through the relay.
    static void openThrough(const DroppingProxy &proxy)
    {
        QVERIFY(proxy.port() != 0);
        // As the test's superuser: the password file names the server's own port only.
        QUrl url(TestDatabase::OwnerDescriptor());
        url.setPort(proxy.port());
        QString relayed = url.toString();
        if (TestDatabase::IsOdbc())
            relayed =
                TestDatabase::Descriptor() + QStringLiteral(";Port=%1;UID=%2").arg(proxy.port()).arg(url.userName());
        Processing::DbConn().close();
        try {
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(relayed));
        } catch (const Processing::DbError &error) {
            QFAIL(qPrintable(error.message()));
        }
    }
#endif

    frmAdd &addWindow()
    {
        if (!m_add) {
            m_add = std::make_unique<frmAdd>(m_main);
            m_add->show();
        }
        return *m_add;
    }

    frmUpdate &updateWindow()
    {
        if (!ShownUpdateWindow()) {
            m_main->UpdateList(7);
            BrowsingFixture::List(*m_main)->selectionModel()->select(BrowsingFixture::Places(*m_main)->index(0, 0),
                                                                     QItemSelectionModel::ClearAndSelect |
                                                                         QItemSelectionModel::Rows);
            m_main->ToolbarButton(ToolbarEntry::Update)->trigger();
            Choose(Find<QComboBox>(ShownUpdateWindow(), "CmbPlaceParent"), QStringLiteral("Food"));
            Type(Find<QWidget>(ShownUpdateWindow(), "TxtPlaceName"), QStringLiteral("Nile Corner"));
        }
        return *ShownUpdateWindow();
    }

    // Whether the program's connection takes a statement again: refused at once while silent.
    static bool answers()
    {
        try {
            return Processing::DbConn().openRecordset(QStringLiteral("select 1")).RecordCount() == 1;
        } catch (const Processing::DbError &) {
            return false;
        }
    }

    int errorsTold() const
    {
        int errors = 0;
        for (const MsgBoxRequest &request : m_messages->shown())
            errors += request.title == QLatin1String("DataBase Error") ? 1 : 0;
        return errors;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!TestDatabase::IsPostgreSQL())
            QSKIP("a server connection only");
    }

    void init()
    {
        MakeSmallDirectory();
        m_messages = std::make_unique<MessageRecorder>();
        m_main = new frmMain;
        m_main->show();
        QCOMPARE(panel(), Connected);
    }

    void cleanup()
    {
        // Not after the restart: the test's own sessions ended with it.
        if (QTest::currentTestFunction() != QByteArray("serverRestart"))
            TestDatabase::RefuseNewSessions(false);
        Processing::DbConn().setAnswerLimit(Processing::DefaultAnswerLimit);
        m_add.reset();
        DeleteUpdateWindows();
        delete m_main;
        m_messages.reset();
    }

    void readAfterLoss_data()
    {
        QTest::addColumn<Loss>("loss");
        QTest::newRow("session ended by the server") << Loss(endSession);
        QTest::newRow("idle timeout") << Loss(idleTimeout);
    }
    void readAfterLoss()
    {
        QFETCH(Loss, loss);
        const QString before = backendPid();
        loss();
        refresh();
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QVERIFY(treeShows(QStringLiteral("Cafes")) || treeShows(QStringLiteral("Food")));
        QCOMPARE(panel(), Connected);
        QVERIFY(backendPid() != before);
    }

    // While the server takes no session the panel says so, once an action has found out; the
    // action is told once. The first action after the server is back goes on and says nothing.
    void panelFollowsTheConnection()
    {
        TestDatabase::RefuseNewSessions(true);
        endSession();
        refresh();
        QVERIFY2(m_messages->count() == 1, qPrintable(told(*m_messages)));
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        QVERIFY2(m_messages->last().text.startsWith(QStringLiteral("The connection to the database was lost")),
                 qPrintable(m_messages->last().text));
        QCOMPARE(panel(), Lost);

        m_messages->clear();
        TestDatabase::RefuseNewSessions(false);
        refresh();
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QVERIFY(treeShows(QStringLiteral("Food")));
        QCOMPARE(panel(), Connected);
    }

    // The delete sends nothing before its transaction: the loss shows at its start, when
    // nothing has been sent yet, so it goes on once the connection is open again.
    void writeLostBeforeItBegan()
    {
        m_main->UpdateList(7);
        auto *list = m_main->findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
        list->selectionModel()->select(BrowsingFixture::Places(*m_main)->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        endSession();
        m_messages->answer(QMessageBox::Yes);
        m_main->ToolbarButton(ToolbarEntry::Delete)->trigger();
        QCOMPARE(m_messages->texts().value(1), QStringLiteral(" Place  Deleted "));
        QCOMPARE(places(QStringLiteral("CAFE NILE")), 0);
        QCOMPARE(panel(), Connected);
    }

    // A statement sent on its own, outside a transaction, took effect if it reached the server:
    // cut off by the loss, it is not sent again, and the caller is told it may or may not have.
    void statementOnItsOwnCut()
    {
        endSession();
        std::optional<Processing::DbError> failure;
        try {
            Processing::DbConn().execute(
                QStringLiteral("update places_leaves set leaf_name = 'CAFE NILE 2' where leaf_name = 'CAFE NILE'"));
        } catch (const Processing::DbError &error) {
            failure = error;
        }
        QVERIFY2(failure && failure->outcomeUnknown(), "the statement was sent again");
        QCOMPARE(places(QStringLiteral("CAFE NILE")), 1);
    }

    // The session ends at the commit. Once the connection is back, the server tells that
    // nothing was stored; while it stays away, the user is told it may or may not have been.
    // Never told as stored, never sent again; what was typed stays.
    void commitCut_data()
    {
        QTest::addColumn<bool>("serverStaysAway");
        QTest::addColumn<QString>("toldText");
        QTest::addColumn<QString>("panelAfter");
        QTest::newRow("connection back") << false << QStringLiteral("was not added; nothing of it was stored")
                                         << Connected;
        QTest::newRow("server away") << true << QStringLiteral("may or may not have been stored") << Lost;
    }
    void commitCut()
    {
        QFETCH(bool, serverStaysAway);
        QFETCH(QString, toldText);
        QFETCH(QString, panelAfter);
        // Once only, whatever rolls back: a write sent again would be stored.
        TestDatabase::Exec(QStringList{
            QStringLiteral("drop sequence if exists cut_once"),
            QStringLiteral("create sequence cut_once"),
            QStringLiteral("grant usage on sequence cut_once to public"),
            QStringLiteral("create or replace function cut_at_commit() returns trigger as $$ begin if "
                           "nextval('cut_once') = 1 then perform pg_terminate_backend(pg_backend_pid()); end if; "
                           "return null; end $$ language plpgsql"),
            QStringLiteral("create constraint trigger cut_at_commit after insert on places_branch_leaves deferrable "
                           "initially deferred for each row execute function cut_at_commit()"),
        });
        frmAdd add(m_main);
        add.show();
        FillNewPlace(&add);
        const QString typed = TextOf(Find<QWidget>(&add, "TxtPlaceName"));
        if (serverStaysAway)
            TestDatabase::RefuseNewSessions(true);
        Click(&add, "CmdAddPlace");
        QVERIFY2(m_messages->count() == 1, qPrintable(told(*m_messages)));
        QCOMPARE(m_messages->last().title, QStringLiteral("DataBase Error"));
        QVERIFY2(m_messages->last().text.contains(toldText), qPrintable(told(*m_messages)));
        QCOMPARE(TextOf(Find<QWidget>(&add, "TxtPlaceName")), typed);
        QCOMPARE(panel(), panelAfter);

        TestDatabase::RefuseNewSessions(false);
        m_messages->clear();
        refresh();
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QCOMPARE(places(QStringLiteral("Half Way")), 0);
        QCOMPARE(panel(), Connected);
    }

    // The connection drops on the way, without a word from the server (the relay between them
    // ends it, as a network going away would): the next read opens it again and goes on.
    void droppedOnTheWay()
    {
#ifdef TARNWICK_NO_NETWORK
        QSKIP("built without Qt Network, which the relay needs");
#else
        DroppingProxy proxy(QUrl(TestSupport::PostgreSQLServer()).port());
        openThrough(proxy);
        QCOMPARE(proxy.connections(), 1);

        proxy.drop();
        refresh();
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QVERIFY(treeShows(QStringLiteral("Food")));
        QCOMPARE(panel(), Connected);
        QCOMPARE(proxy.connections(), 2);
#endif
    }

    // The session ends while its commit, already stored, waits for its answer: the server tells
    // afterwards that it was stored, so the add goes on as always, once, without a word.
    void commitStoredButItsAnswerLost()
    {
        frmAdd add(m_main);
        add.show();
        FillNewPlace(&add);
        {
            AbsentStandby standby;
            QVERIFY2(standby.holding(), "the server does not hold commits back for the standby");
            // A session of its own, opened as the server holds commits back.
            Processing::DbConn().close();
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(TestDatabase::Descriptor()));
            StandbyWaitWatch cut(QStringLiteral("pg_terminate_backend"));
            QVERIFY(cut.opened());
            Click(&add, "CmdAddPlace");
            QVERIFY2(cut.finish(), "the commit did not wait for its answer");
        }
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QCOMPARE(TextOf(Find<QWidget>(&add, "TxtPlaceName")), QString());
        QCOMPARE(places(QStringLiteral("Half Way")), 1);
        QCOMPARE(panel(), Connected);
    }

    // A wait on the server is given up after the answer limit: a statement stopped before the
    // commit stored nothing, and the next add stores; a commit stopped while it waited for a
    // standby was stored, and is told so. Told once, under the wait cursor meanwhile.
    void waitGivenUp_data()
    {
        QTest::addColumn<bool>("atCommit");
        QTest::newRow("statement waits on another user's lock") << false;
        QTest::newRow("commit waits on an absent standby") << true;
    }
    void waitGivenUp()
    {
        QFETCH(bool, atCommit);
        using namespace std::chrono_literals;
        frmAdd add(m_main);
        add.show();
        FillNewPlace(&add);
        const QString typed = TextOf(Find<QWidget>(&add, "TxtPlaceName"));
        std::optional<AbsentStandby> standby;
        if (atCommit) {
            standby.emplace();
            QVERIFY2(standby->holding(), "the server does not hold commits back for the standby");
            Processing::DbConn().close();
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(TestDatabase::Descriptor()));
        } else {
            TestDatabase::Exec(QStringLiteral("begin"));
            TestDatabase::Exec(QStringLiteral("lock table places_leaves in exclusive mode"));
        }
        Processing::DbConn().setAnswerLimit(1s);
        QElapsedTimer clock;
        clock.start();
        Click(&add, "CmdAddPlace");
        const qint64 took = clock.elapsed();
        Processing::DbConn().setAnswerLimit(Processing::DefaultAnswerLimit);
        if (!atCommit)
            TestDatabase::Exec(QStringLiteral("rollback"));
        standby.reset();
        // The limit, a grace for the request to stop, and a new connection's start.
        QVERIFY2(took >= 1000 && took < 7000, qPrintable(QString::number(took)));
        QTRY_COMPARE(m_messages->count(), 1);
        // ODBC stops a running statement only: a commit's connection is closed instead, and the
        // commit, still waiting on the server, cannot be told stored or not.
        const bool commitClosed = atCommit && TestDatabase::IsOdbc();
        const MsgBoxRequest &message = m_messages->last();
        QCOMPARE(message.title,
                 atCommit && !commitClosed ? QStringLiteral("Database Server Busy") : QStringLiteral("DataBase Error"));
        const QStringList words = commitClosed ? QStringList{QStringLiteral("not answering"),
                                                             QStringLiteral("may or may not have been stored")}
                                  : atCommit   ? QStringList{QStringLiteral("The change is stored")}
                                               : QStringList{QStringLiteral("The database server is busy"),
                                                           QStringLiteral("nothing of it was stored")};
        for (const QString &word : words)
            QVERIFY2(message.text.contains(word), qPrintable(told(*m_messages)));
        QCOMPARE(TextOf(Find<QWidget>(&add, "TxtPlaceName")), atCommit && !commitClosed ? QString() : typed);
        QTRY_COMPARE(places(QStringLiteral("Half Way")), atCommit ? 1 : 0);
        QCOMPARE(panel(), Connected);
        if (!atCommit) {
            m_messages->clear();
            Click(&add, "CmdAddPlace");
            QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
            QCOMPARE(places(QStringLiteral("Half Way")), 1);
        }
    }

    // The relay passes nothing on but keeps the connection open. Each action is given up after
    // the answer limit and a grace for the cancel request, which goes unanswered too; it is told
    // once that the server is not answering, and nothing is stored. Once the relay passes again,
    // the same action, from the same window, does what was asked.
    void silentRelay_data()
    {
        QTest::addColumn<Loss>("ready"); // before the relay falls silent
        QTest::addColumn<Loss>("action");
        QTest::addColumn<Done>("done"); // whether the action took effect
        const Loss none = [] {};
        const auto add = [this](const char *box, const char *nameBox, const char *parentBox, const char *parent,
                                const QString &name) {
            return Loss([=, this] {
                Click(&addWindow(), box);
                Choose(Find<QComboBox>(&addWindow(), parentBox), QLatin1String(parent));
                Type(Find<QWidget>(&addWindow(), nameBox), name);
            });
        };
        const auto count = [](const char *table, const char *where, int expected = 1) {
            const QString sql =
                QStringLiteral("select count(*) from %1 where %2").arg(QLatin1String(table), QLatin1String(where));
            return Done([sql, expected] { return TestDatabase::Scalar(sql).toInt() == expected; });
        };
        // Juice Bars is stored behind the tree's back, before the test.
        QTest::newRow("refresh") << none << Loss([this] { refresh(); })
                                 << Done([this] { return treeShows(QStringLiteral("Juice Bars")); });
        QTest::newRow("category clicked") << none << Loss([this] {
            BrowsingFixture::ClickNode(tree(), BrowsingFixture::NodeNamed(tree(), QStringLiteral("Cafes")));
        }) << Done([this] {
            return BrowsingFixture::Row(BrowsingFixture::List(*m_main), QStringLiteral("CAFE NILE")) >= 0;
        });
        QTest::newRow("add place") << Loss([this] { FillNewPlace(&addWindow()); })
                                   << Loss([this] { Click(&addWindow(), "CmdAddPlace"); })
                                   << count("places_leaves", "leaf_name = 'Half Way'");
        QTest::newRow("add category") << add("ChkAddCat", "TxtCatName", "CmbParentCat", "Food",
                                             QStringLiteral("Tea Rooms"))
                                      << Loss([this] { Click(&addWindow(), "CmdAddCat"); })
                                      << count("places_root", "branch_name = 'Tea Rooms'");
        QTest::newRow("add district") << add("ChkAddDistrict", "TxtNewDistrict", "CmbCityAdd", "Giza",
                                             QStringLiteral("Mohandessin"))
                                      << Loss([this] { Click(&addWindow(), "CmdAddDistrict"); })
                                      << count("places_district", "district_name = 'Mohandessin'");
        QTest::newRow("update place") << Loss([this] { updateWindow(); })
                                      << Loss([this] { Click(&updateWindow(), "CmdUpdate"); })
                                      << count("places_leaves", "leaf_name = 'Nile Corner'");
        QTest::newRow("delete place") << Loss([this] {
            m_main->UpdateList(7);
            BrowsingFixture::List(*m_main)->selectionModel()->select(BrowsingFixture::Places(*m_main)->index(0, 0),
                                                                     QItemSelectionModel::ClearAndSelect |
                                                                         QItemSelectionModel::Rows);
        }) << Loss([this] {
            m_messages->answer(QMessageBox::Yes);
            m_main->ToolbarButton(ToolbarEntry::Delete)->trigger();
        }) << count("places_leaves", "leaf_name = 'CAFE NILE'", 0);
    }
    void silentRelay()
    {
#ifdef TARNWICK_NO_NETWORK
        QSKIP("built without Qt Network, which the relay needs");
#else
        QFETCH(Loss, ready);
        QFETCH(Loss, action);
        QFETCH(Done, done);

        using namespace std::chrono_literals;
        // Shown by a refresh, once it can read.
        TestDatabase::Exec(QStringLiteral("insert into places_root values (9, 'Juice Bars', 4, 'N', 1)"));
        tree()->expand(BrowsingFixture::NodeNamed(tree(), QStringLiteral("Food")));
        DroppingProxy proxy(QUrl(TestSupport::PostgreSQLServer()).port());
        openThrough(proxy);
        ready();
        DatabaseFaults watch;
        const auto before = watch.snapshot();
        m_messages->clear();
        m_messages->answerFromOwnLoop();

        Processing::DbConn().setAnswerLimit(1s);
        proxy.fallSilent();
        QElapsedTimer clock;
        clock.start();
        action();
        QTRY_VERIFY2(errorsTold() > 0, qPrintable(told(*m_messages)));
        const qint64 took = clock.elapsed();
        // The limit, the cancel request's grace of as long, and the rest of the action.
        QVERIFY2(took >= 1000 && took < 6000, qPrintable(QString::number(took)));
        QVERIFY2(errorsTold() == 1 && told(*m_messages).contains(QStringLiteral("not answering")),
                 qPrintable(told(*m_messages)));
        QCOMPARE(watch.snapshot(), before);
        QCOMPARE(panel(), Lost);
        // At once again, still within the silence, which its message box's own loop did not end:
        // failed without a wait, and told nothing more.
        clock.restart();
        action();
        QVERIFY2(clock.elapsed() < 1000 && errorsTold() == 1, qPrintable(told(*m_messages)));

        proxy.pass();
        // Back in the event loop, as between two clicks, until the program tries the server again.
        QTRY_VERIFY(answers());
        m_messages->clear();
        action();
        QTRY_VERIFY2(done(), qPrintable(told(*m_messages)));
        QVERIFY2(errorsTold() == 0, qPrintable(told(*m_messages)));
        QCOMPARE(panel(), Connected);
#endif
    }

    // A commit whose answer is lost as its primary dies, on a standby that never received it: the
    // standby, promoted, gave that transaction's number to one of its own, and says that one was
    // committed. The number is no proof on another timeline: the row the write stored is looked
    // for instead, and it is not there.
    void commitLostInAFailover()
    {
        const QString script = qEnvironmentVariable("TARNWICK_TEST_FAILOVER");
        if (script.isEmpty() || TestDatabase::IsOdbc())
            QSKIP("natively, on a primary and standby the test script makes (TARNWICK_TEST_FAILOVER)");
        using namespace std::chrono_literals;
        // The script's output, or none when it failed.
        const auto run = [&](const QString &verb) -> std::optional<QString> {
            QProcess process;
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process.start(QStringLiteral("sh"), {QStringLiteral("-c"), script + QLatin1Char(' ') + verb});
            if (!process.waitForFinished(120000) || process.exitCode() != 0)
                return std::nullopt;
            return QString::fromLocal8Bit(process.readAllStandardOutput());
        };
        const QStringList made =
            run(QStringLiteral("pair")).value_or(QString()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(made.size(), 3);
        const QString &pair = made.at(0);
        const auto stop = qScopeGuard([&] {
            run(QStringLiteral("stop ") + pair);
            Processing::DbConn().close();
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(TestDatabase::Descriptor()));
        });
        const auto program = Processing::DatabaseDescriptor::parse(
            QString(made.at(1))
                .replace(QStringLiteral("tarnwick@"),
                         qEnvironmentVariable("TARNWICK_TEST_POSTGRESQL_ROLE") + QLatin1Char('@')));
        Processing::DbConn().close();
        Processing::DbConn().open(program);
        Processing::DbConn().setAnswerLimit(120s);
        QVERIFY(run(QStringLiteral("detach-standby ") + pair));

        QProcess failover;
        failover.setProcessChannelMode(QProcess::ForwardedChannels);
        failover.start(QStringLiteral("sh"),
                       {QStringLiteral("-c"), script + QStringLiteral(" fail-over-behind ") + pair});
        const std::optional<Processing::DbError> failure =
            Processing::RunAsOneWrite({QStringLiteral("insert into writes values ('told')")}, Processing::DbConn(),
                                      QStringLiteral("select count(*) from writes where name = 'told'"));
        QVERIFY(failover.waitForFinished(120000));
        if (failover.exitCode() == 3)
            QSKIP("the standby had passed the waiting commit's number: no clash to plant");
        QCOMPARE(failover.exitCode(), 0);
        if (!Processing::DbConn().isOpen())
            Processing::DbConn().open(program);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from writes")).toInt(), 0);
        // Settled by the row: not there, so not stored.
        QVERIFY2(failure, "told stored, but the new primary has no such row");
        QVERIFY2(!failure->outcomeUnknown(), qPrintable(failure->message() + failure->driverText()));
    }

    // Last: the server itself restarts (pg_ctl restart -m fast), which ends every session of the
    // test run too. Reads and a write go on without a word.
    void serverRestart()
    {
        const QString command = qEnvironmentVariable("TARNWICK_TEST_POSTGRESQL_RESTART");
        if (command.isEmpty())
            QSKIP("TARNWICK_TEST_POSTGRESQL_RESTART names no command that restarts the server");
        QProcess restart;
        restart.setProcessChannelMode(QProcess::ForwardedChannels);
        restart.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
        QVERIFY(restart.waitForFinished(90000));
        QCOMPARE(restart.exitCode(), 0);

        refresh();
        QVERIFY2(m_messages->count() == 0, qPrintable(told(*m_messages)));
        QVERIFY(treeShows(QStringLiteral("Food")));
        QCOMPARE(panel(), Connected);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_leaves")).toInt(), 1);
    }
};

TARNWICK_TEST_MAIN(TestReconnect)
#include "tst_reconnect.moc"
