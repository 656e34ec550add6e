#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

// Keeps many short texts in a few large blocks. The places list holds eight texts for each of
// possibly a hundred thousand places; one allocation per text made filling and, worse, emptying
// the list slow. Views handed out stay valid until clear().
class TextArena
{
public:
    // Room for a number of bytes, aligned for UTF-16.
    char *reserveBytes(qsizetype bytes);
    void clear();

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char *m_free = nullptr;
    qsizetype m_left = 0;
};
