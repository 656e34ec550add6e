#pragma once

#include <QString>

class QSqlDatabase;
struct sqlite3;

namespace Processing {

// The program may call SQLite on the handle of Qt's SQLite driver only when the driver runs on
// the very library the program links (Debian's does). A Qt build that carries its own copy of
// SQLite would see its connection handled by a second copy, whose idea of the handle's memory
// need not match. Empty when the library is shared, otherwise why it is not; found once.
QString ForeignSqliteReason(const QSqlDatabase &db);

// The connection's handle for the program's own SQLite calls, or nullptr (with the reason in
// whyNot) when the driver's SQLite is not the program's.
sqlite3 *SharedSqliteHandle(const QSqlDatabase &db, QString *whyNot = nullptr);

// SQLite's own upper() folds only ASCII letters, so a duplicate check or a search would tell
// "CAFÉ" from "café". Replaces it on the connection with one that folds every letter. Where the
// driver's SQLite is not the program's, SQLite's own upper() stays and the reason is logged.
void RegisterUnicodeUpper(const QSqlDatabase &db);
// Whether upper() on the connection is that one: then QString::toUpper() folds a text in the
// program exactly as upper() does in a statement.
bool HasUnicodeUpper(const QSqlDatabase &db);

} // namespace Processing
