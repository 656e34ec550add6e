#include "ui/DbErrorMessage.h"

#include "data/DbError.h"
#include "ui/MsgBox.h"

#include <QCoreApplication>

void ShowDbError(const Processing::DbError &error)
{
    const QString title = QCoreApplication::translate("DbErrorMessage", "DataBase Error");
    // A lost connection is what the user needs to know, not the statement it cut off: that goes
    // behind the box's details.
    if (error.connectionLost() && !error.outcomeUnknown() && !error.driverText().trimmed().isEmpty()) {
        MsgBox(error.driverText().trimmed(), QMessageBox::Ok, QMessageBox::Critical, title, error.what());
        return;
    }
    MsgBox(error.message(), QMessageBox::Ok, QMessageBox::Critical, title);
}
