#include "ui/FormFont.h"

#include <QStringList>

QFont FormFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
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
