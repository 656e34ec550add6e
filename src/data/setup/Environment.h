#pragma once

#include <QString>

namespace Processing {

// One of the two databases the program can work on, chosen by the marker file.
struct Environment
{
    QString descriptor; // see DatabaseDescriptor
    QString origin;     // where the descriptor was set, when a settings file set it
    QString refusal;    // why the settings could not be read; the descriptor is then empty
    QString marker;     // shown in the status bar: "*Dev*" for development, empty for production
    bool development = false;
};

// Descriptors one run puts before the settings files and the values compiled in (the command
// line's database, tests); an empty text leaves that environment to them.
struct DatabaseOverrides
{
    QString production;
    QString development;
};

Environment ProductionEnvironment(const DatabaseOverrides &overrides = {});
Environment DevelopmentEnvironment(const DatabaseOverrides &overrides = {});

// Development is chosen when CM.ini in the given folder can be opened for reading; its
// content is never read.
bool MarkerFileOpens(const QString &folder);

// Which environment applies for a program in the given folder.
Environment ChooseEnvironment(const QString &programFolder, const DatabaseOverrides &overrides = {});

} // namespace Processing
