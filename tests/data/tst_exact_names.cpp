#include "data/Connection.h"
#include "data/DatabaseDescriptor.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QTest>
#include <QUrl>

using namespace Processing;

// Names with characters a connection string treats specially reach the server as typed.
class TestExactNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { DbConn().close(); }

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
