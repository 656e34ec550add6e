#pragma once

#include "data/setup/DatabaseDescriptor.h"

#include <QString>

namespace Processing {

// Reads a libpq connection address,
//   postgresql://[USER[:PASSWORD]@][HOST[:PORT][,HOST[:PORT]...]][/NAME][?OPTION=VALUE&...]
// into the descriptor. Returns why it cannot be used, or an empty text.
QString ReadPostgreSQLAddress(const QString &text, DatabaseDescriptor &descriptor);

// The options libpq is given as they are; a password is never one of them, so a descriptor's
// options may be shown.
bool IsPassedOnOption(const QString &key);

// The libpq connection string for the descriptor, without the password: that goes to the
// driver apart, so that nothing built here can show it.
QString PostgreSQLConnectOptions(const DatabaseDescriptor &descriptor);

// The address as it may be shown: the user but not the password, no option values.
QString PostgreSQLAddressShown(const QString &text);

} // namespace Processing
