#include "editing/EditMessages.h"

#include "data/DbError.h"
#include "data/NewIdentifiers.h"
#include "data/NewRowWrite.h"
#include "ui/DbErrorMessage.h"
#include "ui/MsgBox.h"

void ShowInvalidData(const QString &text)
{
    MsgBox(text, QMessageBox::Ok, QMessageBox::NoIcon, QStringLiteral("Invalid data"));
}

QString MissingChoiceMessage(const QString &boxLabel, const QString &notDone)
{
    return QStringLiteral("Choose a %1 from the list; %2").arg(boxLabel, notDone);
}

void ShowNotStored(const QString &notDone, const Processing::DbError &cause)
{
    // Then "not stored" might be untrue: the failure says what is known.
    if (cause.outcomeUnknown()) {
        ShowDbError(cause);
        return;
    }
    // The database's own words say why; without them, what failed.
    Processing::DbError told(notDone, cause.driverText().trimmed().isEmpty() ? cause.what() : cause.driverText());
    if (cause.serverSilence() != 0)
        told.markServerSilent(cause.serverSilence());
    ShowDbError(told);
}

void ShowNotStored(const QString &notDone, const QString &why)
{
    ShowDbError(Processing::DbError(notDone, why));
}

void ShowNotStored(const QString &notDone, const Processing::NewRowOutcome &outcome, const QString &refused)
{
    if (outcome.failure)
        ShowNotStored(notDone, *outcome.failure);
    else
        ShowNotStored(notDone, refused);
}

QString IdentifierTooLargeMessage(const QString &kind, qint64 id)
{
    return QStringLiteral("The new %1 would get the identifier %2, above the largest the directory can keep (%3).")
        .arg(kind)
        .arg(id)
        .arg(Processing::LargestIdentifier);
}
