#include "ui/DbErrorMessage.h"

#include "data/Connection.h"
#include "data/DbError.h"
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
    MsgBox(error.message(), QMessageBox::Ok, QMessageBox::Critical, QStringLiteral("DataBase Error"));
}

void TellChangesStoredSlowly()
{
    static const QMetaObject::Connection told = QObject::connect(
        &Processing::DbConn().status(), &Processing::ConnectionStatus::storedSlowly, qApp,
        [](const QString &text) {
            MsgBox(text, QMessageBox::Ok, QMessageBox::Warning, QStringLiteral("Database Server Busy"));
        },
        Qt::QueuedConnection);
    Q_UNUSED(told);
}
