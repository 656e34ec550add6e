#pragma once

#include <QString>

// The generated PostgreSQL database again, reached through the PostgreSQL ODBC driver
// (odbc-postgresql) without a data source: "odbc:Driver=...;Servername=...". Empty when the
// driver is not installed.
QString PostgresqlOdbcDescriptor(const QString &postgresqlDescriptor);
