#include "transfer/RowStreams.h"

std::unique_ptr<RowReader> ReadRows(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    if (auto reader = SqliteRowReader(db, table))
        return reader;
    if (auto reader = PostgreSQLRowReader(db, table))
        return reader;
    return QtRowReader(db, table);
}

std::unique_ptr<RowWriter> WriteRows(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    if (auto writer = SqliteRowWriter(db, table))
        return writer;
    if (auto writer = PostgreSQLRowWriter(db, table))
        return writer;
    return QtRowWriter(db, table);
}
