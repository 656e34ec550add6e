#include "data/setup/SiteSettings.h"

#include "data/safety/FileAccess.h"
#include "data/setup/SettingsText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace Processing {

namespace {

// Far more than any settings file needs; a larger one is no settings file.
constexpr qint64 MaximumSettingsFileSize = 1 << 20;

// QSettings reads the files it names as soon as it is made, and would wait there on a FIFO: the
// folder and the file's ending are learnt from settings of a name no file has, and the program's
// file named from them.
QString settingsFile(QSettings::Scope scope)
{
    const QFileInfo probe(
        QSettings(SettingsFormat, scope, QStringLiteral("Tarnwick-no-such-organization"), QStringLiteral("none"))
            .fileName());
    const QString organizations = QFileInfo(probe.absolutePath()).absolutePath();
    return organizations + QStringLiteral("/Tarnwick/Tarnwick.") + probe.suffix();
}

} // namespace

QStringList SettingsFiles()
{
    return {settingsFile(QSettings::UserScope), settingsFile(QSettings::SystemScope)};
}

SiteSetting ConfiguredSetting(const QString &key)
{
    SiteSetting setting;
    for (const QString &path : SettingsFiles()) {
        // Read here, not by QSettings: it waits for ever on a FIFO, takes random bytes or a file
        // it cannot read for an empty one, and cuts an unquoted value at a ";", so that the
        // administrator's choice would be passed over or half read without a word.
        const FileContents file = ReadRegularFile(path, MaximumSettingsFileSize);
        if (!file.exists)
            continue;
        if (!file.refusal.isEmpty()) {
            setting.refusal =
                QCoreApplication::translate("Processing", "The settings file was not read. ") + file.refusal;
            return setting;
        }
        const SettingsText settings = ReadSettingsText(file.bytes);
        if (!settings.error.isEmpty()) {
            setting.refusal =
                QCoreApplication::translate("Processing", "The settings file %1 cannot be read as a settings file: %2.")
                    .arg(path, settings.error);
            return setting;
        }
        if (!settings.values.contains(key))
            continue;
        setting.value = settings.values.value(key);
        setting.origin = QCoreApplication::translate("Processing", "the key %1 in %2").arg(key, path);
        return setting;
    }
    return setting;
}

DatabaseSetting ConfiguredDatabase(bool development)
{
    const SiteSetting setting = ConfiguredSetting(development ? QStringLiteral("Databases/development")
                                                              : QStringLiteral("Databases/production"));
    return {setting.value, setting.origin, setting.refusal};
}

AnswerLimitSetting ConfiguredAnswerLimit()
{
    // A day: longer is no limit a user could mean.
    constexpr double LongestAnswerLimitSeconds = 86400;
    const SiteSetting setting = ConfiguredSetting(QStringLiteral("Databases/timeout"));
    AnswerLimitSetting answer;
    answer.refusal = setting.refusal;
    if (setting.origin.isEmpty())
        return answer;
    bool number = false;
    const double seconds = setting.value.trimmed().toDouble(&number);
    if (!number || !(seconds >= 1 && seconds <= LongestAnswerLimitSeconds)) {
        answer.refusal =
            QCoreApplication::translate("Processing", "%1 gives \"%2\", which is no number of seconds from 1 to %3.")
                .arg(setting.origin, setting.value)
                .arg(LongestAnswerLimitSeconds);
        answer.refusal[0] = answer.refusal[0].toUpper();
        return answer;
    }
    answer.limit = std::chrono::milliseconds(qint64(seconds * 1000));
    return answer;
}

} // namespace Processing
