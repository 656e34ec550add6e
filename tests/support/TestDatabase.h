#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// A fresh database for each test, opened as the program's connection (DbConn): a new SQLite
// file, or, in the PostgreSQL and ODBC runs, this test program's own database on the server
// with its tables made anew (the ODBC run reaches it through the PostgreSQL ODBC driver). Failures throw
// std::runtime_error with the database's text.
namespace TestDatabase {

// Empty tables only (no root row, no cities), then the given scripts from the program's
// resources ("root.sql", "cities.sql", "sample.sql").
void Reset(const QStringList &scripts = {});
// The program's sample directory: root, cities and the sample places.
void ResetWithSample();

// A statement of the test's own: in the PostgreSQL run it is the superuser's that made the
// database (the program's role may only read and write rows), on SQLite the program's.
void Exec(const QString &sql);
void Exec(const QStringList &statements);
// The first column of the first row, e.g. of "select count(*) ...".
QVariant Scalar(const QString &sql);
// Every row, each value as text (NULL as "<null>").
QList<QStringList> Rows(const QString &sql);

// Makes the database refuse every such statement ("insert", "update" or "delete") on a table,
// as a server may refuse one; the database's message reads "refused by the test". Ending the
// transaction, SQLite also rolls back what went before, as it does by itself after a full disk or
// an I/O error (PostgreSQL's failed transaction refuses all that follows either way). Allow
// takes the refusal back.
// A condition over the row (SQL, NEW.column) refuses only the rows it holds for.
enum class Refusal { Statement, EndingTransaction };
void Refuse(const QString &statement, const QString &table, Refusal how = Refusal::Statement,
            const QString &when = QString());
void Allow(const QString &statement, const QString &table);

// SQLite: the program's file can grow by no page from now on ("database or disk is full"), and a
// row longer than a few hundred characters needs more than one. False lets it grow again.
void FillSqliteFile(bool full);

// PostgreSQL: the server takes no new session on the test's database, as a server that is down
// or out of reach; the sessions it has go on. False lets them in again.
void RefuseNewSessions(bool refuse);

// The descriptor of the database the test runs on, e.g. for ConnectDB tests: as the program's
// role in the PostgreSQL run, and as the superuser that made it.
QString Descriptor();
QString OwnerDescriptor();
// The same database through its own Qt driver (the ODBC run's database as postgresql://).
QString NativeDescriptor();
// True on the PostgreSQL server, whether reached natively or over ODBC.
bool IsPostgreSQL();
bool IsOdbc();
QString BackendName();

} // namespace TestDatabase
