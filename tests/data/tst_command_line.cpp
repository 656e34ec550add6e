#include "data/CommandLine.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;

// What the program makes of its command line, before and after the toolkit took its own options.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("strict");
        QTest::addColumn<bool>("start");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("database");
        const QString pg = QStringLiteral("postgresql://ann@db/dir?sslmode=verify-full");
        QTest::newRow("nothing") << QStringList{} << true << true << 0 << QString() << QString();
        QTest::newRow("help before the display")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")} << false
            << false << 0 << QStringLiteral("--database <descriptor>") << QString();
        QTest::newRow("help with the toolkit's") << QStringList{QStringLiteral("--help-all")} << false << false << 0
                                                 << QStringLiteral("--database <descriptor>") << QString();
        QTest::newRow("bad database before the display")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--database"),
                           QStringLiteral("oci:scott/tiger")}
            << false << false << 2 << QStringLiteral("alias") << QString();
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << false << false << 0
                                 << QStringLiteral("Tarnwick ") << QString();
        QTest::newRow("toolkit options wait") << QStringList{QStringLiteral("-style"), QStringLiteral("fusion")}
                                              << false << true << 0 << QString() << QString();
        QTest::newRow("database") << QStringList{QStringLiteral("--database"), pg} << true << true << 0 << QString()
                                  << pg;
        QTest::newRow("database joined") << QStringList{QStringLiteral("--database=") + pg} << true << true << 0
                                         << QString() << pg;
        QTest::newRow("bad database") << QStringList{QStringLiteral("--database"),
                                                     QStringLiteral("postgresql://ann:tiger@/dir")}
                                      << true << false << 2 << QStringLiteral("the host is missing") << QString();
        QTest::newRow("database without value") << QStringList{QStringLiteral("--database")} << true << false << 2
                                                << QStringLiteral("Missing value") << QString();
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")} << true << false << 2
                                        << QStringLiteral("frobnicate") << QString();
        QTest::newRow("stray argument") << QStringList{QStringLiteral("file.txt")} << true << false << 2
                                        << QStringLiteral("file.txt") << QString();
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, strict);
        QFETCH(bool, start);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        QFETCH(QString, database);
        arguments.prepend(QStringLiteral("tarnwick"));
        const StartRequest request = ReadCommandLine(arguments, strict);
        QCOMPARE(request.start, start);
        QCOMPARE(request.exitCode, exitCode);
        QVERIFY2(request.text.contains(text), qPrintable(request.text));
        QVERIFY(start || !request.text.isEmpty());
        QVERIFY2(!request.text.contains(QStringLiteral("tiger")), "a password was shown");
        QCOMPARE(request.database, database);
    }
};

TARNWICK_TEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
