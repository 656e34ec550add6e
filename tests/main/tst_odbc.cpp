#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/drivers/OdbcDriver.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/Environment.h"
#include "data/statements/Queries.h"
#include "data/writes/NewRowWrite.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/Recorders.h"
#include "support/TestMain.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace BrowsingFixture;
using namespace Processing;

// The ODBC road on a second driver beside the PostgreSQL one the database tests run through:
// SQLite's ODBC driver on a file made by the program's own scripts, started and browsed as the
// program does; and connection strings reaching Qt's ODBC driver as they were written.
class TestOdbc : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_path;
    QString m_descriptor;

    // The number of rows a query gives on the file through SQLite's own driver.
    int nativeCount(const QString &sql)
    {
        int count = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("native"));
            db.setDatabaseName(m_path);
            if (db.open()) {
                QSqlQuery query(db);
                if (query.exec(sql) && query.next())
                    count = query.value(0).toInt();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("native"));
        return count;
    }

    // Whether another connection could begin writing to the file at once.
    bool nativeCanWrite()
    {
        bool can = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("native"));
            db.setDatabaseName(m_path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            if (db.open()) {
                QSqlQuery query(db);
                can = query.exec(QStringLiteral("begin immediate"));
                query.exec(QStringLiteral("rollback"));
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("native"));
        return can;
    }

private Q_SLOTS:
    void connectionStringsReachQtAsWritten_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("forQt");
        QTest::newRow("data-source name") << QStringLiteral("directory") << QStringLiteral("directory");
        QTest::newRow("DSN first") << QStringLiteral("DSN=directory;UID=ann;PWD=p")
                                   << QStringLiteral("directory;UID=ann;PWD=p");
        QTest::newRow("DSN later") << QStringLiteral("UID=ann;dsn=directory;Database=d")
                                   << QStringLiteral("directory;UID=ann;Database=d");
        QTest::newRow("driver") << QStringLiteral("Driver={Oracle 21 ODBC driver};DBQ=DIR1;UID=ann")
                                << QStringLiteral("Driver={Oracle 21 ODBC driver};DBQ=DIR1;UID=ann");
        QTest::newRow("data source and driver") << QStringLiteral("DSN=d;DRIVER=x") << QStringLiteral("DSN=d;DRIVER=x");
        QTest::newRow("file data source") << QStringLiteral("C:/odbc/dir.dsn") << QStringLiteral("C:/odbc/dir.dsn");
    }

    void connectionStringsReachQtAsWritten()
    {
        QFETCH(QString, written);
        QFETCH(QString, forQt);
        QCOMPARE(QtOdbcName(written), forQt);
    }

    void initTestCase()
    {
        const QStringList drivers = QDir(QStringLiteral("/usr/lib")).entryList({QStringLiteral("*")}, QDir::Dirs);
        QString driver;
        for (const QString &folder : drivers) {
            const QString candidate = QStringLiteral("/usr/lib/%1/odbc/libsqlite3odbc.so").arg(folder);
            if (QFile::exists(candidate))
                driver = candidate;
        }
        if (driver.isEmpty())
            QFAIL("The SQLite ODBC driver (libsqliteodbc) is not installed.");
        QVERIFY(m_folder.isValid());
        m_path = m_folder.filePath(QStringLiteral("directory.sqlite"));
        EnsureEmbeddedDatabase(m_path, EmbeddedDatabaseScripts(true));
        m_descriptor = QStringLiteral("odbc:Driver=%1;Database=%2").arg(driver, m_path);
    }

    void cleanup() { DbConn().close(); }

    void theProgramStartsAndListsTheSampleDirectory()
    {
        DbConn().close();
        MessageRecorder messages;
        frmMain window({.databases = {m_descriptor, m_descriptor}});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(messages.count(), 0);
        QCOMPARE(BrowsingFixture::PanelText(window, 2), QStringLiteral("Connected To DB"));
        QCOMPARE(DbConn().database().driverName(), QStringLiteral("QODBC"));
        // The driver's word, not the descriptor's scheme: SQLite has no "= any (", which the
        // tree's own query uses.
        QCOMPARE(DbConn().dialect(), Dialect::SQLite);
        const int categories =
            nativeCount(QStringLiteral("select count(*) from places_root where parent_id = 0 and branch_id <> 0"));
        QVERIFY(categories > 0);
        QCOMPARE(ChildCount(Tree(window)->model()->index(0, 0)), categories);

        const int places =
            nativeCount(QStringLiteral("select count(*) from (") + GetPlacesQuery(-1) + QStringLiteral(")"));
        QVERIFY(places > 0);
        window.UpdateList(-1);
        QCOMPARE(List(window)->model()->rowCount(), places);

        window.SetSearchStr(
            QStringLiteral(" places_leaves.city = any (1, 2) and upper(places_leaves.leaf_name) like '%A%'"));
        const int found = nativeCount(QStringLiteral("select count(*) from (") + GetPlacesQuery(-1) +
                                      QStringLiteral(" AND places_leaves.city in (1, 2) and "
                                                     "upper(places_leaves.leaf_name) like '%A%')"));
        QVERIFY(found > 0 && found < places);
        window.UpdateList(-1);
        QCOMPARE(List(window)->model()->rowCount(), found);
        QCOMPARE(messages.count(), 0);
    }

    void writesNullsAndFailuresAsOnTheFile()
    {
        DbConn().open(DatabaseDescriptor::parse(m_descriptor));
        // A write holds the file's write lock from its start, so the reads that decide it stay true.
        QVERIFY(nativeCanWrite());
        DbConn().begin();
        QVERIFY(!nativeCanWrite());
        DbConn().execute(QStringLiteral("insert into places_district values (900, 'Odbc', 1)"));
        DbConn().rollback();
        QVERIFY(nativeCanWrite());
        QCOMPARE(nativeCount(QStringLiteral("select count(*) from places_district where district_id = 900")), 0);

        DbConn().begin();
        DbConn().execute(QStringLiteral("insert into places_district values (900, 'Odbc', 1)"));
        DbConn().commit();
        QCOMPARE(nativeCount(QStringLiteral("select count(*) from places_district where district_id = 900")), 1);

        try {
            DbConn().execute(QStringLiteral("insert into places_district values (900, 'Twice', 1)"));
            QFAIL("a taken identifier was accepted");
        } catch (const DbError &error) {
            QVERIFY(error.driverText().contains(QStringLiteral("UNIQUE")));
            QCOMPARE(error.sqlState().size(), 5);
            QVERIFY(!error.nativeCode().isEmpty());
            QVERIFY(IsKeyTaken(error, DbConn().dialect()));
        }

        const Recordset rs = DbConn().openRecordset(
            QStringLiteral("select leaf_id, web_link from places_leaves where web_link is null"));
        QVERIFY(rs.RecordCount() > 0);
        QVERIFY(rs.int32(0, rs.field(QStringLiteral("LEAF_ID"))).has_value());
        QVERIFY(rs.isNull(0, rs.field(QStringLiteral("WEB_LINK"))));
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("WEB_LINK"))), QString());
    }
};

TARNWICK_TEST_MAIN(TestOdbc)

#include "tst_odbc.moc"
