#pragma once

#include <QString>

class QLineEdit;

// Text boxes hold whole characters only. A length limit that falls between the two halves of a
// character beyond the BMP (an emoji, a rare CJK ideograph) would leave half of it in the box,
// which is stored as a replacement character; a NUL cannot be stored in a text column at all and
// cuts the statement short. Either way the box would show one thing and the database keep another.

// The text without unpaired surrogates and NULs.
QString WholeCharacters(const QString &text);
// The longest start of text of at most units UTF-16 code units that does not end in half a character.
QString LeftWholeCharacters(const QString &text, qsizetype units);
// Makes a one-line box drop the half of a character its length limit cut off, and NULs.
void KeepWholeCharacters(QLineEdit *box);
