#include "app/CommandLine.h"
#include "support/TestMain.h"

#include <QTest>

// What the program makes of its command line, read before the toolkit has taken its own options.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("start");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("database");
        const QString pg = QStringLiteral("postgresql://ann@db/dir?sslmode=verify-full");
        const QString where = QStringLiteral("~/.pgpass");
        const QString usage = QStringLiteral("--database <descriptor>");
        QTest::newRow("nothing") << QStringList{} << true << 0 << QString() << QString();
        QTest::newRow("help") << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"),
                                             QStringLiteral("--help")}
                              << false << 0 << usage << QString();
        QTest::newRow("help with the toolkit's")
            << QStringList{QStringLiteral("--help-all")} << false << 0 << usage << QString();
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << false << 0
                                 << QStringLiteral("Tarnwick ") << QString();
        QTest::newRow("toolkit options are the toolkit's") << QStringList{QStringLiteral("-style"),
                                                                          QStringLiteral("fusion"),
                                                                          QStringLiteral("--platform"),
                                                                          QStringLiteral("offscreen"),
                                                                          QStringLiteral("-reverse"),
                                                                          QStringLiteral("-stylesheet=a.qss"),
                                                                          QStringLiteral("-qmljsdebugger=port:1")}
                                                           << true << 0 << QString() << QString();
        QTest::newRow("database") << QStringList{QStringLiteral("--database"), pg} << true << 0 << QString() << pg;
        QTest::newRow("database joined") << QStringList{QStringLiteral("--database=") + pg} << true << 0 << QString()
                                         << pg;
        QTest::newRow("bad database") << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"),
                                                     QStringLiteral("--database"), QStringLiteral("oci:scott@")}
                                      << false << 2 << QStringLiteral("alias") << QString();
        QTest::newRow("database without value") << QStringList{QStringLiteral("--database")} << false << 2
                                                << QStringLiteral("Missing value after '--database'") << QString();
        QTest::newRow("empty database") << QStringList{QStringLiteral("--database=")} << false << 2
                                        << QStringLiteral("it is empty") << QString();
        QTest::newRow("unknown option") << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"),
                                                       QStringLiteral("--frobnicate")}
                                        << false << 2 << QStringLiteral("Unknown option 'frobnicate'") << QString();
        QTest::newRow("unknown single-dash word") << QStringList{QStringLiteral("-frobnicate")} << false << 2
                                                  << QStringLiteral("Unknown option 'frobnicate'") << QString();
        QTest::newRow("toolkit option without its value")
            << QStringList{QStringLiteral("-platform")} << false << 2 << QStringLiteral("'platform'") << QString();
        QTest::newRow("stray argument") << QStringList{QStringLiteral("file.txt")} << false << 2
                                        << QStringLiteral("file.txt") << QString();
        QTest::newRow("stray descriptor") << QStringList{QStringLiteral("postgresql://ann:tiger@db/dir")} << false << 2
                                          << QStringLiteral("postgresql://ann:***@db/dir") << QString();
        // Every user of the machine can read a command line: no password is taken there.
        for (const QString &descriptor :
             {QStringLiteral("postgresql://ann:tiger@db/dir"), QStringLiteral("postgresql://ann:tiger@/dir"),
              QStringLiteral("postgresql://ann@db/dir?sslmode=require&password=tiger"),
              QStringLiteral("odbc:DSN=directory;UID=ann;PWD=tiger"),
              QStringLiteral("odbc:Driver={PostgreSQL Unicode};Server=db;Password={ti;}}ger}"),
              QStringLiteral("oci:scott/tiger@orcl")})
            QTest::addRow("password in %s", qPrintable(descriptor.left(descriptor.indexOf(QLatin1Char(':')))))
                << QStringList{QStringLiteral("--database"), descriptor} << false << 2 << where << QString();
        QTest::newRow("password in an earlier database")
            << QStringList{QStringLiteral("--database"), QStringLiteral("postgresql://ann:tiger@db/dir"),
                           QStringLiteral("--database"), pg}
            << false << 2 << where << QString();
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, start);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        QFETCH(QString, database);
        arguments.prepend(QStringLiteral("tarnwick"));
        const StartRequest request = ReadCommandLine(arguments);
        QCOMPARE(request.start, start);
        QCOMPARE(request.exitCode, exitCode);
        QVERIFY2(request.text.contains(text), qPrintable(request.text));
        QVERIFY(start || !request.text.isEmpty());
        QVERIFY2(!request.text.contains(QStringLiteral("tiger")) && !request.text.contains(QStringLiteral("ger}")),
                 "a password was shown");
        // An option or argument the program does not know is told with the usage, as --help tells it.
        if (exitCode == 2 && (text.contains(QLatin1Char('\'')) || text.contains(QStringLiteral("file.txt"))))
            QVERIFY2(request.text.contains(QStringLiteral("--database <descriptor>")), qPrintable(request.text));
        QCOMPARE(request.database, database);
    }
};

TARNWICK_TEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
