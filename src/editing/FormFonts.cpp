#include "editing/FormFonts.h"

namespace {

QFont sansSerif(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    // Where that face is missing, the system's sans-serif takes its place.
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont CaptionFont()
{
    return sansSerif(8.25, true);
}

QFont ListFont()
{
    return sansSerif(9.75, false);
}
