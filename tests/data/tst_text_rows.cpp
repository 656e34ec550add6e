#include "data/connection/Connection.h"
#include "data/rows/TextRows.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Processing;

namespace {

// Each row as "text|value of the second column", and after the last the failure, if any.
QStringList readByQtSql(const QString &sql)
{
    QSqlQuery query(DbConn().database());
    query.setForwardOnly(true);
    if (!query.exec(DbConn().sent(sql)))
        qFatal("%s", qPrintable(Connection::lastQueryError(query)));
    QStringList rows;
    while (query.next()) {
        const QVariant value = query.value(0);
        rows.append((value.isNull() ? QString() : value.toString()) + QLatin1Char('|') + query.value(1).toString());
    }
    rows.append(Connection::lastQueryError(query));
    return rows;
}

QStringList readAsText(const QString &sql, bool *narrowSeen = nullptr)
{
    const std::unique_ptr<TextRows> reader = ReadTextRows(DbConn().run(sql), DbConn().database());
    QStringList rows;
    while (reader->next()) {
        const TextCell cell = reader->text(0);
        if (narrowSeen && !cell.wide)
            *narrowSeen = true;
        rows.append(TextOf(cell) + QLatin1Char('|') + reader->value(1).toString());
    }
    rows.append(reader->failure());
    return rows;
}

// SQLite reached through Qt's own driver: the one route read through the database's own API.
bool nativeRoute()
{
    return DbConn().database().driverName() == QLatin1StringView("QSQLITE");
}

} // namespace

// The list's rows read as texts: the same whether through the database's own API or Qt SQL.
class TestTextRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { TestDatabase::Reset(); }

    void sameRowsEitherWay_data()
    {
        QTest::addColumn<QString>("value");
        const QString longText = QString(QStringLiteral("Nile Corniche ")).repeated(400) +
                                 QString(QStringLiteral("كورنيش النيل ")).repeated(400);
        QTest::newRow("null") << QStringLiteral("NULL");
        QTest::newRow("empty") << QStringLiteral("''");
        QTest::newRow("blanks") << QStringLiteral("'   '");
        QTest::newRow("ascii") << QStringLiteral("'O''Brien Cafe'");
        QTest::newRow("latin-1") << QStringLiteral("'Café Zürich'");
        QTest::newRow("arabic and euro") << QStringLiteral("'مطعم النيل €'");
        QTest::newRow("beyond the basic plane") << QStringLiteral("'Falafel 🥙'");
        // Bytes SQLite stores as a text although they are no UTF-8: an overlong NUL, a lone lead byte.
        QTest::newRow("malformed UTF-8") << QStringLiteral("cast(x'4361c080e961' as text)");
        QTest::newRow("malformed UTF-8, high byte last only") << QStringLiteral("cast(x'436166e9' as text)");
        QTest::newRow("very long") << QLatin1Char('\'') + longText + QLatin1Char('\'');
        QTest::newRow("integer") << QStringLiteral("41");
        QTest::newRow("negative integer") << QStringLiteral("-7");
        QTest::newRow("64-bit integer") << QStringLiteral("12345678901");
        QTest::newRow("fraction") << QStringLiteral("2.5");
        QTest::newRow("whole fraction") << QStringLiteral("1.0");
    }

    void sameRowsEitherWay()
    {
        QFETCH(QString, value);
        if (!nativeRoute() && QByteArray(QTest::currentDataTag()).startsWith("malformed UTF-8"))
            QSKIP("PostgreSQL stores no malformed UTF-8.");
        // Three rows, so that the first (which the driver reads while it runs the statement)
        // and the ones after it are all compared; then none at all.
        const QString sql = QStringLiteral("select %1 as v, 1 as k union all select %1, 2 union all select %1, "
                                           "12345678901")
                                .arg(value);
        bool narrowSeen = false;
        const QStringList read = readAsText(sql, &narrowSeen);
        QCOMPARE(read, readByQtSql(sql));
        QCOMPARE(read.size(), 4);
        const QString none = QStringLiteral("select * from (%1) found where k = 0").arg(sql);
        QCOMPARE(readAsText(none), QStringList{QString()});
        // SQLite hands a plain ASCII text over as it stores it, without a UTF-16 copy.
        const bool plain = QTest::currentDataTag() == QByteArray("ascii");
        if (nativeRoute() && plain)
            QVERIFY(narrowSeen);
    }

    void closedConnectionEndsTheRead()
    {
        if (!nativeRoute())
            QSKIP("Only SQLite's own reader holds the statement itself; the others read through Qt SQL.");
        const QString sql = QStringLiteral("select 'a' as v, 1 as k union all select 'b', 2");
        const std::unique_ptr<TextRows> reader = ReadTextRows(DbConn().run(sql), DbConn().database());
        QVERIFY(reader->next());
        // Closing finalizes the statement under the reader: it ends, as Qt SQL ends, not reads on.
        DbConn().database().close();
        QVERIFY(!reader->next());
        QCOMPARE(reader->failure(), QStringLiteral("Unable to fetch row: No query"));
    }

    void failureReadsTheSame()
    {
        if (!nativeRoute())
            QSKIP("Only SQLite fails on its second row here; the other routes read through Qt SQL alone.");
        // The second row overflows a 64-bit integer: the first is read, then the reading fails.
        const QString sql =
            QStringLiteral("select case when k = 2 then abs(-9223372036854775807 + 1 - k) else 'first' end as v, k "
                           "from (select 1 as k union all select 2) numbers");
        const QStringList read = readAsText(sql);
        QCOMPARE(read, readByQtSql(sql));
        QCOMPARE(read.size(), 2);
        QVERIFY2(read.last().contains(QStringLiteral("integer overflow")), qPrintable(read.last()));
    }
};

TARNWICK_TEST_MAIN(TestTextRows)
#include "tst_text_rows.moc"
