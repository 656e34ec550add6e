#pragma once

#include <QByteArrayView>

#include <string>
#include <vector>

// One row on its way between databases: each value as the UTF-8 of its text form (an integer
// in decimal), or NULL. Kept in one buffer that the next row reuses, so that a million rows
// cost no allocation each.
class CopyRow
{
public:
    void clear()
    {
        m_bytes.clear();
        m_ends.clear();
        m_nulls.clear();
    }
    void appendNull()
    {
        m_ends.push_back(m_bytes.size());
        m_nulls.push_back(true);
    }
    void append(const char *data, std::size_t size)
    {
        m_bytes.append(data, size);
        m_ends.push_back(m_bytes.size());
        m_nulls.push_back(false);
    }
    // For a reader that decodes a value in place: the value's bytes go to bytes() first.
    std::string &bytes() { return m_bytes; }
    void endValue()
    {
        m_ends.push_back(m_bytes.size());
        m_nulls.push_back(false);
    }

    int size() const { return int(m_ends.size()); }
    bool isNull(int i) const { return m_nulls[std::size_t(i)]; }
    QByteArrayView value(int i) const
    {
        const std::size_t start = i == 0 ? 0 : m_ends[std::size_t(i) - 1];
        return QByteArrayView(m_bytes.data() + start, qsizetype(m_ends[std::size_t(i)] - start));
    }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
    std::vector<bool> m_nulls;
};
