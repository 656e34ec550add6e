#include "data/connection/ConnectDB.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/SiteSettings.h"

#include <QCoreApplication>
#include <QSqlDatabase>

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
    const auto failed = [&outcome](ConnectFailure failure, const QString &error) {
        outcome.failure = failure;
        outcome.error = error;
        return outcome;
    };
    if (!outcome.environment.refusal.isEmpty())
        return failed(ConnectFailure::SettingsFile, outcome.environment.refusal);
    const AnswerLimitSetting answerLimit = ConfiguredAnswerLimit();
    if (!answerLimit.refusal.isEmpty())
        return failed(ConnectFailure::SettingsFile, answerLimit.refusal);
    DbConn().setAnswerLimit(answerLimit.limit);
    DatabaseDescriptor descriptor;
    try {
        descriptor = DatabaseDescriptor::parse(outcome.environment.descriptor);
    } catch (const DbError &error) {
        // The administrator is told where the faulty setting lies.
        return failed(ConnectFailure::Unreachable,
                      outcome.environment.origin.isEmpty()
                          ? error.message()
                          : QCoreApplication::translate("Processing", "%1 It is set by %2.")
                                .arg(error.message(), outcome.environment.origin));
    }
    const bool embedded = descriptor.kind == DatabaseDescriptor::Kind::SQLite;
    if (embedded) {
        try {
            MakeDatabaseFolder(descriptor.path);
        } catch (const DbError &error) {
            return failed(ConnectFailure::Folder, error.message());
        }
    }
    try {
        if (embedded)
            EnsureEmbeddedDatabase(descriptor.path, EmbeddedDatabaseScripts(outcome.environment.development));
        DbConn().open(descriptor);
        outcome.connected = true;
    } catch (const DbError &error) {
        // Without its driver the program itself is at fault, not the file.
        return failed(embedded && QSqlDatabase::isDriverAvailable(descriptor.driver()) ? ConnectFailure::DatabaseFile
                                                                                       : ConnectFailure::Unreachable,
                      error.message());
    }
    if (embedded) {
        outcome.readOnlyReason = ReadOnlyDatabaseReason(descriptor.path);
        if (!outcome.readOnlyReason.isEmpty())
            outcome.readOnlyFile = descriptor.path;
    }
    return outcome;
}

} // namespace Processing
