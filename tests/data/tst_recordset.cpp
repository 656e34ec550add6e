#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/connection/ConnectionLoss.h"
#include "data/connection/FieldValues.h"
#include "data/connection/Transaction.h"
#include "data/drivers/SqliteFunctions.h"
#include "data/rows/ReferenceListReads.h"
#include "support/DatabaseFaults.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <sqlite3.h>

using namespace Processing;

Q_DECLARE_METATYPE(std::optional<QList<qint32>>)

// Results, the reference lists, statements and transactions over the program's connection.
class TestRecordset : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        TestDatabase::Reset({QStringLiteral("root.sql")});
        TestDatabase::Exec(QStringList{
            QStringLiteral("insert into places_district values (1, 'Zamalek', 3)"),
            QStringLiteral("insert into places_district values (2, 'Dokki', 7)"),
            QStringLiteral("insert into places_district values (3, 'Maadi', 3)"),
            QStringLiteral("insert into places_district values (4, 'Agouza', 12)"),
            QStringLiteral("insert into places_district values (5, NULL, NULL)"),
        });
    }

    void countNullsAndNames()
    {
        const Recordset rs = DbConn().openRecordset(QStringLiteral("Select * from Places_District "));
        QCOMPARE(rs.RecordCount(), 5);
        const int id = rs.field(QStringLiteral("DISTRICT_ID"));
        QCOMPARE(rs.field(QStringLiteral("district_id")), id);
        const int name = rs.field(QStringLiteral("District_Name"));
        const int city = rs.field(QStringLiteral("CITY_ID"));
        QVERIFY_THROWS_EXCEPTION(DbError, rs.field(QStringLiteral("ename")));

        int nullRow = -1;
        for (int row = 0; row < rs.RecordCount(); ++row) {
            if (rs.int32(row, id) == 5)
                nullRow = row;
        }
        QVERIFY(nullRow >= 0);
        QVERIFY(rs.isNull(nullRow, name));
        QCOMPARE(rs.text(nullRow, name), QString());
        QCOMPARE(rs.int32(nullRow, city), std::nullopt);

        const Recordset max = DbConn().openRecordset(QStringLiteral("Select Max(Leaf_ID) LCount from PLACES_LEAVES "));
        QCOMPARE(max.RecordCount(), 1);
        QVERIFY(max.isNull(0, max.field(QStringLiteral("LCount"))));

        try {
            rs.field(QStringLiteral("no_such_column"));
            QFAIL("an unknown column was found");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("no_such_column")));
        }
    }

    void identifiersBeyondSixteenBits()
    {
        TestDatabase::Exec(QStringLiteral("insert into places_district values (32767, 'Top', 3)"));
        TestDatabase::Exec(QStringLiteral("insert into places_district values (32768, 'Beyond', 3)"));
        const Recordset rs =
            DbConn().openRecordset(QStringLiteral("Select * from Places_District where district_id > 32000"));
        const int id = rs.field(QStringLiteral("district_id"));
        QList<std::optional<qint32>> ids;
        for (int row = 0; row < rs.RecordCount(); ++row)
            ids.append(rs.int32(row, id));
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids, (QList<std::optional<qint32>>{32767, 32768}));
    }

    // Numbers as drivers hand them over: integers, decimals, texts; none that is no whole
    // number, and none beyond 64 bits (converting those would be undefined).
    void wholeNumbersFromAnyDriver()
    {
        QCOMPARE(WholeNumber(QVariant(qlonglong(-7))), std::optional<qint64>(-7));
        QCOMPARE(WholeNumber(QVariant(12.0)), std::optional<qint64>(12));
        QCOMPARE(WholeNumber(QVariant(QStringLiteral("12"))), std::optional<qint64>(12));
        QCOMPARE(WholeNumber(QVariant(QStringLiteral("12.0"))), std::optional<qint64>(12));
        QCOMPARE(WholeNumber(QVariant(12.5)), std::nullopt);
        QCOMPARE(WholeNumber(QVariant(1e300)), std::nullopt);
        QCOMPARE(WholeNumber(QVariant(9223372036854775808.0)), std::nullopt);
        QCOMPARE(WholeNumber(QVariant(qQNaN())), std::nullopt);
        QCOMPARE(WholeNumber(QVariant(QStringLiteral("twelve"))), std::nullopt);
        QCOMPARE(WholeNumber(QVariant(QMetaType::fromType<qlonglong>())), std::nullopt); // NULL
        QCOMPARE(Int32Of(QVariant(qlonglong(2147483648LL))), std::nullopt);
        QCOMPARE(Int32Of(QVariant(32768.0)), std::optional<qint32>(32768));
    }

    void districtsOfCities_data()
    {
        QTest::addColumn<std::optional<QList<qint32>>>("cities");
        QTest::addColumn<QList<int>>("districts");
        QTest::newRow("every district") << std::optional<QList<qint32>>() << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("one city") << std::optional<QList<qint32>>(QList<qint32>{3}) << QList<int>{1, 3};
        QTest::newRow("no city") << std::optional<QList<qint32>>(QList<qint32>()) << QList<int>{};
        QTest::newRow("several") << std::optional<QList<qint32>>(QList<qint32>{3, 7}) << QList<int>{1, 2, 3};
        QTest::newRow("three") << std::optional<QList<qint32>>(QList<qint32>{3, 7, 12}) << QList<int>{1, 2, 3, 4};
    }

    void districtsOfCities()
    {
        QFETCH(std::optional<QList<qint32>>, cities);
        QFETCH(QList<int>, districts);
        TestDatabase::Exec(QStringLiteral("insert into places_district values (6, 'Heliopolis', 1)"));
        QList<int> ids;
        for (const ReferenceEntry &entry : ReadDistricts(cities))
            ids.append(entry.id);
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids, districts);
    }

    void statementsAndTransactions()
    {
        DbConn().execute(QStringLiteral(" Insert into PLACES_DISTRICT  values ( 6 , 'Giza' , 3 )"));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), 6);

        DbConn().begin();
        DbConn().execute(QStringLiteral("delete from places_district where district_id = 6"));
        DbConn().rollback();
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), 6);

        DbConn().begin();
        DbConn().execute(QStringLiteral("delete from places_district where district_id = 6"));
        bool refused = false;
        try {
            DbConn().execute(QStringLiteral("insert into places_district values (1, 'Twice', 3)"));
        } catch (const DbError &error) {
            refused = true;
            QVERIFY(!error.driverText().isEmpty());
            // A taken identifier must be recognisable by the database's code, whatever the road.
            if (TestDatabase::IsPostgreSQL())
                QCOMPARE(error.sqlState(), QStringLiteral("23505"));
            else
                QVERIFY(!error.nativeCode().isEmpty());
        }
        QVERIFY(refused);
        DbConn().rollback();
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), 6);

        DbConn().begin();
        DbConn().execute(QStringLiteral("delete from places_district where district_id = 6"));
        DbConn().commit();
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), 5);

        // SQLite ends the transaction at some failures (a full disk): what follows is not stored on
        // its own, and the rollback has nothing left to do.
        if (TestDatabase::IsPostgreSQL())
            return;
        TestDatabase::Refuse(QStringLiteral("insert"), QStringLiteral("cm_city"),
                             TestDatabase::Refusal::EndingTransaction);
        DbConn().begin();
        QVERIFY_THROWS_EXCEPTION(DbError, DbConn().execute(QStringLiteral("insert into cm_city values (5, 'X')")));
        QVERIFY_THROWS_EXCEPTION(DbError, DbConn().execute(QStringLiteral("delete from places_district")));
        DbConn().rollback();
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), 5);

        // A commit SQLite refuses (another connection still reading) leaves the transaction open;
        // rolled back, it stores nothing and holds no lock, and the next write goes through.
        {
            DatabaseFaults reader;
            reader.exec(QStringLiteral("begin"));
            reader.exec(QStringLiteral("select count(*) from places_district"));
            TestDatabase::Exec(QStringLiteral("pragma busy_timeout = 20"));
            DbConn().begin();
            DbConn().execute(QStringLiteral("delete from places_district"));
            QVERIFY_THROWS_EXCEPTION(DbError, DbConn().commit());
            reader.exec(QStringLiteral("commit"));
        }
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), 5);
        QVERIFY(!RunAsOneWrite({QStringLiteral("delete from places_district where district_id = 5")}));
    }

    // One write: its statements run up to the first refusal, which is told and ends it; only a
    // write without one is committed.
    void writesTakeEffectTogether_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("refused"); // the statement the failure names; empty: stored
        QTest::addColumn<int>("districts");
        const QString giza = QStringLiteral("insert into places_district values (6, 'Giza', 3)");
        const QString twice = QStringLiteral("insert into places_district values (1, 'Twice', 3)");
        const QString drop = QStringLiteral("delete from places_district where district_id = 2");
        QTest::newRow("all stored") << QStringList{giza, drop} << QString() << 5;
        QTest::newRow("second refused") << QStringList{giza, twice} << twice << 5;
        QTest::newRow("first refused, second not sent") << QStringList{twice, drop} << twice << 5;
        QTest::newRow("nothing to do") << QStringList{} << QString() << 5;
    }

    void writesTakeEffectTogether()
    {
        QFETCH(QStringList, statements);
        QFETCH(QString, refused);
        QFETCH(int, districts);
        StatementTrace trace;
        const std::optional<DbError> failure = RunAsOneWrite(statements);
        for (qsizetype i = statements.indexOf(refused) + 1; !refused.isEmpty() && i < statements.size(); ++i)
            QVERIFY2(!trace.statements().contains(statements.at(i)), qPrintable(statements.at(i)));
        QCOMPARE(failure.has_value(), !refused.isEmpty());
        if (failure)
            QVERIFY2(failure->what().contains(refused.simplified()), qPrintable(failure->what()));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), districts);

        // Left without finishing, a write is undone and the connection takes the next one.
        {
            Transaction write;
            write.execute(QStringLiteral("delete from places_district"));
        }
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), districts);
        QVERIFY(!RunAsOneWrite({QStringLiteral("delete from places_district where district_id = 5")}));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district")).toInt(), districts - 1);
        if (!trace.active() && !refused.isEmpty() && statements.indexOf(refused) + 1 < statements.size())
            QSKIP(StatementTrace::NotSeen);
    }

    void upperFoldsEveryLetter()
    {
        QString foreign;
        if (DbConn().dialect() == Dialect::SQLite && !SharedSqliteHandle(DbConn().database(), &foreign))
            QSKIP(qPrintable(QStringLiteral("upper() is SQLite's own here: ") + foreign));
        // The duplicate check and the name search compare upper-cased texts.
        TestDatabase::Exec(QStringLiteral("insert into places_district values (9, 'Café Ünder', 3)"));
        const Recordset rs = DbConn().openRecordset(
            QStringLiteral("select district_id from places_district where upper(district_name) = upper('CAFÉ ünder')"));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select upper('ünder ǆ é ж')")).toString(),
                 QStringLiteral("ÜNDER Ǆ É Ж"));
        QVERIFY(TestDatabase::Scalar(QStringLiteral("select upper(NULL)")).isNull());
        // ASCII texts take a shorter way, to the same capitals.
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select upper('az AZ 09 _%{~')")).toString(),
                 QStringLiteral("AZ AZ 09 _%{~"));
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select upper('') || '|'")).toString(), QStringLiteral("|"));
    }

    void sqliteHookOnlyOnTheProgramsLibrary()
    {
        if (DbConn().dialect() != Dialect::SQLite)
            QSKIP("SQLite only");
        QString foreign;
        const bool shared = SharedSqliteHandle(DbConn().database(), &foreign) != nullptr;
        QCOMPARE(foreign.isEmpty(), shared);
        if (shared)
            QCOMPARE(TestDatabase::Scalar(QStringLiteral("select sqlite_version()")).toString(),
                     QString::fromLatin1(sqlite3_libversion()));
        else
            QCOMPARE(TestDatabase::Scalar(QStringLiteral("select upper('é')")).toString(), QStringLiteral("é"));
#ifdef Q_OS_LINUX
        // A witness of its own: a driver that runs on the shared library names it among those it
        // needs; one with SQLite built in does not.
        QString plugin;
        for (const QString &folder : QCoreApplication::libraryPaths()) {
            if (QFile::exists(folder + QStringLiteral("/sqldrivers/libqsqlite.so"))) {
                plugin = folder + QStringLiteral("/sqldrivers/libqsqlite.so");
                break;
            }
        }
        QFile file(plugin);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(plugin));
        QCOMPARE(shared, file.readAll().contains("libsqlite3.so"));
#endif
    }

    // A connection that drops without a word from the server reaches the program only as a
    // connection exception (class 08, as ODBC drivers report it); a refused row or a lost race
    // leaves the open connection as it is, to be retried or told, never opened anew.
    void lossIsKnownByItsCode_data()
    {
        QTest::addColumn<QString>("sqlState");
        QTest::addColumn<bool>("lost");
        QTest::newRow("link failure 08S01") << QStringLiteral("08S01") << true;
        QTest::newRow("connection failure 08006") << QStringLiteral("08006") << true;
        QTest::newRow("no connection 08003") << QStringLiteral("08003") << true;
        QTest::newRow("session ended 57P01") << QStringLiteral("57P01") << true;
        QTest::newRow("taken identifier 23505") << QStringLiteral("23505") << false;
        QTest::newRow("serialization failure 40001") << QStringLiteral("40001") << false;
    }
    void lossIsKnownByItsCode()
    {
        QFETCH(QString, sqlState);
        QFETCH(bool, lost);
        QVERIFY(DbConn().isOpen());
        QCOMPARE(ConnectionLost(DbConn().database(), DbError(QStringLiteral("A test."), QString(), sqlState)), lost);
    }

    void refusedQueriesThrow()
    {
        try {
            DbConn().openRecordset(QStringLiteral("select * from no_such_table"));
            QFAIL("accepted");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("no_such_table")));
        }
        try {
            DbConn().execute(QStringLiteral("update nothing set x = 1"));
            QFAIL("accepted");
        } catch (const DbError &) {
        }
    }
};

TARNWICK_TEST_MAIN(TestRecordset)
#include "tst_recordset.moc"
