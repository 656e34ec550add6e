#pragma once

#include <QString>

class QWidget;

// The user's two ways of putting text into a box, for any text: QTest::keyClicks handles
// Latin-1 letters only, so other characters go as key events carrying their text, one
// character (a surrogate pair included) per key, as a keyboard or an input method sends them.
namespace Keyboard {

// Whether every character of text can be typed into the box: a Tab moves the focus on, a new
// line exists only in a box of several lines (Return), other control characters have no key.
bool Typeable(const QString &text, bool multiLine);
// Types text at the cursor, key by key; a "\n" is the Return key.
void Type(QWidget *box, const QString &text);
// Puts text on the clipboard and pastes it at the cursor with Ctrl+V.
void Paste(QWidget *box, const QString &text);
// Empties the box (selects all, deletes), leaving the focus on it.
void Clear(QWidget *box);

} // namespace Keyboard
