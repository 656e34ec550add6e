#pragma once

#include <QFont>

// The face of the forms' captions and boxes: MS Sans Serif where the system has it, otherwise a
// face of about its widths (Liberation Sans, Arial, Helvetica), so that every caption fits the
// fixed layout; failing those, the system's sans-serif.
QFont FormFont(qreal pointSize, bool bold);

// The dialogs' two sizes of it: captions (labels, check boxes, buttons) bold, the lists and text
// boxes a size larger. The Arabic character set the forms were drawn with needs nothing here: Qt
// text is Unicode throughout.
QFont CaptionFont();
QFont ListFont();
