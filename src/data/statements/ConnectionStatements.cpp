#include "data/statements/ConnectionStatements.h"

namespace Processing {

QString SqliteSchemaReadQuery()
{
    return QStringLiteral("select count(*) from sqlite_master");
}

QString StandardStringsStatement()
{
    return QStringLiteral("set standard_conforming_strings = on");
}

QString SqliteBeginStatement()
{
    return QStringLiteral("BEGIN IMMEDIATE");
}

QString SqliteCommitStatement()
{
    return QStringLiteral("COMMIT");
}

QString SqliteRollbackStatement()
{
    return QStringLiteral("ROLLBACK");
}

QString TransactionNumberQuery()
{
    return QStringLiteral("select txid_current(), ") + TimelineExpression();
}

QString TimelineQuery()
{
    return QStringLiteral("select ") + TimelineExpression();
}

QString TimelineExpression()
{
    // The first eight digits of a WAL file's name are its timeline; any role may ask.
    return QStringLiteral("substr(pg_walfile_name(pg_current_wal_lsn()), 1, 8)");
}

QString TransactionStatusQuery(const QString &transactionNumber)
{
    return QStringLiteral("select txid_status(%1)").arg(transactionNumber);
}

} // namespace Processing
