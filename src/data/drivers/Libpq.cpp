#include "data/drivers/Libpq.h"

#include "data/drivers/LibpqFunctions.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <type_traits>

namespace Processing {

namespace {

Libpq load(const QSqlDriver *driver)
{
    Libpq pq;
    const auto symbol = [driver](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(LibpqFunction(driver, name));
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
    return pq;
}

bool complete(const Libpq &pq)
{
    return pq.exec && pq.resultStatus && pq.resultErrorMessage && pq.resultErrorField && pq.clear && pq.putCopyData &&
           pq.putCopyEnd && pq.getCopyData && pq.freemem && pq.getResult && pq.errorMessage;
}

} // namespace

const Libpq *LibpqOf(const QSqlDatabase &db, void **connection)
{
    *connection = LibpqConnection(db);
    if (!*connection)
        return nullptr;
    // One driver plugin serves every connection of the process.
    static const Libpq found = load(db.driver());
    return complete(found) ? &found : nullptr;
}

} // namespace Processing
