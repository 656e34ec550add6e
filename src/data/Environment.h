#pragma once

#include <QString>

namespace Processing {

// One of the two databases the program can work on, chosen by the marker file.
struct Environment
{
    QString descriptor; // see DatabaseDescriptor
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

// Lets tests point the two environments elsewhere; empty texts restore the compiled ones.
void SetEnvironmentDescriptors(const QString &production, const QString &development);

} // namespace Processing
