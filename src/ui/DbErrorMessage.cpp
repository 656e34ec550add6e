#include "ui/DbErrorMessage.h"

#include "data/DbError.h"
#include "ui/MsgBox.h"

#include <QCoreApplication>

void ShowDbError(const Processing::DbError &error)
{
    MsgBox(error.message(), QMessageBox::Ok, QMessageBox::Critical,
           QCoreApplication::translate("DbErrorMessage", "DataBase Error"));
}
