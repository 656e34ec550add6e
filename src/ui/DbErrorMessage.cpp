#include "ui/DbErrorMessage.h"

#include "data/DbError.h"
#include "ui/MsgBox.h"

void ShowDbError(const Processing::DbError &error)
{
    // A lost connection is what the user needs to know, not the statement it cut off: that goes
    // behind the box's details.
    if (error.connectionLost() && !error.outcomeUnknown() && !error.driverText().trimmed().isEmpty()) {
        MsgBox(error.driverText().trimmed(), QMessageBox::Ok, QMessageBox::Critical, QStringLiteral("DataBase Error"),
               error.what());
        return;
    }
    MsgBox(error.message(), QMessageBox::Ok, QMessageBox::Critical, QStringLiteral("DataBase Error"));
}
