#include "data/connection/ServerLine.h"

#include "data/connection/ServerSockets.h"
#include "data/drivers/LibpqFunctions.h"
#include "data/drivers/OdbcDriver.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <memory>

namespace Processing {

namespace {

// libpq's, by their names: the connection's socket, and its cancel request.
using LibpqSocket = int (*)(const void *connection);
using LibpqGetCancel = void *(*)(void *connection);
using LibpqFreeCancel = void (*)(void *cancel);
using LibpqCancel = int (*)(void *cancel, char *errorBuffer, int errorBufferSize);

std::optional<ServerLine> libpqLine(const QSqlDatabase &db)
{
    void *connection = LibpqConnection(db);
    const auto socketOf = reinterpret_cast<LibpqSocket>(LibpqFunction(db.driver(), "PQsocket"));
    const auto getCancel = reinterpret_cast<LibpqGetCancel>(LibpqFunction(db.driver(), "PQgetCancel"));
    const auto freeCancel = reinterpret_cast<LibpqFreeCancel>(LibpqFunction(db.driver(), "PQfreeCancel"));
    const auto cancel = reinterpret_cast<LibpqCancel>(LibpqFunction(db.driver(), "PQcancel"));
    if (!connection || !socketOf || !getCancel || !freeCancel || !cancel)
        return std::nullopt;
    ServerLine line;
    if (const int socket = socketOf(connection); socket >= 0)
        line.sockets.push_back(socket);
    // Made here, on the connection's own thread; a request on its way keeps it while it needs it,
    // also after the connection has closed.
    if (std::shared_ptr<void> request{getCancel(connection), freeCancel}) {
        line.cancelFor = [request, cancel](const QSqlQuery *) -> std::function<void()> {
            return [request, cancel] {
                char error[256];
                cancel(request.get(), error, int(sizeof error));
            };
        };
    }
    return line;
}

std::optional<ServerLine> odbcLine(const std::vector<int> &socketsBefore)
{
    ServerLine line;
    line.sockets = SocketsOpenedSince(socketsBefore);
    // Only a running statement can be stopped so: a commit cannot.
    line.cancelFor = [](const QSqlQuery *running) -> std::function<void()> {
        void *statement = running ? OdbcStatementHandle(*running) : nullptr;
        if (!statement)
            return {};
        return [statement] { CancelOdbcStatement(statement); };
    };
    return line;
}

} // namespace

std::optional<ServerLine> ServerLineOf(const QSqlDatabase &db, const std::vector<int> &socketsBefore)
{
    if (!db.isOpen())
        return std::nullopt;
    if (db.driverName() == QLatin1StringView("QPSQL"))
        return libpqLine(db);
    if (db.driverName() == QLatin1StringView("QODBC"))
        return odbcLine(socketsBefore);
    return std::nullopt;
}

} // namespace Processing
