#pragma once

#include <QString>

class QSqlDatabase;
class QSqlQuery;

namespace Processing {

// What an ODBC connection says of itself, read from the handles of Qt's ODBC driver: Qt knows
// some servers by name, not all (SQLite, for one), and keeps no SQLSTATE of a failure.

// The server's product name as its driver gives it (SQL_DBMS_NAME), e.g. "PostgreSQL",
// "SQLite", "Oracle"; empty when the connection is not an open ODBC one.
QString OdbcDbmsName(const QSqlDatabase &db);

// The five-character SQLSTATE of the query's last failure (e.g. "23505"); empty when none.
QString OdbcSqlState(const QSqlDatabase &db, const QSqlQuery &query);
// The same for a failure of the connection itself (a commit, a rollback).
QString OdbcSqlState(const QSqlDatabase &db);

// The statement handle of the query's result, for SQLCancel from another thread while the query
// runs; null when it has none.
void *OdbcStatementHandle(const QSqlQuery &query);
// Asks the driver to stop what the statement runs (SQLCancel).
void CancelOdbcStatement(void *statement);

// The text Qt's ODBC driver reads the connection string from. Qt takes a text that names no
// DRIVER= or SERVER= for a data-source name and puts "DSN=" before it, which would spoil
// "DSN=directory;UID=..."; the data source is therefore moved to the front, bare.
QString QtOdbcName(const QString &connectionString);

} // namespace Processing
