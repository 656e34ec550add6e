#pragma once

#include "data/Environment.h"

#include <QString>

namespace Processing {

// What ConnectDB found and did; the main window shows it.
struct ConnectOutcome
{
    Environment environment;
    bool connected = false;
    QString error; // why the connection failed, for the curious; the user sees a fixed message
};

// Chooses the environment by the marker file beside the program, creates the embedded
// database on first use, and opens DbConn. A connection that is already open is kept: the
// program opens its one connection once.
ConnectOutcome ConnectDB(const DatabaseOverrides &overrides);
ConnectOutcome ConnectDB(const QString &programFolder, const DatabaseOverrides &overrides = {});

} // namespace Processing
