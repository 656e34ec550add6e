#pragma once

class QSqlDatabase;

namespace Processing {

// libpq's functions for COPY, from the library Qt's PostgreSQL driver was loaded with: the
// program links no libpq of its own, so that SQLite users need no PostgreSQL library. They act
// on the driver's own connection, inside the transaction under way on it; no query of the
// driver's may be under way meanwhile.
struct Libpq
{
    // libpq's ExecStatusType values used here.
    static constexpr int CommandOk = 1;
    static constexpr int CopyOut = 3;
    static constexpr int CopyIn = 4;
    static constexpr char SqlStateField = 'C';

    void *(*exec)(void *connection, const char *sql) = nullptr;
    int (*resultStatus)(const void *result) = nullptr;
    char *(*resultErrorMessage)(const void *result) = nullptr;
    char *(*resultErrorField)(const void *result, int field) = nullptr;
    void (*clear)(void *result) = nullptr;
    int (*putCopyData)(void *connection, const char *buffer, int bytes) = nullptr;
    int (*putCopyEnd)(void *connection, const char *error) = nullptr;
    int (*getCopyData)(void *connection, char **buffer, int async) = nullptr;
    void (*freemem)(void *memory) = nullptr;
    void *(*getResult)(void *connection) = nullptr;
    char *(*errorMessage)(const void *connection) = nullptr;
};

// The functions and the driver's connection handle (PGconn*), or nullptr for both where the
// connection is not one of Qt's PostgreSQL driver or libpq cannot be reached from it.
const Libpq *LibpqOf(const QSqlDatabase &db, void **connection);

} // namespace Processing
