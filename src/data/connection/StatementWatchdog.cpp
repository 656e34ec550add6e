#include "data/connection/StatementWatchdog.h"

#include "data/connection/ServerSockets.h"

#include <algorithm>

namespace Processing {

// A cancel request on its way: its thread, and what the watchdog needs to end it should the
// server not answer it either.
struct StatementWatchdog::CancelRequest
{
    std::thread thread;
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    Clock::time_point deadline;
    std::vector<int> socketsBefore;
    SocketPeers line;   // read before anything was shut down
    bool ended = false; // the watchdog has acted on its deadline
};

StatementWatchdog::~StatementWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void StatementWatchdog::setLimit(std::chrono::milliseconds limit)
{
    std::lock_guard lock(m_mutex);
    m_limit = std::max(limit, std::chrono::milliseconds(1));
}

void StatementWatchdog::watch(ServerLine line)
{
    {
        std::lock_guard lock(m_mutex);
        m_line = std::move(line);
        m_lineClosed = false;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_watching = true;
    m_changed.notify_all();
}

void StatementWatchdog::unwatch()
{
    if (!m_watching)
        return;
    std::lock_guard lock(m_mutex);
    m_line.reset();
    m_lineClosed = false;
    m_watching = false;
}

StatementWatchdog::Wait::Wait(StatementWatchdog &watchdog, const QSqlQuery *running)
{
    if (!watchdog.m_watching)
        return;
    m_watchdog = &watchdog;
    // A call inside a call (a statement's rows read as it runs) is the outer call's.
    if (watchdog.m_depth++ == 0)
        watchdog.begin(running);
}

StatementWatchdog::Wait::~Wait()
{
    if (m_watchdog && --m_watchdog->m_depth == 0)
        m_watchdog->end();
}

void StatementWatchdog::begin(const QSqlQuery *running)
{
    m_lastVerdict = {};
    m_running.store(running, std::memory_order_relaxed);
    m_calls.store(m_calls.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    // Paired with the watchdog's m_idle before it sleeps: one of the two sees the other's.
    m_waiting.store(true);
    if (m_idle.load()) {
        std::lock_guard lock(m_mutex);
        m_changed.notify_all();
    }
}

void StatementWatchdog::end()
{
    // Paired with m_acting in giveUp(): the watchdog either sees that the call ended or has
    // said that it acts on it.
    m_waiting.store(false);
    if (!m_acting.load())
        return;
    std::shared_ptr<CancelRequest> cancel;
    {
        std::lock_guard lock(m_mutex);
        cancel = m_cancel;
    }
    if (cancel) {
        // Its thread may still use what the call used (the statement's handle): the call's
        // objects stay until it is done, which the watchdog sees to by its deadline.
        std::unique_lock lock(cancel->mutex);
        cancel->answered.wait_until(lock, cancel->deadline + grace() + std::chrono::seconds(1),
                                    [&] { return cancel->done; });
    }
    {
        std::lock_guard lock(m_mutex);
        m_cancel.reset();
        m_lastVerdict = std::exchange(m_verdict, {});
        m_acting = false;
    }
    if (cancel) {
        // Still on its way, the request may yet use the statement's handle and the connection,
        // which go with the call: its own connection is cut as soon as it is there (it may wait
        // for the driver's lock until now), and the request waited for.
        std::unique_lock lock(cancel->mutex);
        while (!cancel->answered.wait_for(lock, std::chrono::milliseconds(50), [&] { return cancel->done; })) {
            lock.unlock();
            ShutDownSockets(SocketsToSamePeer(cancel->socketsBefore, cancel->line));
            lock.lock();
        }
        lock.unlock();
        cancel->thread.join();
    }
    m_changed.notify_all();
}

StatementWatchdog::Clock::duration StatementWatchdog::tick() const
{
    return std::clamp<Clock::duration>(m_limit / 8, std::chrono::milliseconds(10), std::chrono::seconds(1));
}

StatementWatchdog::Clock::duration StatementWatchdog::grace() const
{
    return std::min<Clock::duration>(m_limit, std::chrono::seconds(5));
}

void StatementWatchdog::run()
{
    std::unique_lock lock(m_mutex);
    Clock::time_point answeredAt = Clock::now();
    quint64 seen = 0;
    while (!m_stop) {
        if (!m_cancel && !(m_line && m_waiting.load())) {
            // Nothing waits: sleep until a call begins. Paired with m_waiting in begin().
            m_idle = true;
            m_changed.wait(lock, [&] { return m_stop || m_cancel || (m_line && m_waiting.load()); });
            m_idle = false;
            answeredAt = Clock::now();
            seen = m_calls.load();
            continue;
        }
        m_changed.wait_for(lock, tick());
        if (m_stop)
            break;
        const Clock::time_point now = Clock::now();
        if (m_cancel) {
            superviseCancel(now);
            continue;
        }
        if (!m_line || !m_waiting.load())
            continue;
        // A new call (the next row read) or a byte from the server is an answer.
        if (const quint64 calls = m_calls.load(); calls != seen) {
            seen = calls;
            answeredAt = now;
        }
        if (const auto lastByte = LastByteReceived(m_line->sockets, now))
            answeredAt = std::max(answeredAt, *lastByte);
        if (now - answeredAt >= m_limit && m_givenUp != seen) {
            m_givenUp = seen;
            giveUp(now);
        }
    }
}

void StatementWatchdog::giveUp(Clock::time_point now)
{
    m_acting = true;
    if (!m_waiting.load()) {
        m_acting = false; // it ended just now
        return;
    }
    std::function<void()> cancel;
    if (m_line->cancelFor)
        cancel = m_line->cancelFor(m_running.load());
    if (!cancel) {
        closeLine();
        return;
    }
    m_verdict.cancelled = true;
    auto request = std::make_shared<CancelRequest>();
    request->socketsBefore = OpenSockets();
    request->line = PeersOf(m_line->sockets);
    request->deadline = now + grace();
    request->thread = std::thread([request, cancel = std::move(cancel)] {
        cancel();
        {
            std::lock_guard lock(request->mutex);
            request->done = true;
        }
        request->answered.notify_all();
    });
    m_cancel = std::move(request);
}

void StatementWatchdog::superviseCancel(Clock::time_point now)
{
    if (m_cancel->ended || now < m_cancel->deadline)
        return;
    m_cancel->ended = true;
    // Neither the call nor the request to stop it was answered.
    if (m_waiting.load() && m_line)
        closeLine();
    bool done = false;
    {
        std::lock_guard lock(m_cancel->mutex);
        done = m_cancel->done;
    }
    if (!done)
        ShutDownSockets(SocketsToSamePeer(m_cancel->socketsBefore, m_cancel->line));
}

void StatementWatchdog::closeLine()
{
    ShutDownSockets(m_line->sockets);
    m_verdict.closed = true;
    m_lineClosed = true;
}

} // namespace Processing
