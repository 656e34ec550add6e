#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace Processing {

// The text of a settings file in the INI form:
//   ; a comment (or # a comment)
//   [Section]
//   key=value
// A value is read as written to the end of its line, ";" and "," included, blanks around it
// left out. In double quotes it may keep blanks at its ends; inside them \" stands for " and
// \\ for \. A blank after a "," outside quotes is dropped, as several hosts are often written.
struct SettingsText
{
    QHash<QString, QString> values; // "Section/key" -> value
    QString error;                  // why the text is no settings file; it shows none of the values
};

SettingsText ReadSettingsText(const QByteArray &bytes);

} // namespace Processing
