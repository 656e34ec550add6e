#pragma once

#include "data/connection/ServerLine.h"
#include "data/setup/DefaultAnswerLimit.h"

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QSqlQuery;

namespace Processing {

// Gives up a database call that has waited too long for the server. The main thread waits in the
// driver, so the watching is done from a thread of its own: once a call has had no byte from the
// server for the limit, the server is asked to stop the statement; when that is not answered
// within a grace of its own either, the connection's sockets are closed, which ends the call as a
// lost connection would. A call that is given rows or bytes goes on for as long as they come.
//
// It costs a connection that nothing watches (SQLite) a test of a flag per call, and starts its
// thread when it is first given a line to watch.
class StatementWatchdog
{
public:
    using Clock = std::chrono::steady_clock;

    // What the watchdog did to the last call.
    struct Verdict
    {
        bool cancelled = false; // the server was asked to stop it
        bool closed = false;    // the connection was closed under it
    };

    StatementWatchdog() = default;
    ~StatementWatchdog();
    StatementWatchdog(const StatementWatchdog &) = delete;
    StatementWatchdog &operator=(const StatementWatchdog &) = delete;

    void setLimit(std::chrono::milliseconds limit);
    std::chrono::milliseconds limit() const { return m_limit; }

    // Watches the calls on this line from now on; unwatch() before the connection closes.
    void watch(ServerLine line);
    void unwatch();

    // Whether the watchdog closed the line it watches: the connection is gone.
    bool lineClosed() const { return m_lineClosed.load(); }
    Verdict lastVerdict() const { return m_lastVerdict; }

    // One call on the main thread that waits on the server, for as long as it lives; the query
    // is the one the call runs, where there is one.
    class Wait
    {
    public:
        Wait(StatementWatchdog &watchdog, const QSqlQuery *running);
        ~Wait();
        Wait(const Wait &) = delete;
        Wait &operator=(const Wait &) = delete;

    private:
        StatementWatchdog *m_watchdog = nullptr;
    };

private:
    struct CancelRequest;

    void begin(const QSqlQuery *running);
    void end();
    void run();
    // Under m_mutex, on the watchdog's thread.
    void giveUp(Clock::time_point now);
    void superviseCancel(Clock::time_point now);
    void closeLine();
    Clock::duration tick() const;
    Clock::duration grace() const;

    // The main thread's own.
    int m_depth = 0;
    bool m_watching = false;
    Verdict m_lastVerdict;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
    // Under m_mutex.
    bool m_stop = false;
    std::chrono::milliseconds m_limit = DefaultAnswerLimit;
    std::optional<ServerLine> m_line;
    std::shared_ptr<CancelRequest> m_cancel;
    Verdict m_verdict;
    quint64 m_givenUp = 0; // the call last given up, by number

    // Between the main thread and the watchdog's, without a lock.
    std::atomic<bool> m_waiting = false;
    std::atomic<bool> m_idle = false;
    std::atomic<bool> m_acting = false;
    std::atomic<bool> m_lineClosed = false;
    std::atomic<quint64> m_calls = 0;
    std::atomic<const QSqlQuery *> m_running = nullptr;
};

} // namespace Processing
