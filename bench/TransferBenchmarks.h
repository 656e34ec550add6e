#pragma once

#include "BenchContext.h"

// tarnwick-transfer's import and export, timed as the processes a user starts, beside the
// database's own loader taking the same rows in one transaction: psql's COPY from a file on
// PostgreSQL, the sqlite3 shell's .import on SQLite.

// Imports `places` new places, as a CSV file of the program's form, into the directory (whose
// categories, cities and districts they use); the floor loads the rows the import stored.
void RunImportBenchmark(BenchContext &ctx, const GeneratedDirectory &directory, int places);

// Exports the whole directory; the floor loads its places and their links into an empty
// directory. Also the export's peak memory, which must not grow with the directory.
void RunExportBenchmark(BenchContext &ctx, const GeneratedDirectory &directory);
