#include "support/CursorWitness.h"

#include "data/Connection.h"

#include <QCursor>
#include <QGuiApplication>
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

int traced(unsigned type, void *context, void *, void *)
{
    if (type == SQLITE_TRACE_STMT) {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        static_cast<CursorWitness *>(context)->record(cursor ? int(cursor->shape()) : -1);
    }
    return 0;
}

} // namespace

CursorWitness::CursorWitness()
{
    if (sqlite3 *db = programConnection())
        m_active = sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, this) == SQLITE_OK;
}

CursorWitness::~CursorWitness()
{
    if (sqlite3 *db = m_active ? programConnection() : nullptr)
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
}
