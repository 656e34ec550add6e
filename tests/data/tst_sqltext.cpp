#include "data/statements/Dialect.h"
#include "data/statements/Queries.h"
#include "data/statements/SqlText.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;

// Quoting of typed text and the dialect adaptation: the only two places that change what a
// statement says.
class TestSqlText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quoting_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << QStringLiteral("Cafe Nile") << QStringLiteral("Cafe Nile");
        QTest::newRow("apostrophe") << QStringLiteral("Joe's") << QStringLiteral("Joe''s");
        QTest::newRow("doubled") << QStringLiteral("''") << QStringLiteral("''''");
        QTest::newRow("lone") << QStringLiteral("'") << QStringLiteral("''");
        QTest::newRow("injection") << QStringLiteral("' OR '1'='1") << QStringLiteral("'' OR ''1''=''1");
        QTest::newRow("wildcards stay") << QStringLiteral("50%_off") << QStringLiteral("50%_off");
        QTest::newRow("empty") << QString() << QString();
    }

    void quoting()
    {
        QFETCH(QString, typed);
        QFETCH(QString, quoted);
        QCOMPARE(SqlText(typed), quoted);
    }

    void oracleGetsTextsUnchanged()
    {
        for (const QString &sql : {GetSubCatQuery(0), GetSubCatQuery(3), GetPlacesQuery(4)})
            QCOMPARE(AdaptSql(sql, Dialect::Oracle), sql);
    }

    void anyBecomesIn()
    {
        const QString expected =
            QStringLiteral(" select *  from places_root  where (    places_root.PARENT_ID  in (             select  "
                           "pl2.BRANCH_ID          from  places_root  pl2           where   pl2.PARENT_ID= 3       "
                           "                   )               )         and  places_root.branch_id<>0");
        QCOMPARE(AdaptSql(GetSubCatQuery(3), Dialect::SQLite), expected);
        QCOMPARE(AdaptSql(GetSubCatQuery(3), Dialect::PostgreSQL), expected);
        QVERIFY(AdaptSql(GetPlacesQuery(4), Dialect::SQLite)
                    .endsWith(QStringLiteral("         AND (places_branch_leaves.branch_id  in (4) ) ")));
        QCOMPARE(AdaptSql(GetSubCatQuery(0), Dialect::SQLite).count(QStringLiteral(" in (")), 1);
        // Statements without the form are passed through untouched.
        QCOMPARE(AdaptSql(GetPlacesQuery(-1), Dialect::PostgreSQL), GetPlacesQuery(-1));
    }

    void literalsAreNeverRewritten()
    {
        const QString search =
            QStringLiteral(" ( upper (Leaf_Name) like upper ('%= any (%') )  AND branch_id = any (3)");
        QCOMPARE(AdaptSql(search, Dialect::SQLite),
                 QStringLiteral(" ( upper (Leaf_Name) like upper ('%= any (%') )  AND branch_id  in (3)"));
        // A doubled quote keeps the literal open.
        const QString quoted = QStringLiteral("x = 'it''s = any (' and y = any (1)");
        QCOMPARE(AdaptSql(quoted, Dialect::PostgreSQL), QStringLiteral("x = 'it''s = any (' and y  in (1)"));
    }

    void backslashStandsForItselfInPostgreSQLPatterns()
    {
        // Only the pattern of a like is touched: PostgreSQL reads "\\" there as an escape.
        const QString search = QStringLiteral(" ( places_leaves.city = 5 )  AND ( upper (Leaf_Name) like upper "
                                              "('%a\\b''s \\%') )  AND x = 'c:\\d' and y = any (2)");
        QCOMPARE(AdaptSql(search, Dialect::PostgreSQL),
                 QStringLiteral(" ( places_leaves.city = 5 )  AND ( upper (Leaf_Name) like upper "
                                "('%a\\\\b''s \\\\%') )  AND x = 'c:\\d' and y  in (2)"));
        QCOMPARE(AdaptSql(QStringLiteral("name LIKE 'x\\'"), Dialect::PostgreSQL), QStringLiteral("name LIKE 'x\\\\'"));
        // A word that merely ends in "like" is no like.
        QCOMPARE(AdaptSql(QStringLiteral("unlike upper ('x\\')"), Dialect::PostgreSQL),
                 QStringLiteral("unlike upper ('x\\')"));
        // Oracle and SQLite read a backslash in a pattern as itself.
        QCOMPARE(AdaptSql(search, Dialect::Oracle), search);
        QVERIFY(AdaptSql(search, Dialect::SQLite).contains(QStringLiteral("('%a\\b''s \\%')")));
        // Inserts keep their backslashes on every backend.
        const QString insert =
            QStringLiteral(" Insert into Places_Root values ( 3 , 'a\\like upper (''b\\' , 0 , 'N',1 )");
        QCOMPARE(AdaptSql(insert, Dialect::PostgreSQL), insert);
    }
};

TARNWICK_TEST_MAIN(TestSqlText)
#include "tst_sqltext.moc"
