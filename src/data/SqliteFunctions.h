#pragma once

class QSqlDatabase;

namespace Processing {

// SQLite's own upper() folds only ASCII letters, so a duplicate check or a search would tell
// "CAFÉ" from "café". Replaces it on the connection with one that folds every letter.
void RegisterUnicodeUpper(const QSqlDatabase &db);

} // namespace Processing
