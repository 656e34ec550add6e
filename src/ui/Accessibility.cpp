#include "ui/Accessibility.h"

#include <QLabel>

void LabelControl(QLabel *label, QWidget *control)
{
    label->setBuddy(control);
    // "&" marks an access key in a caption; it is no part of the name.
    QString name = label->text();
    name.replace(QLatin1StringView("&&"), QLatin1StringView("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    control->setAccessibleName(name.trimmed());
}
