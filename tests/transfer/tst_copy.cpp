#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/InterfaceLanguage.h"
#include "data/setup/SiteSettings.h"
#include "support/SmallDirectory.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "transfer/DirectoryCopy.h"
#include "transfer/TransferConsole.h"
#include "transfer/TransferProgram.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

// tarnwick-transfer copy, on the run's database (SQLite, PostgreSQL, or PostgreSQL through ODBC)
// as the middle of SQLite → run → SQLite.
class TestCopy : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;

    QString file(const QString &name) const { return m_files.filePath(name); }

    // Statements on an SQLite file of the test's own, made with the program's tables.
    static void onSqlite(const QString &path, const QStringList &statements)
    {
        const QString name = QStringLiteral("test-sqlite");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("begin")));
            for (const QString &sql : statements)
                QVERIFY2(query.exec(sql), qPrintable(sql + QStringLiteral(": ") + query.lastError().text()));
            QVERIFY(query.exec(QStringLiteral("commit")));
        }
        QSqlDatabase::removeDatabase(name);
    }

    static QList<QStringList> sqliteRows(const QString &path)
    {
        const QString name = QStringLiteral("test-sqlite-rows");
        QList<QStringList> rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            db.open();
            for (const QString &sql : {QStringLiteral("select * from cm_city order by 1"),
                                       QStringLiteral("select * from places_root order by 1"),
                                       QStringLiteral("select * from places_district order by 1"),
                                       QStringLiteral("select * from places_leaves order by 1"),
                                       QStringLiteral("select * from places_branch_leaves order by 2, 1")}) {
                QSqlQuery query(sql, db);
                while (query.next()) {
                    QStringList row{sql.section(QLatin1Char(' '), 3, 3)};
                    for (int c = 0; c < query.record().count(); ++c)
                        row.append(query.isNull(c) ? QStringLiteral("<null>") : query.value(c).toString());
                    rows.append(row);
                }
            }
        }
        QSqlDatabase::removeDatabase(name);
        return rows;
    }

    // A source whose texts a careless copy would change, and identifiers beyond 16 bits.
    void makeSource(const QString &path, int extraPlaces = 0)
    {
        QFile::remove(path);
        Processing::EnsureEmbeddedDatabase(path, {QStringLiteral("sqlite-schema.sql"), QStringLiteral("root.sql")});
        onSqlite(path, {QStringLiteral("insert into cm_city values (70000, 'القاهرة')"),
                        QStringLiteral("insert into cm_city values (2, 'O''Brien''s \"Town\"')"),
                        QStringLiteral("insert into places_root values (33000, 'مطاعم', 0, 'N', 1)"),
                        QStringLiteral("insert into places_root values (7, 'Line\nbreak\r\nand\ttab', 33000, 'N', 1)"),
                        QStringLiteral("insert into places_district values (35000, 'الزمالك', 70000)"),
                        QStringLiteral("insert into places_district values (3, 'Back\\slash \\N', 2)"),
                        QStringLiteral("insert into places_leaves values (40000, 'مطعم ''النيل''', '''=1+2', "
                                       "'5 main st\nfloor 2', 70000, 35000, '', NULL)"),
                        QStringLiteral("insert into places_leaves values (12, '''quoted', '+20 2', '-', 2, 3, "
                                       "'@more, \"and\" more', 'http://x.example/a?b=1&c=2')"),
                        QStringLiteral("insert into places_branch_leaves values (33000, 40000)"),
                        QStringLiteral("insert into places_branch_leaves values (7, 12)")});
        // Plain places, enough to cut the copy off halfway.
        if (extraPlaces > 0)
            onSqlite(
                path,
                {QStringLiteral("with recursive n(i) as (select 100 union all select i + 1 from n where i < %1) "
                                "insert into places_leaves select i, 'Place ' || i, '02 ' || i, 'street ' || i, 2, 3, "
                                "'more', null from n")
                     .arg(99 + extraPlaces),
                 QStringLiteral("insert into places_branch_leaves select 7, leaf_id from places_leaves where leaf_id "
                                "between 100 and %1")
                     .arg(99 + extraPlaces)});
    }

    struct Told
    {
        int exitCode = 0;
        QString out;
        QString err;
    };

    static QString contents(std::FILE *stream)
    {
        std::rewind(stream);
        QByteArray bytes;
        char buffer[4096];
        while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, stream))
            bytes.append(buffer, qsizetype(read));
        std::fclose(stream);
        return QString::fromLocal8Bit(bytes);
    }

    // The program's command, run here as its main() runs it, without a terminal.
    static Told transfer(const QStringList &arguments)
    {
        std::FILE *out = std::tmpfile();
        std::FILE *err = std::tmpfile();
        Told told;
        {
            TransferConsole console(out, err, false);
            told.exitCode = RunTransfer(QStringList{QStringLiteral("tarnwick-transfer")} + arguments, console);
        }
        told.out = contents(out);
        told.err = contents(err);
        return told;
    }

private Q_SLOTS:
    // English, with the catalogue of its plurals, as the program's main() puts it in force.
    void initTestCase() { QVERIFY(Processing::UseLanguage(QStringLiteral("en"))); }

    void init()
    {
        // "development" names the run's database, through the settings file the program reads.
        QFile settings(Processing::SettingsFiles().constFirst());
        QDir().mkpath(QFileInfo(settings).absolutePath());
        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(QStringLiteral("[Databases]\ndevelopment=\"%1\"\n").arg(TestDatabase::Descriptor()).toUtf8());
    }

    // SQLite → the run's database → SQLite ends with the rows it started with, and each copy says so.
    void roundTrip()
    {
        SmallDirectory::MakeSmallDirectory();
        makeSource(file(QStringLiteral("start.sqlite")));
        const QString start = QStringLiteral("sqlite:") + file(QStringLiteral("start.sqlite"));
        const QString end = QStringLiteral("sqlite:") + file(QStringLiteral("end.sqlite"));
        QFile::remove(file(QStringLiteral("end.sqlite")));
        for (const QStringList &arguments :
             {QStringList{QStringLiteral("--from"), start, QStringLiteral("--to"), QStringLiteral("development"),
                          QStringLiteral("--replace")},
              QStringList{QStringLiteral("--from"), QStringLiteral("development"), QStringLiteral("--to"), end}}) {
            const Told told = transfer(QStringList{QStringLiteral("copy")} + arguments);
            QVERIFY2(told.exitCode == 0, qPrintable(told.err));
            QVERIFY(told.err.isEmpty());
            QVERIFY2(told.out.startsWith(QStringLiteral("Copied 2 cities, 3 categories, 2 districts, 2 places and 2 "
                                                        "links")),
                     qPrintable(told.out));
            QCOMPARE(told.out.count(QLatin1Char('\n')), 1);
        }
        const QList<QStringList> before = sqliteRows(file(QStringLiteral("start.sqlite")));
        QCOMPARE(before.size(), 11);
        QCOMPARE(sqliteRows(file(QStringLiteral("end.sqlite"))), before);

        // A directory of its root alone: counts of one and of none.
        const QString bare = file(QStringLiteral("bare.sqlite"));
        Processing::EnsureEmbeddedDatabase(bare, {QStringLiteral("sqlite-schema.sql"), QStringLiteral("root.sql")});
        QFile::remove(bare + QStringLiteral(".copy"));
        const Told copied =
            transfer({QStringLiteral("copy"), QStringLiteral("--from"), QStringLiteral("sqlite:") + bare,
                      QStringLiteral("--to"), QStringLiteral("sqlite:") + bare + QStringLiteral(".copy")});
        QVERIFY2(copied.out.startsWith(
                     QStringLiteral("Copied 0 cities, 1 category, 0 districts, 0 places and 0 links from")),
                 qPrintable(copied.out + copied.err));
    }

    // Refused with nothing changed: exit 2 for the command line, 1 for the databases.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told");
        const QString source = QStringLiteral("sqlite:") + file(QStringLiteral("source.sqlite"));
        const QString run = QStringLiteral("development");
        QTest::newRow("password in an address")
            << QStringList{QStringLiteral("copy"), QStringLiteral("--from"),
                           QStringLiteral("postgresql://ann:tiger@db/dir"), QStringLiteral("--to"), run}
            << 2 << QStringLiteral("--from takes no password");
        QTest::newRow("password in an ODBC string")
            << QStringList{QStringLiteral("copy"), QStringLiteral("--from"), source, QStringLiteral("--to"),
                           QStringLiteral("odbc:DSN=x;PWD=tiger")}
            << 2 << QStringLiteral("--to takes no password");
        QTest::newRow("password in a repeated option") << QStringList{QStringLiteral("import"),
                                                                      QStringLiteral("--database"),
                                                                      run,
                                                                      QStringLiteral("--database"),
                                                                      QStringLiteral("postgresql://ann:tiger@db/dir"),
                                                                      source}
                                                       << 2 << QStringLiteral("--database takes no password");
        QTest::newRow("a database that cannot be named")
            << QStringList{QStringLiteral("export"), QStringLiteral("--database"), QStringLiteral("mysql://db/dir"),
                           QStringLiteral("-")}
            << 2 << QStringLiteral("--database: The database setting");
        QTest::newRow("a target that holds a directory")
            << QStringList{QStringLiteral("copy"), QStringLiteral("--from"), source, QStringLiteral("--to"), run} << 1
            << QStringLiteral("holds a directory: 1 place, 5 districts and 2 categories besides the root");
        QTest::newRow("the same database")
            << QStringList{QStringLiteral("copy"), QStringLiteral("--from"), run, QStringLiteral("--to"), run} << 1
            << QStringLiteral("are the same database");
        QTest::newRow("a target without the tables")
            << QStringList{QStringLiteral("copy"), QStringLiteral("--from"), source, QStringLiteral("--to"), run} << 1
            << (TestDatabase::IsPostgreSQL() ? QStringLiteral("with the installed script postgresql.sql")
                                             : QStringLiteral("without the tables of a directory"));
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        makeSource(file(QStringLiteral("source.sqlite")));
        SmallDirectory::MakeSmallDirectory();
        const auto before = SmallDirectory::Snapshot();
        const bool withoutTables = QString::fromLatin1(QTest::currentDataTag()).contains(QLatin1StringView("tables"));
        if (withoutTables)
            TestDatabase::Exec(TestDatabase::IsPostgreSQL()
                                   ? QStringLiteral("drop table places_branch_leaves")
                                   : QStringLiteral("alter table places_branch_leaves rename to kept"));
        const Told result = transfer(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(told), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.contains(QLatin1StringView("tiger")));
        if (!withoutTables)
            QCOMPARE(SmallDirectory::Snapshot(), before);
    }

    // A copy cut off halfway through the places leaves the target as it was: its own directory,
    // or no file at all where the copy made it.
    void cutOff_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("newFile");
        QTest::addColumn<QString>("told");
        QTest::newRow("a row refused") << QStringLiteral("refuse") << false << QStringLiteral("refused by the test");
        if (TestDatabase::IsPostgreSQL()) {
            QTest::newRow("the server ends the session") << QStringLiteral("session") << false << QString();
        } else {
#ifdef Q_OS_UNIX
            // The file system refuses to let the file grow, as a full disk does; SQLite tells it as
            // an I/O error.
            QTest::newRow("the file cannot grow") << QStringLiteral("disk") << false << QStringLiteral("I/O error");
            QTest::newRow("the file cannot grow, a new file")
                << QStringLiteral("disk") << true << QStringLiteral("I/O error");
#endif
        }
    }

    void cutOff()
    {
        QFETCH(QString, fault);
        QFETCH(bool, newFile);
        QFETCH(QString, told);
        makeSource(file(QStringLiteral("long.sqlite")), 5000);
        SmallDirectory::MakeSmallDirectory();
        if (fault == QLatin1StringView("refuse"))
            TestDatabase::Refuse(QStringLiteral("insert"), QStringLiteral("places_leaves"),
                                 TestDatabase::Refusal::Statement, QStringLiteral("NEW.leaf_id = 4000"));
        const auto before = SmallDirectory::Snapshot();
        const QString newPath = file(QStringLiteral("new.sqlite"));
        QFile::remove(newPath);
        const QString target = newFile ? QStringLiteral("sqlite:") + newPath : TestDatabase::Descriptor();
        const QString path = newFile ? newPath : TestDatabase::Descriptor().mid(7);
        // Only the copy's own connections hold the database meanwhile.
        Processing::DbConn().close();

#ifdef Q_OS_UNIX
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
#endif
        bool cut = false;
        const auto halfway = [&](qint64 done, qint64 total, const QString &things) {
            if (cut || things != QLatin1StringView("places") || done < total / 2)
                return;
            cut = true;
            if (fault == QLatin1StringView("session")) {
                TestDatabase::Exec(QStringLiteral("select pg_terminate_backend(pid) from pg_stat_activity where "
                                                  "datname = current_database() and pid <> pg_backend_pid()"));
            }
#ifdef Q_OS_UNIX
            if (fault == QLatin1StringView("disk")) {
                // No file may grow beyond what the target holds now.
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit full = unlimited;
                full.rlim_cur = rlim_t(QFileInfo(path).size());
                setrlimit(RLIMIT_FSIZE, &full);
            }
#endif
        };
        QString failure;
        try {
            CopyDirectory(ResolveDatabase(QStringLiteral("sqlite:") + file(QStringLiteral("long.sqlite"))),
                          ResolveDatabase(target), true, halfway);
        } catch (const Processing::DbError &error) {
            failure = error.message();
        }
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &unlimited);
#endif
        Processing::DbConn().open(Processing::DatabaseDescriptor::parse(TestDatabase::Descriptor()));
        QVERIFY(cut);
        QVERIFY2(failure.contains(QLatin1StringView("failed; nothing of it was stored")), qPrintable(failure));
        QVERIFY2(failure.contains(told), qPrintable(failure));
        if (newFile)
            QVERIFY(!QFile::exists(newPath));
        else
            QCOMPARE(SmallDirectory::Snapshot(), before);
    }
};

TARNWICK_TEST_MAIN(TestCopy)
#include "tst_copy.moc"
