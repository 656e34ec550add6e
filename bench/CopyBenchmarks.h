#pragma once

#include "BenchContext.h"

// tarnwick-transfer copy of a generated directory, as the whole process a user starts, the check
// after the copy included: SQLite to SQLite, and with a PostgreSQL server SQLite to PostgreSQL
// (beside psql loading the same rows with COPY from files, in one transaction) and back
// (beside the sqlite3 shell importing them in one transaction), and from the server through its
// ODBC driver. The process's peak memory is taken from every run.
void RunCopyBenchmarks(BenchContext &ctx);
