#include "editing/EditMessages.h"

#include "data/DbError.h"
#include "data/writes/NewIdentifiers.h"
#include "data/writes/NewRowWrite.h"
#include "ui/DbErrorMessage.h"
#include "ui/MsgBox.h"

#include <QCoreApplication>

void ShowInvalidData(const QString &text)
{
    MsgBox(text, QMessageBox::Ok, QMessageBox::NoIcon, QCoreApplication::translate("EditMessages", "Invalid data"));
}

QString MissingChoiceMessage(const QString &boxLabel, const QString &notDone)
{
    return QCoreApplication::translate("EditMessages", "Choose a %1 from the list; %2").arg(boxLabel, notDone);
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

QString IdentifierTooLargeMessage(NewRowKind kind, qint64 id)
{
    const char *text = nullptr;
    switch (kind) {
    case NewRowKind::Place:
        text = QT_TRANSLATE_NOOP("EditMessages", "The new place would get the identifier %1, above the largest the "
                                                 "directory can keep (%2).");
        break;
    case NewRowKind::Category:
        text = QT_TRANSLATE_NOOP("EditMessages", "The new category would get the identifier %1, above the largest the "
                                                 "directory can keep (%2).");
        break;
    case NewRowKind::District:
        text = QT_TRANSLATE_NOOP("EditMessages", "The new district would get the identifier %1, above the largest the "
                                                 "directory can keep (%2).");
        break;
    }
    return QCoreApplication::translate("EditMessages", text).arg(id).arg(Processing::LargestIdentifier);
}
