#pragma once

#include "support/Recorders.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

namespace TestSupport {

// True when this run is the PostgreSQL one (TARNWICK_TEST_BACKEND=postgresql).
bool PostgreSQLRun();
// The server for the PostgreSQL run, from TARNWICK_TEST_POSTGRESQL; empty when none was given.
QString PostgreSQLServer();

template<typename TestClass> int run(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // Keeps the tests' files away from the user's own data folder.
    QStandardPaths::setTestModeEnabled(true);
    if (PostgreSQLRun() && PostgreSQLServer().isEmpty()) {
        std::fputs("No PostgreSQL server given in TARNWICK_TEST_POSTGRESQL: skipped.\n", stdout);
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
