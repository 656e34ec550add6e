#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: a start, maybe against another database (--database), or
// only a text to print (--help, --version, a mistake) and an exit code.
struct StartRequest
{
    bool start = true;
    int exitCode = 0;
    QString text;     // for standard output, or standard error when exitCode is not 0
    QString database; // a descriptor for this run only
};

// Read before the application object exists, so that every answer comes without a display:
// the toolkit's own options (-platform, -style ...) are left to it, anything else the program
// does not know is refused with exit code 2, as is a --database that holds a password (the
// process list shows it to every user) or cannot be used.
StartRequest ReadCommandLine(const QStringList &arguments);

// The arguments without the toolkit's own options and their values.
QStringList WithoutToolkitOptions(const QStringList &arguments);
