#pragma once

#include <QLatin1StringView>
#include <QStringView>

#include <memory>
#include <vector>

// Keeps many short texts in a few large blocks. The places list holds eight texts for each of
// possibly a hundred thousand places; one allocation per text made filling and, worse, emptying
// the list slow. Views handed out stay valid until clear().
class TextArena
{
public:
    // The text folded to one case for comparisons without regard to case; a text that folding
    // leaves unchanged is returned as it is, without a copy.
    QStringView addFolded(QStringView text);
    // A one-byte text folded into the arena as UTF-16.
    QStringView addFolded(QLatin1StringView text);
    // Room for a number of bytes, aligned for UTF-16.
    char *reserveBytes(qsizetype bytes);
    void clear();

private:
    char16_t *reserve(qsizetype size);

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char *m_free = nullptr;
    qsizetype m_left = 0;
};
