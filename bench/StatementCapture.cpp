#include "StatementCapture.h"

#include "data/Connection.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace {

sqlite3 *programConnection()
{
    if (Processing::DbConn().dialect() != Processing::Dialect::SQLite || !Processing::DbConn().isOpen())
        return nullptr;
    const QVariant handle = Processing::DbConn().database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.data());
}

int traced(unsigned type, void *context, void *, void *text)
{
    if (type == SQLITE_TRACE_STMT)
        static_cast<StatementCapture *>(context)->record(QString::fromUtf8(static_cast<const char *>(text)));
    return 0;
}

} // namespace

StatementCapture::StatementCapture()
{
    if (sqlite3 *db = programConnection())
        m_active = sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, this) == SQLITE_OK;
}

StatementCapture::~StatementCapture()
{
    if (sqlite3 *db = m_active ? programConnection() : nullptr)
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
}
