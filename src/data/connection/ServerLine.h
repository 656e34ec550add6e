#pragma once

#include <functional>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlQuery;

namespace Processing {

// How a wait on one connection's server can be given up.
struct ServerLine
{
    // The cancel request for what the connection is running (the query waiting, where known);
    // empty when there is none to send. It is asked for on the watchdog's thread and sent from
    // a thread of its own, since it waits for the server too.
    std::function<std::function<void()>(const QSqlQuery *running)> cancelFor;
    // The connection's own sockets: a byte arriving on them counts as an answer, and closing
    // them ends a wait that nothing else ends.
    std::vector<int> sockets;
};

// The line of a connection just opened to a server: through libpq's own cancel request and
// socket on Qt's PostgreSQL driver, SQLCancel on the running statement's handle and the sockets
// the driver opened (those not among socketsBefore) on its ODBC driver. None for any other
// driver (SQLite's own, or Oracle's, whose handles the program does not know).
std::optional<ServerLine> ServerLineOf(const QSqlDatabase &db, const std::vector<int> &socketsBefore);

} // namespace Processing
