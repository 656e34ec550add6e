#include "data/DbError.h"
#include "data/EmbeddedDatabase.h"
#include "data/SqlScript.h"
#include "support/TestMain.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Processing;

// The embedded database made on first use, and the scripts it is made from.
class TestEmbedded : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptsSplitIntoStatements()
    {
        const QStringList statements =
            SqlStatements(QStringLiteral("-- a comment; with a semicolon\ncreate table a (x integer,\n  y "
                                         "integer);\n\ninsert into a values (1, 2);\n"
                                         "insert into a values (3, 4)"));
        QCOMPARE(statements, (QStringList{QStringLiteral("create table a (x integer,\n  y integer)"),
                                          QStringLiteral("insert into a values (1, 2)"),
                                          QStringLiteral("insert into a values (3, 4)")}));
    }

    void sampleDirectoryIsConsistent()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("dev.sqlite"));
        EnsureEmbeddedDatabase(path, EmbeddedDatabaseScripts(true));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            auto scalar = [&db](const char *sql) {
                QSqlQuery query(db);
                query.exec(QString::fromLatin1(sql));
                query.next();
                return query.value(0).toInt();
            };
            const int places = scalar("select count(*) from places_leaves");
            QVERIFY(places >= 50);
            // Every sample place is listed: its link, category, city and district all join.
            QCOMPARE(scalar("select count(*) from places_district, places_branch_leaves, places_leaves, cm_city, "
                            "places_root where places_district.district_id = places_leaves.district and "
                            "places_leaves.leaf_id = places_branch_leaves.leaf_id and cm_city.code = "
                            "places_district.city_id and cm_city.code = places_leaves.city and "
                            "places_root.branch_id = places_branch_leaves.branch_id"),
                     places);
            QCOMPARE(scalar("select count(*) from places_branch_leaves where branch_id = 0"), 1);
            QVERIFY(scalar("select count(*) from places_root where parent_id in (select branch_id from places_root "
                           "where parent_id in (select branch_id from places_root where parent_id = 0 and "
                           "branch_id <> 0))") > 0);
            QVERIFY(scalar("select count(*) from places_leaves where trim(web_link) <> ''") > 0);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }

    void failedCreationLeavesNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sub/broken.sqlite"));
        // The root row before its table exists: the second script fails.
        try {
            EnsureEmbeddedDatabase(path, {QStringLiteral("root.sql"), QStringLiteral("sqlite-schema.sql")});
            QFAIL("a failing script made a database");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("root.sql")));
        }
        QVERIFY(!QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".creating")));

        // A later start makes it properly.
        EnsureEmbeddedDatabase(path, EmbeddedDatabaseScripts(false));
        QVERIFY(QFile::exists(path));
    }

    void unusableFolderIsReported()
    {
        QTemporaryDir folder;
        QFile blocker(folder.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        try {
            EnsureEmbeddedDatabase(folder.filePath(QStringLiteral("file/db.sqlite")), EmbeddedDatabaseScripts(false));
            QFAIL("made a database below a file");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(QStringLiteral("folder")));
        }
    }
};

TARNWICK_TEST_MAIN(TestEmbedded)
#include "tst_embedded.moc"
