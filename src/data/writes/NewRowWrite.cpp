#include "data/writes/NewRowWrite.h"

#include "data/connection/Transaction.h"
#include "data/statements/DialectWrites.h"

#include <QCoreApplication>

namespace Processing {

bool IsKeyTaken(const DbError &error, Dialect dialect)
{
    return error.sqlState() == QLatin1StringView("23505") ||
           DialectWritesOf(dialect).keyTakenCodes.contains(error.nativeCode());
}

NewRowOutcome WriteNewRow(const std::function<NewRowPlan()> &plan, Connection &db)
{
    NewRowOutcome outcome;
    std::optional<qint64> taken;
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction write(db);
            const NewRowPlan chosen = plan();
            outcome.id = chosen.id;
            if (chosen.statements.isEmpty()) {
                // A plan that writes nothing says why, or it would count as stored.
                Q_ASSERT(chosen.refusal != NewRowRefusal::None);
                outcome.refusal = chosen.refusal;
                return outcome;
            }
            outcome.sent = true;
            for (const QString &statement : chosen.statements)
                write.execute(statement);
            outcome.failure = write.finish(chosen.written);
        } catch (const DbError &error) {
            outcome.failure = error;
            return outcome;
        }
        if (!outcome.failure)
            return outcome;
        // The same identifier chosen again after its key was refused: someone else's row does
        // not explain the refusal, so trying again would not help.
        if (!IsKeyTaken(*outcome.failure, db.dialect()) || (taken && *taken == outcome.id))
            return outcome;
        if (attempt == NewIdentifierTries) {
            outcome.failure = DbError(
                QCoreApplication::translate("Processing", "Others stored rows under each new identifier chosen."),
                QCoreApplication::translate(
                    "Processing", "Others stored a row under each of the %1 new identifiers chosen, one after another; "
                                  "nothing was stored. Try again in a moment.")
                    .arg(NewIdentifierTries));
            return outcome;
        }
        taken = outcome.id;
    }
}

} // namespace Processing
