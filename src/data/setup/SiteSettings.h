#pragma once

#include "data/setup/DefaultAnswerLimit.h"

#include <QSettings>
#include <QString>

#include <chrono>

namespace Processing {

// Settings files in Qt's INI form on every platform. On Windows that is not QSettings' native
// format (the registry) but %APPDATA%\Tarnwick\Tarnwick.ini before
// %PROGRAMDATA%\Tarnwick\Tarnwick.ini, so that one careful reader serves both platforms.
#ifdef Q_OS_WIN
inline constexpr QSettings::Format SettingsFormat = QSettings::IniFormat;
#else
inline constexpr QSettings::Format SettingsFormat = QSettings::NativeFormat;
#endif

// A value set in a settings file: the user's own (~/.config/Tarnwick/Tarnwick.conf) before the
// system-wide one (/etc/xdg/Tarnwick/Tarnwick.conf). The key is "Section/key".
struct SiteSetting
{
    QString value;   // empty when no file sets it
    QString origin;  // where it was set, for messages: the key and the file
    QString refusal; // why a settings file that is there could not be read
};

SiteSetting ConfiguredSetting(const QString &key);

// The database an administrator named for an environment:
//   [Databases]
//   production=postgresql://...
//   development=sqlite:...
struct DatabaseSetting
{
    QString descriptor; // empty when no file names one
    QString origin;
    QString refusal;
};

DatabaseSetting ConfiguredDatabase(bool development);

// How long a statement or commit may wait for the server's next byte before it is given up, in
// seconds, from the same files:
//   [Databases]
//   timeout=15
struct AnswerLimitSetting
{
    std::chrono::milliseconds limit = DefaultAnswerLimit;
    QString refusal; // why a file's value, or the file, could not be used
};

AnswerLimitSetting ConfiguredAnswerLimit();

// The settings files in the order they are read, the one that wins first.
QStringList SettingsFiles();

} // namespace Processing
