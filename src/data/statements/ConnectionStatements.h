#pragma once

#include <QString>

namespace Processing {

// The statements the connection sends on its own account, around the directory's: to check and
// set up a database as it opens, to hold SQLite's write lock, to ask PostgreSQL how a commit
// ended.

// Reads the file's header: fails on a file that is no SQLite database.
QString SqliteSchemaReadQuery();
// Literals as written, a backslash included.
QString StandardStringsStatement();

QString SqliteBeginStatement();
QString SqliteCommitStatement();
QString SqliteRollbackStatement();

// The open transaction's number and the server's timeline, then how the transaction numbered so
// ended. A promoted standby starts a timeline of its own.
QString TransactionNumberQuery();
QString TimelineQuery();
QString TimelineExpression();
QString TransactionStatusQuery(const QString &transactionNumber);

} // namespace Processing
