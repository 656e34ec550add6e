#pragma once

#include <QDeadlineTimer>
#include <QTest>

#include <chrono>

// How long a test watches for something that must not happen (a page asked for again, a window
// shown for half a word): long enough for it to show on a loaded machine. The one bound every
// such check waits.
inline constexpr std::chrono::milliseconds NothingHappensBound{1000};

// Whether `holds` stays true while events are handled for the bound; false as soon as it fails.
template<typename Condition> bool KeepsHolding(Condition holds)
{
    const QDeadlineTimer deadline(NothingHappensBound);
    while (!deadline.hasExpired()) {
        if (!holds())
            return false;
        QTest::qWait(10);
    }
    return holds();
}
