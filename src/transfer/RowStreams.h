#pragma once

#include "data/statements/DirectoryTables.h"
#include "transfer/CopyRow.h"

#include <QSqlDatabase>

#include <memory>

// Every row of one table read from a database, and rows written into one, as fast as each
// database takes them. Failures throw Processing::DbError.
class RowReader
{
public:
    virtual ~RowReader() = default;
    // The next row into row (cleared first); false after the last.
    virtual bool next(CopyRow &row) = 0;
};

// Writes into the transaction under way on its connection. Left without finish(), what is under
// way is given up; the transaction is then to be rolled back.
class RowWriter
{
public:
    virtual ~RowWriter() = default;
    virtual void write(const CopyRow &row) = 0;
    virtual void finish() = 0;
};

// The fastest way the connection offers: SQLite's own API on the SQLite driver's handle,
// PostgreSQL's COPY on its driver's, Qt SQL elsewhere (ODBC, Oracle).
std::unique_ptr<RowReader> ReadRows(const QSqlDatabase &db, const Processing::DirectoryTable &table);
std::unique_ptr<RowWriter> WriteRows(const QSqlDatabase &db, const Processing::DirectoryTable &table);

// Each way on its own; nullptr where it cannot serve the connection.
std::unique_ptr<RowReader> SqliteRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table);
std::unique_ptr<RowWriter> SqliteRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table);
std::unique_ptr<RowReader> PostgreSQLRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table);
std::unique_ptr<RowWriter> PostgreSQLRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table);
std::unique_ptr<RowReader> QtRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table);
std::unique_ptr<RowWriter> QtRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table);
