#include "ui/LayoutDirection.h"

#include "data/setup/InterfaceLanguage.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QStyle>
#include <QWidget>

bool UseInterfaceLanguage(const QString &language)
{
    const bool loaded = Processing::UseLanguage(language);
    QGuiApplication::setLayoutDirection(Processing::InterfaceLocale().textDirection());
    return loaded;
}

void MirrorFixedPlacements(QWidget *container)
{
    if (!container->isRightToLeft())
        return;
    for (QWidget *control : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow())
            continue;
        control->setGeometry(QStyle::visualRect(Qt::RightToLeft, container->rect(), control->geometry()));
        // A group box holds controls of its own at fixed places; other controls (lists, combo
        // boxes, tool bars) place their parts themselves, mirrored already.
        if (qobject_cast<QGroupBox *>(control))
            MirrorFixedPlacements(control);
    }
}
