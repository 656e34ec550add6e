#pragma once

#include <QString>
#include <QStringList>

// What tarnwick-transfer's command line asks for: one of its commands with its values, or only
// a text to print (--help, --version, a mistake) and an exit code.
struct TransferRequest
{
    enum class Command { None, Copy, Import, Export };

    Command command = Command::None;
    int exitCode = 0;
    QString text; // for standard output, or standard error when exitCode is not 0

    // Databases are named as tarnwick --database names them, or "production" / "development".
    QString from; // copy
    QString to;   // copy
    bool replace = false;

    QString database; // import, export
    bool createMissing = false;
    QString encoding; // import; empty for UTF-8
    QString category; // export; empty for every place
    QString file;     // import, export; "-" for standard output in export
};

// Exit codes: everything done, a failure or refusal told on standard error, a mistake on the
// command line told with the usage.
inline constexpr int TransferSucceeded = 0;
inline constexpr int TransferFailed = 1;
inline constexpr int TransferMisused = 2;

// Read before anything is opened: an unknown command or option, a missing value, a database
// named with a password (every user of the computer can read a command line) or in a form that
// cannot be used are answered with exit code 2 and nothing done.
TransferRequest ReadTransferCommandLine(const QStringList &arguments);
