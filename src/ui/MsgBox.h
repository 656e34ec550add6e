#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Every message the program shows goes through MsgBox, so tests can see the message and
// answer it without a real modal box.
struct MsgBoxRequest
{
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString details; // behind the box's "Show Details...": the why, for whoever looks after the site
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton; // the one Enter presses
};

using MsgBoxHandler = std::function<QMessageBox::StandardButton(const MsgBoxRequest &)>;

QMessageBox::StandardButton MsgBox(const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                   const QString &title, const QString &details = QString(),
                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Replaces the real message box; an empty handler restores it.
void SetMsgBoxHandler(MsgBoxHandler handler);
