#pragma once

#include "data/setup/Environment.h"

#include <QString>

namespace Processing {

// What kept the program from its database: a database it could not reach, or a problem on this
// computer that whoever looks after it can mend, which the user is told apart.
enum class ConnectFailure {
    None,
    Unreachable,  // the server, its driver, or a setting that names no usable database
    SettingsFile, // a settings file that is there cannot be read
    DatabaseFile, // the embedded database's file cannot be made or used
    Folder,       // the folder for the embedded database cannot be made
};

// What ConnectDB found and did; the main window shows it.
struct ConnectOutcome
{
    Environment environment;
    bool connected = false;
    ConnectFailure failure = ConnectFailure::None;
    QString error; // why the connection failed, naming the file where one is at fault
    // An embedded database that opened but cannot store changes: its file, and why.
    QString readOnlyFile;
    QString readOnlyReason;
};

// Chooses the environment by the marker file beside the program, creates the embedded
// database on first use, and opens DbConn. A connection that is already open is kept: the
// program opens its one connection once.
ConnectOutcome ConnectDB(const DatabaseOverrides &overrides);
ConnectOutcome ConnectDB(const QString &programFolder, const DatabaseOverrides &overrides = {});

} // namespace Processing
