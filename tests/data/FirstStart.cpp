// One first start of the program on an embedded database, as a process of its own, for the
// tests that start several at once: it waits for a line on standard input, then makes the
// database where none is, opens it as the program does and reads its root category. Exit status
// 0 when that is there; otherwise the failure on standard error and status 1.
#include "data/Connection.h"
#include "data/DatabaseDescriptor.h"
#include "data/DbError.h"
#include "data/EmbeddedDatabase.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    try {
        Processing::EnsureEmbeddedDatabase(path, Processing::EmbeddedDatabaseScripts(false));
        Processing::DbConn().open(Processing::DatabaseDescriptor::parse(QStringLiteral("sqlite:") + path));
        const int roots = Processing::DbConn()
                              .openRecordset(QStringLiteral("select * from places_root where branch_id = 0"))
                              .RecordCount();
        Processing::DbConn().close();
        return roots == 1 ? 0 : 1;
    } catch (const Processing::DbError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
}
