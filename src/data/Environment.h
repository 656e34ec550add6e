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

Environment ProductionEnvironment();
Environment DevelopmentEnvironment();

// Development is chosen when CM.ini in the given folder can be opened for reading; its
// content is never read.
bool MarkerFileOpens(const QString &folder);

// Which environment applies for a program in the given folder.
Environment ChooseEnvironment(const QString &programFolder);

// The descriptors come from the first of: the ones set here, the settings files, the values
// compiled in.

// Points the two environments elsewhere for this run (the command line, tests); empty texts
// restore the settings files and the compiled values.
void SetEnvironmentDescriptors(const QString &production, const QString &development);

} // namespace Processing
