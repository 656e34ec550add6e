#include "main/TextArena.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype BlockSize = qsizetype(1) << 17; // bytes

} // namespace

char *TextArena::reserveBytes(qsizetype bytes)
{
    // Every start is even, so UTF-16 texts stay aligned after one-byte ones.
    bytes += bytes & 1;
    if (bytes > m_left) {
        const qsizetype blockSize = std::max(BlockSize, bytes);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(std::size_t(blockSize)));
        m_free = m_blocks.back().get();
        m_left = blockSize;
    }
    char *start = m_free;
    m_free += bytes;
    m_left -= bytes;
    return start;
}

void TextArena::clear()
{
    m_blocks.clear();
    m_free = nullptr;
    m_left = 0;
}
