#include "data/ConnectDB.h"

#include "data/Connection.h"
#include "data/DatabaseDescriptor.h"
#include "data/DbError.h"
#include "data/EmbeddedDatabase.h"
#include "data/SiteSettings.h"

#include <QCoreApplication>

namespace Processing {

ConnectOutcome ConnectDB(const DatabaseOverrides &overrides)
{
    return ConnectDB(QCoreApplication::applicationDirPath(), overrides);
}

ConnectOutcome ConnectDB(const QString &programFolder, const DatabaseOverrides &overrides)
{
    ConnectOutcome outcome;
    outcome.environment = ChooseEnvironment(programFolder, overrides);
    if (DbConn().isOpen()) {
        outcome.connected = true;
        return outcome;
    }
    if (!outcome.environment.refusal.isEmpty()) {
        outcome.error = outcome.environment.refusal;
        return outcome;
    }
    const AnswerLimitSetting answerLimit = ConfiguredAnswerLimit();
    if (!answerLimit.refusal.isEmpty()) {
        outcome.error = answerLimit.refusal;
        return outcome;
    }
    DbConn().setAnswerLimit(answerLimit.limit);
    DatabaseDescriptor descriptor;
    try {
        descriptor = DatabaseDescriptor::parse(outcome.environment.descriptor);
    } catch (const DbError &error) {
        // The administrator is told where the faulty setting lies.
        outcome.error = outcome.environment.origin.isEmpty()
                            ? error.message()
                            : QStringLiteral("%1 It is set by %2.").arg(error.message(), outcome.environment.origin);
        return outcome;
    }
    try {
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
