#pragma once

#include <QString>

namespace Processing {
class DbError;
struct NewRowOutcome;
} // namespace Processing

// An "Invalid data" message box: OK only, no icon.
void ShowInvalidData(const QString &text);
// The text for a box in which no entry is chosen, naming the box: "Choose a City from the
// list; the place was not added."
QString MissingChoiceMessage(const QString &boxLabel, const QString &notDone);
// Tells in a "DataBase Error" box what was not stored, and why; or, when the connection was
// lost at the commit and the outcome could not be told, that it may or may not have been.
void ShowNotStored(const QString &notDone, const Processing::DbError &cause);
void ShowNotStored(const QString &notDone, const QString &why);
// The same for a new row that was not stored: the database's failure, or else refused, why.
void ShowNotStored(const QString &notDone, const Processing::NewRowOutcome &outcome, const QString &refused);
// Why a new row whose identifier would be id is refused.
enum class NewRowKind { Place, Category, District };
QString IdentifierTooLargeMessage(NewRowKind kind, qint64 id);
