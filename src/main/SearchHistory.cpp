#include "main/SearchHistory.h"

void SearchHistory::record(const QString &condition)
{
    if (m_index == 5)
        m_index = 0;
    m_slots[m_index] = condition;
    ++m_index;
}

std::optional<QString> SearchHistory::back()
{
    return step(true);
}

std::optional<QString> SearchHistory::forward()
{
    return step(false);
}

std::optional<QString> SearchHistory::step(bool backwards)
{
    for (int steps = 0; steps < 5; ++steps) {
        if (backwards)
            m_pos = m_pos == 0 ? 4 : m_pos - 1;
        else
            m_pos = m_pos == 4 ? 0 : m_pos + 1;
        if (!m_slots[m_pos].isEmpty())
            return m_slots[m_pos];
    }
    return std::nullopt;
}
