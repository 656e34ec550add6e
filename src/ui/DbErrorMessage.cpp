#include "ui/DbErrorMessage.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "ui/MsgBox.h"

#include <QCoreApplication>

void ShowDbError(const Processing::DbError &error)
{
    static int toldSilence = 0;
    if (error.serverSilence() != 0) {
        if (error.serverSilence() == toldSilence)
            return;
        toldSilence = error.serverSilence();
    }
    const QString title = QCoreApplication::translate("DbErrorMessage", "DataBase Error");
    // A lost connection is what the user needs to know, not the statement it cut off: that goes
    // behind the box's details.
    if (error.connectionLost() && !error.outcomeUnknown() && !error.driverText().trimmed().isEmpty()) {
        MsgBox(error.driverText().trimmed(), QMessageBox::Ok, QMessageBox::Critical, title, error.what());
        return;
    }
    MsgBox(error.message(), QMessageBox::Ok, QMessageBox::Critical, title);
}

void TellChangesStoredSlowly()
{
    static const QMetaObject::Connection told = QObject::connect(
        &Processing::DbConn().status(), &Processing::ConnectionStatus::storedSlowly, qApp,
        [](const QString &text) {
            MsgBox(text, QMessageBox::Ok, QMessageBox::Warning,
                   QCoreApplication::translate("DbErrorMessage", "Database Server Busy"));
        },
        Qt::QueuedConnection);
    Q_UNUSED(told);
}
