#include "data/drivers/LibpqFunctions.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace Processing {

void *LibpqFunction(const QSqlDriver *driver, const char *name)
{
#ifdef Q_OS_UNIX
    // Held, not closed again: a function found here may be called until the program ends.
    static void *const plugin = [driver]() -> void * {
        Dl_info info;
        if (dladdr(driver->metaObject(), &info) == 0 || !info.dli_fname)
            return nullptr;
        return dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    }();
    return plugin ? dlsym(plugin, name) : nullptr;
#else
    Q_UNUSED(driver);
    Q_UNUSED(name);
    return nullptr;
#endif
}

void *LibpqConnection(const QSqlDatabase &db)
{
    if (!db.isOpen() || db.driverName() != QLatin1StringView("QPSQL"))
        return nullptr;
    const QVariant handle = db.driver()->handle();
    // Qt 6 names the type by the struct libpq's typedef stands for, Qt 5 by the typedef.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<void *const *>(handle.constData());
}

} // namespace Processing
