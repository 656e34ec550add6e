#pragma once

#include <QString>

namespace Processing {

// The one way typed text enters a statement: the result goes between the single quotes that
// the statement's own pieces supply, with every ' doubled so nothing typed can end the literal.
QString SqlText(const QString &typed);

// The typed text without the blanks around it; other white space (a line break) stays.
QString TrimBlanks(const QString &text);

} // namespace Processing
