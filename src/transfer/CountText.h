#pragma once

#include <QString>

// A count and what it counts, "1 category", "2 categories", in the form the interface's language
// gives that number (Arabic has six). text is a numerus text of the "Transfer" context, marked
// where it is written with QT_TRANSLATE_N_NOOP("Transfer", "%n categories"); English takes its
// singular from the catalogue of English plurals.
QString CountText(const char *text, qint64 count);
