#include "data/DbError.h"
#include "data/connection/ConnectDB.h"
#include "data/connection/Connection.h"
#include "data/connection/Recordset.h"
#include "data/safety/Redaction.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/Environment.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Processing;

// Names with characters a connection string treats specially reach the server as typed.
class TestExactNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { DbConn().close(); }

    // A NUL would end the name wherever it is handed on as a C string: SQLite would make a file
    // at the cut path, libpq would be given another name, and a message would stop there.
    void aNulIsRefused_data()
    {
        QTest::addColumn<QString>("descriptor");
        QTest::newRow("sqlite path") << QStringLiteral("sqlite:%1/cut") + QChar(0) + QStringLiteral("after.sqlite");
        QTest::newRow("postgresql user") << QStringLiteral("postgresql://ann%00after@127.0.0.1:1/dir");
        QTest::newRow("postgresql name") << QStringLiteral("postgresql://ann@127.0.0.1:1/dir%00after");
        QTest::newRow("odbc") << QStringLiteral("odbc:DSN=dir") + QChar(0) + QStringLiteral("after");
    }

    void aNulIsRefused()
    {
        QFETCH(QString, descriptor);
        QTemporaryDir folder;
        descriptor.replace(QStringLiteral("%1"), folder.path());
        const ConnectOutcome outcome = ConnectDB(folder.path(), {descriptor, descriptor});
        QVERIFY(!outcome.connected);
        QVERIFY2(outcome.error.contains(QStringLiteral("it holds a NUL character")), qPrintable(outcome.error));
        QVERIFY2(Redacted(outcome.error).contains(QStringLiteral("after")), qPrintable(Redacted(outcome.error)));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void namesWithSemicolonsReachTheServerExactly()
    {
        if (!TestDatabase::IsPostgreSQL() || TestDatabase::IsOdbc())
            QSKIP("the PostgreSQL server through its own driver only");
        TestDatabase::Reset();
        const QString name = QStringLiteral("tarnwick;names 'x'");
        TestDatabase::Exec(QStringLiteral("drop database if exists \"%1\"").arg(name));
        TestDatabase::Exec(QStringLiteral("create database \"%1\"").arg(name));
        QUrl address(TestDatabase::OwnerDescriptor());
        address.setPath(QLatin1Char('/') + name);
        DbConn().open(DatabaseDescriptor::parse(address.toString()));
        QCOMPARE(DbConn().openRecordset(QStringLiteral("select current_database()")).value(0, 0).toString(), name);
        DbConn().close();
        TestDatabase::Exec(QStringLiteral("drop database \"%1\"").arg(name));

        // No such user: the server's refusal names the one it was given.
        address.setPath(QStringLiteral("/postgres"));
        address.setUserName(QStringLiteral("ann;x"));
        address.setPassword(QStringLiteral("not-hers"));
        try {
            DbConn().open(DatabaseDescriptor::parse(address.toString()));
            QFAIL("a user nobody made was let in");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("\"ann;x\"")), qPrintable(error.message()));
        }
    }
};

TARNWICK_TEST_MAIN(TestExactNames)
#include "tst_exact_names.moc"
