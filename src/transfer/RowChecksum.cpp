#include "transfer/RowChecksum.h"

#include <QHash>

namespace {

// SplitMix64's finaliser: spreads every bit of a value over the whole word, so that sums of
// related rows' hashes do not cancel out.
quint64 mixed(quint64 value)
{
    value ^= value >> 30;
    value *= 0xbf58476d1ce4e5b9ULL;
    value ^= value >> 27;
    value *= 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

constexpr quint64 NullValue = 0x6e756c6c2d76616cULL;

} // namespace

void RowChecksum::add(const CopyRow &row)
{
    quint64 hash = 0x7461726e7769636bULL;
    for (int c = 0; c < row.size(); ++c) {
        const quint64 value =
            row.isNull(c) ? NullValue : quint64(qHashBits(row.value(c).data(), std::size_t(row.value(c).size()), 0));
        hash = mixed(hash ^ mixed(value + quint64(c)));
    }
    m_sum += mixed(hash);
    ++m_rows;
}

void RowChecksum::combine(const RowChecksum &other, int position)
{
    m_rows += other.m_rows;
    m_sum += mixed(other.m_sum + quint64(position));
}

QString RowChecksum::text() const
{
    return QStringLiteral("%1").arg(m_sum, 16, 16, QLatin1Char('0'));
}
