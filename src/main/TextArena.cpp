#include "main/TextArena.h"

#include <QChar>

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype BlockSize = qsizetype(1) << 17; // bytes

char16_t folded(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    // Surrogate halves fold to themselves; no letter of the basic plane folds outside it.
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}

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

char16_t *TextArena::reserve(qsizetype size)
{
    return reinterpret_cast<char16_t *>(reserveBytes(size * qsizetype(sizeof(char16_t))));
}

QStringView TextArena::addFolded(QLatin1StringView text)
{
    if (text.isEmpty())
        return QStringView();
    char16_t *copy = reserve(text.size());
    const auto *source = reinterpret_cast<const uchar *>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        copy[i] = folded(char16_t(source[i]));
    return QStringView(copy, text.size());
}

QStringView TextArena::addFolded(QStringView text)
{
    const char16_t *source = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    qsizetype first = 0;
    while (first < size && folded(source[first]) == source[first])
        ++first;
    if (first == size)
        return text;
    char16_t *copy = reserve(size);
    std::memcpy(copy, source, std::size_t(first) * sizeof(char16_t));
    for (qsizetype i = first; i < size; ++i)
        copy[i] = folded(source[i]);
    return QStringView(copy, size);
}

void TextArena::clear()
{
    m_blocks.clear();
    m_free = nullptr;
    m_left = 0;
}
