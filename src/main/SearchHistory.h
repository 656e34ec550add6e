#pragma once

#include <QString>

#include <array>
#include <optional>

// The ring of the last five search conditions. Recording and stepping keep positions of their
// own: recording never moves where Back and Forward start, and stepping never moves where
// the next condition is written.
class SearchHistory
{
public:
    void record(const QString &condition);
    // The first non-empty slot in that direction, visiting at most five; none when all are empty.
    std::optional<QString> back();
    std::optional<QString> forward();

private:
    std::optional<QString> step(bool backwards);

    // Six slots of which only 0 to 4 are ever used: the write index rests at 5 between the
    // fifth recording and the next.
    std::array<QString, 6> m_slots;
    qint16 m_index = 0;
    qint16 m_pos = 0;
};
