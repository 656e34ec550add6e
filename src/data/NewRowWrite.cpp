#include "data/NewRowWrite.h"

#include "data/Transaction.h"

namespace Processing {

bool IsKeyTaken(const DbError &error, Dialect dialect)
{
    if (error.sqlState() == QLatin1StringView("23505"))
        return true;
    const QString &code = error.nativeCode();
    switch (dialect) {
    case Dialect::Oracle:
        return code == QLatin1StringView("1") || code == QLatin1StringView("ORA-00001");
    case Dialect::SQLite:
        // SQLITE_CONSTRAINT_PRIMARYKEY, SQLITE_CONSTRAINT_UNIQUE, and the general SQLITE_CONSTRAINT:
        // an identifier chosen twice in a row tells that it was no taken key (WriteNewRow).
        return code == QLatin1StringView("1555") || code == QLatin1StringView("2067") ||
               code == QLatin1StringView("19");
    case Dialect::PostgreSQL:
        break;
    }
    return false;
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
                outcome.refusal = chosen.refusal;
                return outcome;
            }
            outcome.sent = true;
            for (const QString &statement : chosen.statements)
                write.execute(statement);
            outcome.failure = write.finish();
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
                QStringLiteral("Others stored rows under each new identifier chosen."),
                QStringLiteral("Others stored a row under each of the %1 new identifiers chosen, one after another; "
                               "nothing was stored. Try again in a moment.")
                    .arg(NewIdentifierTries));
            return outcome;
        }
        taken = outcome.id;
    }
}

} // namespace Processing
