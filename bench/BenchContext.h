#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "DirectoryGenerator.h"
#include "Report.h"
#include <functional>

// The directory an import is timed into.
constexpr int ImportDirectoryPlaces = 2000;

struct BenchSettings
{
    QList<int> placeCounts{10000, 100000};
    int largePlaces = 1000000; // 0: no large directory
    int importPlaces = 30000;  // into a directory of ImportDirectoryPlaces; 0: no import
    int copyPlaces = 1000000;  // 0: no copy
    int treeCategories = 5000;
    int warmups = 1;
    int runs = 7;
    int memoryRuns = 3;
    QString workDir;
    QString postgresqlServer; // empty: SQLite only
};

// What every benchmark of one backend needs.
struct BenchContext
{
    const BenchSettings &settings;
    Report &report;
    QString backend; // "sqlite", "postgresql" or "odbc" (the PostgreSQL server through ODBC)
    bool sqlite = true;
    bool shell = false; // the sqlite3 shell is there to time
};

// Times the program's operation beside the raw Qt SQL fetch of the statements it runs and,
// on SQLite, the sqlite3 shell running them, interleaved round by round; the window's paint
// after the operation is timed apart. The row count is that of the raw fetch of the first
// statement.
Measurement MeasureAgainstFetch(BenchContext &ctx, const GeneratedDirectory &directory, const QString &id,
                                const QString &operation, const std::function<void()> &program,
                                const QStringList &statements);

// "100,000"
QString Thousands(qint64 number);
