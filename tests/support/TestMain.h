#pragma once

#include "support/Recorders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

// The settings file's name: Qt's INI files are ".conf" on Unix, ".ini" on Windows.
#ifdef Q_OS_WIN
#define TARNWICK_SETTINGS_FILE "Tarnwick.ini"
#else
#define TARNWICK_SETTINGS_FILE "Tarnwick.conf"
#endif

namespace TestSupport {

// True when this run is on the PostgreSQL server (TARNWICK_TEST_BACKEND=postgresql, or odbc
// for the run through the PostgreSQL ODBC driver).
bool PostgreSQLRun();
bool OdbcRun();
// The server for those runs, from TARNWICK_TEST_POSTGRESQL; empty when none was given.
QString PostgreSQLServer();
// The ODBC data source leading to that server, from TARNWICK_TEST_ODBC; empty when none.
QString OdbcDataSource();

// Runs the application's event loop until the windows end it as the program's would; false when
// a watchdog had to end it instead.
inline bool RunEventLoopUntilQuit(int timeoutMs = 30000)
{
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(timeoutMs);
    return QApplication::exec() == 0 && !timedOut;
}

template<typename TestClass> int run(int argc, char *argv[])
{
    // The program's data, settings and cache folders, the test's SQLite file among them, in a
    // folder of this run's own, away from the user's and from every other run's: two checkouts
    // testing at once, or one program's runs on each database side by side, share no file.
    const QTemporaryDir runFolder(
        QDir::tempPath() +
        QStringLiteral("/tarnwick-%1-XXXXXX").arg(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()));
    if (!runFolder.isValid()) {
        std::fprintf(stderr, "No folder for the run's files: %s\n", qPrintable(runFolder.errorString()));
        return 1;
    }
    for (const char *location : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(location, QFile::encodeName(runFolder.filePath(QString::fromLatin1(location))));
#ifdef Q_OS_WIN
    // Windows keeps the settings file in the profile's AppData folder, which no variable moves.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       runFolder.filePath(QStringLiteral("XDG_CONFIG_HOME")));
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    if (PostgreSQLRun() && PostgreSQLServer().isEmpty()) {
        std::fputs("No PostgreSQL server given in TARNWICK_TEST_POSTGRESQL: skipped.\n", stdout);
        return 77;
    }
    if (OdbcRun() && OdbcDataSource().isEmpty()) {
        std::fputs("No ODBC data source given in TARNWICK_TEST_ODBC: skipped.\n", stdout);
        return 77;
    }
    FailOnUnexpectedMessages();
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace TestSupport

#define TARNWICK_TEST_MAIN(TestClass)                                                                                  \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        return TestSupport::run<TestClass>(argc, argv);                                                                \
    }
