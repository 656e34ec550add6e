#pragma once

#include <QString>
#include <QStringList>

namespace Processing {

// What the command line asks for: a start, maybe against another database (--database), or
// only a text to print (--help, --version, a mistake) and an exit code.
struct StartRequest
{
    bool start = true;
    int exitCode = 0;
    QString text;     // for standard output, or standard error when exitCode is not 0
    QString database; // a descriptor for this run only
};

// Strict reading refuses options it does not know. Before the application object exists the
// arguments still hold the toolkit's own (-platform, -style): --help, --version and a
// --database that cannot be used are answered then, without a display; the rest is left to
// the strict reading.
StartRequest ReadCommandLine(const QStringList &arguments, bool strict);

} // namespace Processing
