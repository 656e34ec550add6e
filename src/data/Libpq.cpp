#include "data/Libpq.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <type_traits>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace Processing {

namespace {

#ifdef Q_OS_UNIX
bool complete(const Libpq &pq)
{
    return pq.exec && pq.resultStatus && pq.resultErrorMessage && pq.resultErrorField && pq.clear && pq.putCopyData &&
           pq.putCopyEnd && pq.getCopyData && pq.freemem && pq.getResult && pq.errorMessage;
}

Libpq load(const QSqlDriver *driver)
{
    Libpq pq;
    Dl_info info;
    if (dladdr(driver->metaObject(), &info) == 0 || !info.dli_fname)
        return pq;
    // The plugin's handle finds libpq among the libraries it was loaded with.
    void *plugin = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (!plugin)
        return pq;
    const auto symbol = [plugin](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(plugin, name));
    };
    symbol(pq.exec, "PQexec");
    symbol(pq.resultStatus, "PQresultStatus");
    symbol(pq.resultErrorMessage, "PQresultErrorMessage");
    symbol(pq.resultErrorField, "PQresultErrorField");
    symbol(pq.clear, "PQclear");
    symbol(pq.putCopyData, "PQputCopyData");
    symbol(pq.putCopyEnd, "PQputCopyEnd");
    symbol(pq.getCopyData, "PQgetCopyData");
    symbol(pq.freemem, "PQfreemem");
    symbol(pq.getResult, "PQgetResult");
    symbol(pq.errorMessage, "PQerrorMessage");
    dlclose(plugin);
    return pq;
}
#endif

} // namespace

const Libpq *LibpqOf(const QSqlDatabase &db, void **connection)
{
    *connection = nullptr;
#ifdef Q_OS_UNIX
    if (!db.isOpen() || db.driverName() != QLatin1StringView("QPSQL"))
        return nullptr;
    const QVariant handle = db.driver()->handle();
    // Qt 6 names the type by its struct, pg_conn; Qt 5 by libpq's typedef.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    // One driver plugin serves every connection of the process.
    static const Libpq found = load(db.driver());
    if (!complete(found))
        return nullptr;
    *connection = *static_cast<void *const *>(handle.constData());
    return *connection ? &found : nullptr;
#else
    Q_UNUSED(db);
    return nullptr;
#endif
}

} // namespace Processing
