#include "data/ConnectionLoss.h"

#include "data/DbError.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace Processing {

namespace {

// libpq's ConnStatusType: CONNECTION_BAD once the connection is gone.
constexpr int LibpqConnectionBad = 1;
using LibpqStatus = int (*)(const void *);

// PQstatus from the libpq the PostgreSQL driver plugin was loaded with: the program itself does
// not link libpq, so that SQLite users need no PostgreSQL library.
LibpqStatus libpqStatus(const QSqlDriver *driver)
{
#ifdef Q_OS_UNIX
    static const LibpqStatus status = [driver]() -> LibpqStatus {
        Dl_info info;
        if (dladdr(driver->metaObject(), &info) == 0 || !info.dli_fname)
            return nullptr;
        void *plugin = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
        if (!plugin)
            return nullptr;
        auto *found = reinterpret_cast<LibpqStatus>(dlsym(plugin, "PQstatus"));
        dlclose(plugin);
        return found;
    }();
    return status;
#else
    Q_UNUSED(driver);
    return nullptr;
#endif
}

bool lostState(const QString &sqlState)
{
    return sqlState.startsWith(QLatin1StringView("08")) || sqlState == QLatin1StringView("57P01") ||
           sqlState == QLatin1StringView("57P02") || sqlState == QLatin1StringView("57P03");
}

} // namespace

bool ConnectionLost(const QSqlDatabase &db, const DbError &failure)
{
    if (!db.isValid() || !db.isOpen())
        return true;
    if (lostState(failure.sqlState()))
        return true;
    if (db.driverName() != QLatin1StringView("QPSQL"))
        return false;
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "PGconn*") == 0) {
        const void *connection = *static_cast<const void *const *>(handle.constData());
        if (const LibpqStatus status = libpqStatus(db.driver()); status && connection)
            return status(connection) == LibpqConnectionBad;
    }
    // Where libpq's state cannot be read, its own words for a connection that is gone.
    return failure.driverText().contains(QLatin1StringView("server closed the connection unexpectedly")) ||
           failure.driverText().contains(QLatin1StringView("no connection to the server"));
}

} // namespace Processing
