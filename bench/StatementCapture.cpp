#include "StatementCapture.h"

#include "data/Connection.h"
#include "data/SqliteFunctions.h"

#include <sqlite3.h>

namespace {

sqlite3 *programConnection()
{
    if (Processing::DbConn().dialect() != Processing::Dialect::SQLite || !Processing::DbConn().isOpen())
        return nullptr;
    // The same handle the tests' trace takes: never one of a second copy of SQLite.
    return Processing::SharedSqliteHandle(Processing::DbConn().database());
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
