// One first start of the program on an embedded database, as a process of its own, for the test
// that starts two at once: it waits for a line on standard input, then makes the database where
// none is. Exit status 0 when it is there; otherwise the failure on standard error and status 1.
#include "data/DbError.h"
#include "data/setup/EmbeddedDatabase.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    char go[8];
    if (argc != 2 || !std::fgets(go, sizeof go, stdin))
        return 2;
    try {
        Processing::EnsureEmbeddedDatabase(QString::fromLocal8Bit(argv[1]), Processing::EmbeddedDatabaseScripts(false));
        return 0;
    } catch (const Processing::DbError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
}
