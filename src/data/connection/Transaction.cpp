#include "data/connection/Transaction.h"

namespace Processing {

Transaction::Transaction(Connection &db) : m_db(db)
{
    m_db.begin();
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        rollbackQuietly();
}

void Transaction::execute(const QString &sql)
{
    // After a failure nothing more is sent: the database may have ended the transaction (SQLite
    // does at a full disk), and what followed would then be stored on its own.
    if (m_failure)
        return;
    try {
        m_db.execute(sql);
    } catch (const DbError &error) {
        if (!m_failure)
            m_failure = error;
    }
}

std::optional<DbError> Transaction::finish(const QString &written)
{
    if (!m_open)
        return m_failure;
    if (m_failure) {
        rollbackQuietly();
        return m_failure;
    }
    m_open = false;
    try {
        // A commit that fails has rolled back already.
        m_db.commit(written);
    } catch (const DbError &error) {
        m_failure = error;
    }
    return m_failure;
}

void Transaction::rollbackQuietly()
{
    m_open = false;
    try {
        m_db.rollback();
    } catch (const DbError &) {
        // The failure that led here is the one worth telling; nothing was committed either way.
    }
}

std::optional<DbError> RunAsOneWrite(const QStringList &statements, Connection &db, const QString &written)
{
    try {
        Transaction write(db);
        for (const QString &statement : statements)
            write.execute(statement);
        return write.finish(written);
    } catch (const DbError &error) {
        return error;
    }
}

} // namespace Processing
