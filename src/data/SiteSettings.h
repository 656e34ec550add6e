#pragma once

#include <QString>

namespace Processing {

// The database an administrator named for an environment in a settings file: the user's own
// (~/.config/Tarnwick/Tarnwick.conf) before the system-wide one (/etc/xdg/Tarnwick/Tarnwick.conf),
//   [Databases]
//   production=postgresql://...
//   development=sqlite:...
struct DatabaseSetting
{
    QString descriptor; // empty when no file names one
    QString origin;     // where it was set, for messages: the key and the file
    QString refusal;    // why a settings file that is there could not be read
};

DatabaseSetting ConfiguredDatabase(bool development);

// The settings files in the order they are read, the one that wins first.
QStringList SettingsFiles();

} // namespace Processing
