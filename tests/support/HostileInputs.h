#pragma once

#include <QList>
#include <QString>

// Texts a user may type or paste that have broken programs of this kind: quotes and SQL,
// like wildcards and escapes, blanks and control characters, right-to-left and other scripts,
// characters beyond the BMP, and texts at and beyond a box's length limit.
namespace HostileInputs {

struct Input
{
    QString label;
    QString text;
};

// The fixed corpus; a box with a smaller limit cuts the longer texts as it cuts any other.
QList<Input> Corpus();
// Texts made for a box that takes at most maxLength UTF-16 code units: exactly that many, more
// than that, and a character beyond the BMP that fits, or straddles the limit.
QList<Input> AtAndBeyondLength(int maxLength);

} // namespace HostileInputs
