#include "data/setup/SettingsText.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringList>

namespace Processing {

namespace {

// Returns false for an unclosed quote or text after the closing one.
bool unquoted(const QString &text, QString &value)
{
    value.clear();
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            value += text.at(++i);
        } else if (c == QLatin1Char('"')) {
            return text.mid(i + 1).trimmed().isEmpty();
        } else {
            value += c;
        }
    }
    return false;
}

} // namespace

SettingsText ReadSettingsText(const QByteArray &bytes)
{
    SettingsText settings;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || text.contains(QChar(0))) {
        settings.error = QCoreApplication::translate("Processing", "it is not text in UTF-8");
        return settings;
    }
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype number = 0; number < lines.size(); ++number) {
        const QString line = lines.at(number).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')) || line.size() < 3) {
                settings.error =
                    QCoreApplication::translate("Processing", "line %1 is not a [section]").arg(number + 1);
                return settings;
            }
            section = line.mid(1, line.size() - 2).trimmed();
            if (section.compare(QLatin1StringView("General"), Qt::CaseInsensitive) == 0)
                section.clear();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = equals < 0 ? QString() : line.left(equals).trimmed();
        if (key.isEmpty()) {
            settings.error = QCoreApplication::translate(
                                 "Processing", "line %1 is neither a [section], a KEY=VALUE line nor a comment")
                                 .arg(number + 1);
            return settings;
        }
        const QString raw = line.mid(equals + 1).trimmed();
        QString value;
        if (raw.startsWith(QLatin1Char('"'))) {
            if (!unquoted(raw, value)) {
                settings.error =
                    QCoreApplication::translate("Processing",
                                                "the value of %1 on line %2 does not end with its closing double quote")
                        .arg(key)
                        .arg(number + 1);
                return settings;
            }
        } else {
            QStringList parts = raw.split(QLatin1Char(','));
            for (QString &part : parts)
                part = part.trimmed();
            value = parts.join(QLatin1Char(','));
        }
        settings.values.insert(section.isEmpty() ? key : section + QLatin1Char('/') + key, value);
    }
    return settings;
}

} // namespace Processing
