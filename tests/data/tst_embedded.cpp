#include "data/DbError.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/SqlScript.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

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

    // Left empty, never taken away: another start may be using the file already.
    void failedCreationLeavesAnEmptyFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sub/broken.sqlite"));
        // The root row before its table exists: the second script fails.
        try {
            EnsureEmbeddedDatabase(path, {QStringLiteral("root.sql"), QStringLiteral("sqlite-schema.sql")});
            QFAIL("a failing script made a database");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains(path + QStringLiteral(" could not be set up (root.sql)")));
        }
        QCOMPARE(QFileInfo(path).size(), 0);
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

    // In a shared folder (mode 1777) another user may plant a link at the database's name.
    void aLinkAtTheDatabaseIsRefused_data()
    {
        QTest::addColumn<QString>("target"); // dangling, file, folder
        QTest::newRow("dangling link") << QStringLiteral("dangling");
        QTest::newRow("link to a file") << QStringLiteral("file");
        QTest::newRow("link to a folder") << QStringLiteral("folder");
        QTest::newRow("link at the journal's name") << QStringLiteral("journal");
    }

    void aLinkAtTheDatabaseIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("QFile::link makes a shell shortcut (.lnk) here, which the file system never follows");
#endif
        QFETCH(QString, target);
        QTemporaryDir folder;
        const QString aim = folder.filePath(QStringLiteral("planted"));
        if (target == QLatin1StringView("file") || target == QLatin1StringView("journal")) {
            QFile file(aim);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("someone else's");
        } else if (target == QLatin1StringView("folder")) {
            QVERIFY(QDir().mkdir(aim));
        }
        const QString path = folder.filePath(QStringLiteral("tarnwick.sqlite"));
        const QString link = target == QLatin1StringView("journal") ? path + QStringLiteral("-journal") : path;
        QVERIFY(QFile::link(aim, link));
        try {
            EnsureEmbeddedDatabase(path, EmbeddedDatabaseScripts(false));
            QFAIL("a link was followed");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(link + QStringLiteral(" ")) &&
                         error.message().contains(QStringLiteral(" is a symbolic link")),
                     qPrintable(error.message()));
        }
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(!QFileInfo::exists(path) || QFileInfo(path).isSymLink());
        if (target == QLatin1StringView("dangling"))
            QVERIFY(!QFileInfo::exists(aim));
        if (target == QLatin1StringView("file") || target == QLatin1StringView("journal")) {
            QFile file(aim);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("someone else's"));
        }
        if (target == QLatin1StringView("folder"))
            QCOMPARE(QDir(aim).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // Folders the program makes are 0700 and its file 0600, whatever the umask it runs under.
    void madeForItsOwnerOnly_data()
    {
        QTest::addColumn<int>("mask");
        QTest::newRow("umask 022") << 022;
        QTest::newRow("umask 000") << 0;
        QTest::newRow("umask 277") << 0277;
    }

    void madeForItsOwnerOnly()
    {
#ifdef Q_OS_UNIX
        QFETCH(int, mask);
        QTemporaryDir home;
        const QString path = home.filePath(QStringLiteral(".local/share/Tarnwick/tarnwick.sqlite"));
        const mode_t before = ::umask(mode_t(mask));
        try {
            EnsureEmbeddedDatabase(path, EmbeddedDatabaseScripts(false));
        } catch (const DbError &error) {
            ::umask(before);
            QFAIL(qPrintable(error.message()));
        }
        ::umask(before);
        const auto mode = [](const QString &name) {
            struct stat status = {};
            ::lstat(QFile::encodeName(name).constData(), &status);
            return int(status.st_mode & 07777);
        };
        for (const QString &made :
             {QStringLiteral(".local"), QStringLiteral(".local/share"), QStringLiteral(".local/share/Tarnwick")})
            QCOMPARE(mode(home.filePath(made)), 0700);
        QCOMPARE(mode(path), 0600);
#else
        QSKIP("POSIX file modes only");
#endif
    }

    void aReadOnlyFolderIsReported()
    {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        // The owner's rights do not hold back the superuser, as the tests may run: the immutable
        // attribute does.
        const bool superuser = QFileInfo(folder).isWritable();
        if (superuser && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0)
            QSKIP("the folder cannot be made read-only for this user");
        const QString path = folder + QStringLiteral("/tarnwick.sqlite");
        QString message;
        try {
            EnsureEmbeddedDatabase(path, EmbeddedDatabaseScripts(false));
        } catch (const DbError &error) {
            message = error.message();
        }
        if (superuser)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(message.contains(path), qPrintable(message));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // Two first starts at once on one new file: one makes the tables, the other waits for them
    // and uses them; neither fails nor takes the file from the other.
    void twoFirstStartsAtOnce()
    {
        QTemporaryDir folder;
        for (int round = 0; round < 20; ++round) {
            QProcess starts[2];
            for (QProcess &start : starts)
                start.start(QStringLiteral(TARNWICK_FIRST_START),
                            {folder.filePath(QStringLiteral("%1/db").arg(round))});
            for (QProcess &start : starts)
                QVERIFY(start.waitForStarted() && start.write("go\n") == 3 && start.waitForBytesWritten());
            for (QProcess &start : starts)
                QVERIFY2(start.waitForFinished(60000) && start.exitStatus() == QProcess::NormalExit &&
                             start.exitCode() == 0,
                         start.readAllStandardError().constData());
        }
    }

    // A start cut off while making the file leaves it empty; the next one makes it whole.
    void anEmptyFileLeftByACutOffStartIsFilled()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("tarnwick.sqlite"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        EnsureEmbeddedDatabase(path, EmbeddedDatabaseScripts(false));
#ifdef Q_OS_UNIX
        QVERIFY(!(file.permissions() & QFile::ReadOther));
#endif
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery query(QStringLiteral("select count(*) from places_root"), db);
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 1);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }
};

TARNWICK_TEST_MAIN(TestEmbedded)
#include "tst_embedded.moc"
