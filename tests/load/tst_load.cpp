#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>

#include "load/LoadJournal.h"
#include <algorithm>
#include <limits>
#include <memory>

namespace {

int setting(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

bool written(const JournalEntry &e)
{
    return e.outcome == Outcome::Stored || e.outcome == Outcome::Unknown;
}

QString who(const JournalEntry &e)
{
    return QStringLiteral("client %1 step %2 (%3 %4)")
        .arg(e.client)
        .arg(e.step)
        .arg(e.action, e.name.isEmpty() ? e.from : e.name);
}

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

// Several users at once on one directory, each a process of its own driving the program's
// windows (tarnwick-load-client). Afterwards the database agrees with what every one of them was
// told. TARNWICK_LOAD_CLIENTS, TARNWICK_LOAD_ACTIONS and TARNWICK_LOAD_SEED size a run by hand;
// TARNWICK_LOAD_RESTART=1 restarts the PostgreSQL server in the middle; TARNWICK_LOAD_FAILOVER=1
// runs on a primary and standby of its own and fails the primary over to the standby instead.
class TestLoad : public QObject
{
    Q_OBJECT

    QStringList m_failures;
    QList<JournalEntry> m_entries;
    QHash<qint64, QList<const JournalEntry *>> m_placeWrites; // updates and deletions, by place

    void fail(const QString &text) { m_failures.append(text); }

    // A command of the test script's, in a shell: its output, or a failure for the test.
    static QString runScript(const QString &command, QString *output = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
        if (!process.waitForFinished(120000) || process.exitCode() != 0)
            return QStringLiteral("%1 failed: %2").arg(command, QString::fromLocal8Bit(process.readAllStandardError()));
        if (output)
            *output = QString::fromLocal8Bit(process.readAllStandardOutput());
        return QString();
    }

    // A primary and its synchronous standby of this run's own, reached by the two-host address
    // with target_session_attrs=read-write, natively and through the ODBC driver. Gives the
    // folder the script made them in.
    static QString startFailoverPair(QString *folder)
    {
        QString output;
        const QString error =
            runScript(qEnvironmentVariable("TARNWICK_TEST_FAILOVER") + QStringLiteral(" pair"), &output);
        const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!error.isEmpty() || lines.size() != 3)
            return error.isEmpty() ? QStringLiteral("the pair's script said: ") + output : error;
        *folder = lines.at(0);
        qputenv("TARNWICK_TEST_POSTGRESQL", lines.at(1).toUtf8());
        qputenv("TARNWICK_TEST_ODBC", lines.at(2).toUtf8());
        return QString();
    }

    // What the clients were told about each row, against the rows there are.
    void checkRows()
    {
        const struct
        {
            const char *what;
            const char *sql;
        } rules[] = {
            {"an identifier twice",
             "select (select count(*) - count(distinct branch_id) from places_root) + (select count(*) - "
             "count(distinct leaf_id) from places_leaves) + (select count(*) - count(distinct district_id) from "
             "places_district)"},
            {"a place without its link row",
             "select count(*) from places_leaves l where not exists (select 1 from places_branch_leaves b where "
             "b.leaf_id = l.leaf_id)"},
            {"a link row without its place",
             "select count(*) from places_branch_leaves b where not exists (select 1 from places_leaves l where "
             "l.leaf_id = b.leaf_id)"},
            {"a link row without its category",
             "select count(*) from places_branch_leaves b where not exists (select 1 from places_root r where "
             "r.branch_id = b.branch_id)"},
            {"a category below one that does not exist",
             "select count(*) from places_root r where r.branch_id <> 0 and not exists (select 1 from places_root p "
             "where p.branch_id = r.parent_id)"},
            {"a place stored twice (the same name and address)",
             "select count(*) from places_leaves a, places_leaves b where a.leaf_id < b.leaf_id and upper(a.leaf_name) "
             "= upper(b.leaf_name) and upper(a.telephone) = upper(b.telephone)"},
        };
        for (const auto &rule : rules)
            if (const int n = TestDatabase::Scalar(QString::fromLatin1(rule.sql)).toInt(); n != 0)
                fail(QStringLiteral("%1 (%2 times)").arg(QString::fromLatin1(rule.what)).arg(n));

        QSet<QString> categories;
        for (const QStringList &row : TestDatabase::Rows(QStringLiteral("select branch_name from places_root")))
            categories.insert(row.value(0));
        QSet<QString> districts;
        for (const QStringList &row : TestDatabase::Rows(QStringLiteral("select district_name from places_district")))
            districts.insert(row.value(0));
        QHash<QString, QStringList> places; // name: id, address, telephone
        for (const QStringList &row :
             TestDatabase::Rows(QStringLiteral("select leaf_name, leaf_id, address, telephone from places_leaves")))
            places.insert(row.value(0), row.mid(1));

        QSet<QString> deletedCategories;
        QSet<qint64> deletedCategoryIds;
        QSet<QString> rewrittenPlaces; // names some update or deletion may have replaced
        QHash<QString, const JournalEntry *> updateNamed;
        for (const JournalEntry &e : std::as_const(m_entries)) {
            if (e.action == QLatin1StringView("delete-category") && written(e)) {
                deletedCategories.insert(e.from);
                deletedCategoryIds.insert(e.id);
            }
            if ((e.action == QLatin1StringView("update") || e.action == QLatin1StringView("delete-place")) &&
                written(e))
                rewrittenPlaces.insert(e.from);
            if (e.action == QLatin1StringView("update"))
                updateNamed.insert(e.name, &e);
        }

        // All of a write or none of it: a place carries the name and the category of one write.
        QMultiHash<QString, qint64> writtenUnder; // the name an add or update wrote: its category
        for (const JournalEntry &e : std::as_const(m_entries)) {
            if ((e.action == QLatin1StringView("add-place") || e.action == QLatin1StringView("update")) && written(e))
                writtenUnder.insert(e.name, e.ref);
        }
        for (const QStringList &row : TestDatabase::Rows(QStringLiteral(
                 "select l.leaf_name, b.branch_id from places_leaves l, places_branch_leaves b where l.leaf_id = "
                 "b.leaf_id"))) {
            if (writtenUnder.contains(row.value(0)) &&
                !writtenUnder.values(row.value(0)).contains(row.value(1).toLongLong()))
                fail(QStringLiteral("place \"%1\" is filed under category %2, which no write of its values chose")
                         .arg(row.value(0), row.value(1)));
        }

        for (const JournalEntry &e : std::as_const(m_entries)) {
            const bool stored = e.outcome == Outcome::Stored;
            const bool notStored =
                e.outcome == Outcome::NotStored || e.outcome == Outcome::Changed || e.outcome == Outcome::Refused;
            if (e.action == QLatin1StringView("add-category")) {
                if (stored && !categories.contains(e.name) && !deletedCategories.contains(e.name))
                    fail(who(e) + QStringLiteral(": told stored, but no such category"));
                if (notStored && categories.contains(e.name))
                    fail(who(e) + QStringLiteral(": told not stored, but the category exists"));
            } else if (e.action == QLatin1StringView("add-district")) {
                if (stored != districts.contains(e.name) && (stored || notStored))
                    fail(who(e) + QStringLiteral(": told %1, but the district %2")
                                      .arg(e.outcome, stored ? "is missing" : "exists"));
            } else if (e.action == QLatin1StringView("add-place")) {
                // An overwrite the user agreed to may replace any place with that identifier
                // (one given again after a deletion), whatever name the window showed.
                const bool overwritten = std::any_of(m_entries.cbegin(), m_entries.cend(), [&](const JournalEntry &u) {
                    return u.asked && u.outcome == Outcome::Stored && u.start > e.end;
                });
                if (stored && !places.contains(e.name) && !rewrittenPlaces.contains(e.name) && !overwritten)
                    fail(who(e) + QStringLiteral(": told stored, but no such place"));
                // A place every client may add exists when another client stored it.
                const bool twin = e.name.startsWith(QLatin1StringView("TwinN"));
                if (notStored && places.contains(e.name) && !twin)
                    fail(who(e) + QStringLiteral(": told not stored, but the place exists"));
                if (e.told.join(QLatin1Char('\n')).contains(QLatin1StringView("Repeated Entry: ")) &&
                    !std::any_of(m_entries.cbegin(), m_entries.cend(), [&](const JournalEntry &x) {
                        return &x != &e && x.action == e.action && x.name == e.name && written(x) && x.start < e.end;
                    }))
                    fail(who(e) + QStringLiteral(": told it is a repeat, but no one had added it"));
            } else if (e.action == QLatin1StringView("update")) {
                checkUpdate(e, places.contains(e.name));
                if (notStored && places.contains(e.name))
                    fail(who(e) + QStringLiteral(": told %1, but the place has its values").arg(e.outcome));
            } else if (e.action == QLatin1StringView("delete-place") ||
                       e.action == QLatin1StringView("delete-category")) {
                const bool exists = e.action == QLatin1StringView("delete-place") ? places.contains(e.from)
                                                                                  : categories.contains(e.from);
                // A place every client may add can be added again after it was deleted.
                const bool addedAgain = std::any_of(m_entries.cbegin(), m_entries.cend(), [&](const JournalEntry &x) {
                    return x.action == QLatin1StringView("add-place") && x.name == e.from && written(x) &&
                           x.end > e.start;
                });
                if (stored && exists && !addedAgain)
                    fail(who(e) + QStringLiteral(": told deleted, but it exists"));
            }
        }

        // The values each place ends with are those of the last update told stored, or a later one.
        for (auto place = places.cbegin(); place != places.cend(); ++place) {
            const qint64 id = place.value().value(0).toLongLong();
            const JournalEntry *last = updateNamed.value(place.key());
            if (last && (place.value().value(1) != place.key() || place.value().value(2) != place.key()))
                fail(
                    QStringLiteral("place %1 has the name of %2 but not all its other values").arg(id).arg(who(*last)));
            for (const JournalEntry *v : m_placeWrites.value(id)) {
                if (v->action != QLatin1StringView("update") || v->outcome != Outcome::Stored || v == last)
                    continue;
                if (v->from == place.key() || (last && v->start > last->end))
                    fail(QStringLiteral("update lost: %1 was told stored, but place %2 shows \"%3\"")
                             .arg(who(*v))
                             .arg(id)
                             .arg(place.key()));
            }
        }
    }

    // An update told stored without a question must not have written over a change someone
    // else made while its window was open.
    void checkUpdate(const JournalEntry &u, bool exists)
    {
        if (u.outcome != Outcome::Stored)
            return;
        bool replaced = false;
        for (const JournalEntry *v : m_placeWrites.value(u.id)) {
            if (v == &u || !written(*v))
                continue;
            replaced = replaced || v->end > u.start;
            if (!u.asked && v->outcome == Outcome::Stored && v->start > u.opened && v->end < u.start)
                fail(QStringLiteral("%1 overwrote %2, made while its window was open, without asking")
                         .arg(who(u), who(*v)));
        }
        if (!exists && !replaced)
            fail(who(u) + QStringLiteral(": told stored, but no place has its values"));
    }

    // Told database errors that no other client's deletion explains, per client.
    void checkFailures(int allowed, qint64 restartedAt)
    {
        QSet<qint64> deletedCategories;
        QSet<qint64> deletedPlaces;
        for (const JournalEntry &e : std::as_const(m_entries)) {
            if (e.action == QLatin1StringView("delete-category") && written(e))
                deletedCategories.insert(e.id);
            if (e.action == QLatin1StringView("delete-place") && written(e))
                deletedPlaces.insert(e.id);
        }
        QMap<int, QStringList> told;
        QMap<int, qint64> lastStored;
        for (const JournalEntry &e : std::as_const(m_entries)) {
            if (e.outcome == Outcome::Stored)
                lastStored[e.client] = qMax(lastStored.value(e.client), e.end);
            if (!e.failure || deletedCategories.contains(e.ref) ||
                e.told.join(QLatin1Char('\n')).contains(QLatin1StringView("refused by the test")) ||
                (e.action == QLatin1StringView("update") && deletedPlaces.contains(e.id)))
                continue;
            told[e.client].append(who(e) + QStringLiteral(": ") + e.told.join(QStringLiteral(" | ")).left(300));
        }
        for (auto client = told.cbegin(); client != told.cend(); ++client)
            if (client.value().size() > allowed)
                fail(QStringLiteral("client %1 was told %2 failures (%3 allowed), the first: %4")
                         .arg(client.key())
                         .arg(client.value().size())
                         .arg(allowed)
                         .arg(client.value().mid(0, 3).join(QStringLiteral("; "))));
        if (restartedAt > 0)
            for (auto client = lastStored.cbegin(); client != lastStored.cend(); ++client)
                if (client.value() < restartedAt)
                    fail(QStringLiteral("client %1 stored nothing after the server restarted").arg(client.key()));
    }

    void summarise(int clients)
    {
        QMap<QString, int> counts;
        int failures = 0;
        qint64 first = std::numeric_limits<qint64>::max(), last = 0, longest = 0;
        for (const JournalEntry &e : std::as_const(m_entries)) {
            ++counts[e.action + QStringLiteral(" ") + e.outcome];
            failures += e.failure ? 1 : 0;
            first = std::min(first, e.start);
            last = std::max(last, e.end);
            longest = std::max(longest, e.end - e.start);
        }
        QStringList parts;
        for (auto c = counts.cbegin(); c != counts.cend(); ++c)
            parts.append(QStringLiteral("%1: %2").arg(c.key()).arg(c.value()));
        // The figures the README's load section gives for a run by hand.
        const double seconds = last > first ? double(last - first) / 1000 : 0;
        qInfo("%d clients on %s, %lld journal lines, %d told a database error, %.0f actions a second, the longest "
              "wait %lld ms; %s",
              clients, qPrintable(TestDatabase::BackendName()), qlonglong(m_entries.size()), failures,
              seconds > 0 ? double(m_entries.size()) / seconds : 0.0, qlonglong(longest),
              qPrintable(parts.join(QStringLiteral(", "))));
    }

private Q_SLOTS:
    void clientsAgreeWithTheDatabase()
    {
        const int clients = setting("TARNWICK_LOAD_CLIENTS", 4);
        const int actions = setting("TARNWICK_LOAD_ACTIONS", 150);
        const int seed = setting("TARNWICK_LOAD_SEED", 20261208);
        const bool restart = qEnvironmentVariable("TARNWICK_LOAD_RESTART") == QLatin1StringView("1");
        const bool failover = qEnvironmentVariable("TARNWICK_LOAD_FAILOVER") == QLatin1StringView("1");
        if (restart &&
            (!TestDatabase::IsPostgreSQL() || qEnvironmentVariableIsEmpty("TARNWICK_TEST_POSTGRESQL_RESTART")))
            QSKIP("The restart needs the command that restarts the test server (TARNWICK_TEST_POSTGRESQL_RESTART)");
        if (failover && (!TestDatabase::IsPostgreSQL() || qEnvironmentVariableIsEmpty("TARNWICK_TEST_FAILOVER")))
            QSKIP("The failover needs the test script's command for a primary and standby (TARNWICK_TEST_FAILOVER)");
        QString pair;
        const auto stopPair = qScopeGuard([&] {
            if (!pair.isEmpty())
                runScript(qEnvironmentVariable("TARNWICK_TEST_FAILOVER") + QStringLiteral(" stop ") + pair);
        });
        if (failover) {
            const QString error = startFailoverPair(&pair);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }

        TestDatabase::ResetWithSample();
        // Every tenth place's row refused as it is added or updated, SQLite then ending the
        // transaction as at a full disk: nothing else of that write may be stored.
        for (const char *statement : {"insert", "update"})
            TestDatabase::Refuse(QString::fromLatin1(statement), QStringLiteral("places_leaves"),
                                 TestDatabase::Refusal::EndingTransaction, QStringLiteral("NEW.leaf_name like '%7'"));
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // TARNWICK_LOAD_KEEP=1 keeps the journals to read after a run.
        folder.setAutoRemove(!qEnvironmentVariableIsSet("TARNWICK_LOAD_KEEP"));
        qInfo("journals in %s", qPrintable(folder.path()));
        // Every client pauses a third of the way through, so each has as many actions after the
        // restart or the failover, however unevenly they run.
        const QString pause = folder.filePath(QStringLiteral("pause"));
        if (restart || failover)
            QFile(pause).open(QIODevice::WriteOnly);
        std::vector<std::unique_ptr<QProcess>> processes;
        QStringList journals;
        for (int k = 1; k <= clients; ++k) {
            journals.append(folder.filePath(QStringLiteral("client-%1.jsonl").arg(k)));
            auto &process = processes.emplace_back(std::make_unique<QProcess>());
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->start(QStringLiteral(TARNWICK_LOAD_CLIENT),
                           {QStringLiteral("--database"), TestDatabase::Descriptor(), QStringLiteral("--journal"),
                            journals.last(), QStringLiteral("--client"), QString::number(k), QStringLiteral("--seed"),
                            QString::number(seed + k), QStringLiteral("--actions"), QString::number(actions),
                            QStringLiteral("--pause"), pause});
        }

        // Generous: a shared CI machine may run the clients slowly, but never for ever.
        const qint64 deadline = 120000 + qint64(clients) * actions * 150;
        QElapsedTimer timer;
        timer.start();
        qint64 restartedAt = 0;
        for (bool running = true; running && timer.elapsed() < deadline;) {
            QTest::qWait(100);
            running = false;
            for (const auto &process : processes)
                running = running || process->state() != QProcess::NotRunning;
            // With every client paused, the server restarts, or the primary dies and its standby
            // takes over; the clients go on with the connections they had.
            bool paused = restartedAt == 0 && QFile::exists(pause);
            for (int k = 0; k < clients; ++k)
                paused = paused && (QFile::exists(pause + QStringLiteral(".%1").arg(k + 1)) ||
                                    processes[std::size_t(k)]->state() == QProcess::NotRunning);
            if (paused) {
                restartedAt = now();
                const QString error = runScript(failover ? qEnvironmentVariable("TARNWICK_TEST_FAILOVER") +
                                                               QStringLiteral(" fail-over ") + pair
                                                         : qEnvironmentVariable("TARNWICK_TEST_POSTGRESQL_RESTART"));
                QFile::remove(pause);
                QVERIFY2(error.isEmpty(), qPrintable(error));
                qInfo("server %s after %lld ms", failover ? "failed over" : "restarted", qlonglong(timer.elapsed()));
            }
        }
        for (std::size_t k = 0; k < processes.size(); ++k) {
            QProcess &process = *processes[k];
            if (process.state() != QProcess::NotRunning) {
                process.kill();
                process.waitForFinished();
                fail(QStringLiteral("client %1 did not finish in %2 s").arg(k + 1).arg(deadline / 1000));
            } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
                fail(QStringLiteral("client %1 ended with %2: %3")
                         .arg(k + 1)
                         .arg(process.exitCode())
                         .arg(QString::fromLocal8Bit(process.readAll()).right(2000)));
            }
        }
        if (restart || failover) {
            QVERIFY2(restartedAt > 0, "the clients ended before the server was restarted or failed over");
            // This connection was lost with the others.
            Processing::DbConn().close();
            try {
                Processing::DbConn().open(Processing::DatabaseDescriptor::parse(TestDatabase::Descriptor()));
            } catch (const Processing::DbError &error) {
                QFAIL(qPrintable(QStringLiteral("the server cannot be reached afterwards: ") + error.message()));
            }
        }

        m_entries = ReadJournals(journals, &m_failures);
        for (const JournalEntry &e : std::as_const(m_entries))
            if (e.action == QLatin1StringView("update") || e.action == QLatin1StringView("delete-place"))
                m_placeWrites[e.id].append(&e);
        if (m_entries.size() != qsizetype(clients) * actions)
            fail(QStringLiteral("%1 journal lines, not %2").arg(m_entries.size()).arg(clients * actions));
        summarise(clients);
        checkRows();
        checkFailures(restart || failover ? 1 : 0, restartedAt);
        if (!m_failures.isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("%1 disagreements (seed %2); the first ones:\n").arg(m_failures.size()).arg(seed) +
                m_failures.mid(0, 20).join(QLatin1Char('\n'))));
    }
};

int main(int argc, char *argv[])
{
    // A run by hand of thousands of actions takes longer than Qt Test allows one test function.
    if (qEnvironmentVariableIsSet("TARNWICK_LOAD_ACTIONS") && !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    return TestSupport::run<TestLoad>(argc, argv);
}

#include "tst_load.moc"
