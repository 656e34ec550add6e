#include "data/SiteSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace Processing {

QStringList SettingsFiles()
{
    const QString organization = QStringLiteral("Tarnwick");
    const QString application = QStringLiteral("Tarnwick");
    return {QSettings(QSettings::NativeFormat, QSettings::UserScope, organization, application).fileName(),
            QSettings(QSettings::NativeFormat, QSettings::SystemScope, organization, application).fileName()};
}

DatabaseSetting ConfiguredDatabase(bool development)
{
    const QString key = development ? QStringLiteral("Databases/development") : QStringLiteral("Databases/production");
    DatabaseSetting setting;
    for (const QString &path : SettingsFiles()) {
        if (!QFileInfo::exists(path))
            continue;
        // QSettings takes a file it cannot read for an empty one: the administrator's choice
        // would then be passed over without a word.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            setting.refusal = QStringLiteral("The settings file %1 cannot be read: %2.").arg(path, file.errorString());
            return setting;
        }
        file.close();
        const QSettings settings(path, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError) {
            setting.refusal = QStringLiteral("The settings file %1 is not in the form of a settings file.").arg(path);
            return setting;
        }
        if (!settings.contains(key))
            continue;
        // An unquoted value with commas, as several hosts have, comes back as a list.
        const QVariant value = settings.value(key);
        setting.descriptor =
            value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
        setting.origin = QStringLiteral("the key %1 in %2").arg(key, path);
        return setting;
    }
    return setting;
}

} // namespace Processing
