#pragma once

#include "main/SearchHistory.h"
#include "main/frmMain.h"

#include <QString>

// What a test must see of the program's state but no user ever does, read through the one
// friend the program's classes name.
class Inspect
{
public:
    static const SearchHistory &History(const frmMain &window) { return window.m_history; }
    // The condition the window's list is filled under, set as a search would leave it.
    static QString &SearchStr(frmMain &window) { return window.SearchStr; }
    // The ring's slots, 0 to 5.
    static const QString &Slot(const SearchHistory &history, int index) { return history.m_slots.at(index); }
    // Where the next condition is written.
    static int WriteIndex(const SearchHistory &history) { return history.m_index; }
    // Where Back and Forward go on from.
    static int Position(const SearchHistory &history) { return history.m_pos; }
};
