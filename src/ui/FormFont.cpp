#include "ui/FormFont.h"

#include <QStringList>

QFont FormFont(qreal pointSize, bool bold)
{
    QFont font;
    // Qt takes the families after the first it finds as its fallbacks, in order, before the
    // system's: Arabic text comes from Noto Sans Arabic UI (fonts-noto-ui-core), drawn for the
    // heights of interfaces, where the face found first has no Arabic letters (Liberation Sans).
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont CaptionFont()
{
    return FormFont(8.25, true);
}

QFont ListFont()
{
    return FormFont(9.75, false);
}
