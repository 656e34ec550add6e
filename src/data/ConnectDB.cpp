#include "data/ConnectDB.h"

#include "data/Connection.h"
#include "data/DatabaseDescriptor.h"
#include "data/DbError.h"
#include "data/EmbeddedDatabase.h"

#include <QCoreApplication>

namespace Processing {

ConnectOutcome ConnectDB()
{
    return ConnectDB(QCoreApplication::applicationDirPath());
}

ConnectOutcome ConnectDB(const QString &programFolder)
{
    ConnectOutcome outcome;
    outcome.environment = ChooseEnvironment(programFolder);
    if (DbConn().isOpen()) {
        outcome.connected = true;
        return outcome;
    }
    try {
        const DatabaseDescriptor descriptor = DatabaseDescriptor::parse(outcome.environment.descriptor);
        if (descriptor.kind == DatabaseDescriptor::Kind::SQLite)
            EnsureEmbeddedDatabase(descriptor.path, EmbeddedDatabaseScripts(outcome.environment.development));
        DbConn().open(descriptor);
        outcome.connected = true;
    } catch (const DbError &error) {
        outcome.error = error.message();
    }
    return outcome;
}

} // namespace Processing
