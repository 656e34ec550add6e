#include "main/ListLoader.h"

#include "main/PlacesModel.h"
#include "ui/WaitCursor.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace {

// Rows read between two looks at the clock.
constexpr qsizetype BatchRows = 1024;

} // namespace

ListLoader::ListLoader(PlacesModel &places, ListLoadTiming timing, QObject *parent)
    : QObject(parent), m_places(places), m_timing(timing), m_steps(new QTimer(this))
{
    m_steps->setInterval(0);
    connect(m_steps, &QTimer::timeout, this, [this] { step(); });
}

ListLoader::~ListLoader() = default;

bool ListLoader::Loading() const
{
    return m_places.Loading();
}

bool ListLoader::Load(Processing::PlacesListRows rows)
{
    GiveUp();
    m_places.clear();
    m_places.beginLoad(std::move(rows));
    if (readFor(m_timing.progressDelay))
        return true;
    Q_EMIT progress(m_places.ReadCount());
    m_cursor = std::make_unique<WaitCursor>();
    m_steps->start();
    return false;
}

bool ListLoader::readFor(qint64 milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_places.loadMore(BatchRows)) {
        if (clock.elapsed() >= milliseconds)
            return false;
    }
    return true;
}

void ListLoader::step()
{
    if (!readFor(m_timing.paintInterval)) {
        Q_EMIT progress(m_places.ReadCount());
        return;
    }
    end();
}

void ListLoader::end()
{
    m_steps->stop();
    m_cursor.reset();
    std::optional<Processing::DbError> failure;
    try {
        m_places.throwLoadFailure();
    } catch (const Processing::DbError &error) {
        failure = error;
    }
    // The command that asked for the list tells of its failure where it waits for it; else the
    // window does, once.
    const bool toldByWaiting = std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                                           [](const Waiting &w) { return w.forThisLoad && w.tellsFailure; });
    const QPointer<ListLoader> alive(this);
    Q_EMIT stopped();
    if (failure)
        Q_EMIT failed(*failure, toldByWaiting);
    else
        Q_EMIT whole();
    if (!alive || Loading())
        return; // the message's own event loop let a new list start: what waits waits for it
    for (Waiting &waiting : m_waiting) {
        if (waiting.forThisLoad && failure)
            waiting.run = [run = std::move(waiting.run), failure](const std::optional<Processing::DbError> &) {
                run(failure);
            };
        waiting.forThisLoad = false;
    }
    RunWaiting();
}

void ListLoader::RunWaiting()
{
    const QPointer<ListLoader> alive(this);
    while (alive && !Loading() && !m_waiting.empty()) {
        const Waiting waiting = m_waiting.front();
        m_waiting.erase(m_waiting.begin());
        if (waiting.owner)
            waiting.run(std::nullopt);
    }
}

void ListLoader::RunWaitingLater()
{
    // Not inside the command that asked for a list: from the event loop.
    if (!Loading() && !m_waiting.empty())
        QTimer::singleShot(0, this, [this] { RunWaiting(); });
}

void ListLoader::GiveUp()
{
    if (!Loading())
        return;
    m_steps->stop();
    m_cursor.reset();
    m_places.clear();
    for (Waiting &waiting : m_waiting)
        waiting.forThisLoad = false;
    Q_EMIT stopped();
}

void ListLoader::WhenWhole(QObject *owner, int command, std::function<void()> run)
{
    if (!Loading()) {
        run();
        return;
    }
    const bool queued = std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                                    [&](const Waiting &w) { return w.owner == owner && w.command == command; });
    if (!queued)
        m_waiting.push_back({owner, command, [run = std::move(run)](const auto &) { run(); }, false, true});
}

void ListLoader::AfterLoaded(QObject *owner,
                             std::function<void(const std::optional<Processing::DbError> &failure)> then)
{
    if (!Loading()) {
        then(std::nullopt);
        return;
    }
    m_waiting.push_back({owner, -1, std::move(then), true, true});
}

void ListLoader::Forget(QObject *owner)
{
    std::erase_if(m_waiting, [owner](const Waiting &waiting) { return waiting.owner == owner; });
}

void ListLoader::HandOver(QObject *owner)
{
    for (const Waiting &waiting : std::exchange(m_waiting, {})) {
        if (waiting.owner && waiting.owner != owner)
            QTimer::singleShot(0, waiting.owner, [run = waiting.run] { run(std::nullopt); });
    }
}
