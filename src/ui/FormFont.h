#pragma once

#include <QFont>

// The face of the forms' captions and boxes: MS Sans Serif where the system has it, otherwise a
// face of about its widths (Liberation Sans, Arial, Helvetica), so that every caption fits the
// fixed layout; failing those, the system's sans-serif. Arabic letters come from a face that has
// them.
QFont FormFont(qreal pointSize, bool bold);

// The dialogs' two sizes of it: captions (labels, check boxes, buttons) bold, the lists and text
// boxes a size larger. Qt text is Unicode throughout: the Arabic character set the forms were
// drawn with is the fallback face's business.
QFont CaptionFont();
QFont ListFont();
