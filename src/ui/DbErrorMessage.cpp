#include "ui/DbErrorMessage.h"

#include "data/DbError.h"
#include "ui/MsgBox.h"

void ShowDbError(const Processing::DbError &error)
{
    MsgBox(error.message(), QMessageBox::Ok, QMessageBox::Critical, QStringLiteral("DataBase Error"));
}
