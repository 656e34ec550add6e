#pragma once

#include <QFont>

// The editing windows' fonts: captions (labels, check boxes, buttons) bold, the lists a size
// larger. The Arabic character set the forms were drawn with needs nothing here: Qt text is
// Unicode throughout.
QFont CaptionFont();
QFont ListFont();
