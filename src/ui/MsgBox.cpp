#include "ui/MsgBox.h"

#include "data/safety/Redaction.h"

#include <QApplication>
#include <QScopeGuard>

namespace {

MsgBoxHandler &handler()
{
    static MsgBoxHandler current;
    return current;
}

} // namespace

QMessageBox::StandardButton MsgBox(const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                   const QString &title, const QString &details,
                                   QMessageBox::StandardButton defaultButton)
{
    // Texts and details may quote a setting or a driver's words: no password is shown.
    const MsgBoxRequest request{Processing::Redacted(text),    buttons,      icon, title,
                                Processing::Redacted(details), defaultButton};
    // A box that waits for an answer shows the ordinary pointer, also when it interrupts work
    // under the wait cursor; the wait cursor comes back when the box closes.
    const bool waiting = QGuiApplication::overrideCursor() != nullptr;
    if (waiting)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    const auto restore = qScopeGuard([waiting] {
        if (waiting)
            QGuiApplication::restoreOverrideCursor();
    });
    if (handler())
        return handler()(request);
    QMessageBox box(icon, title, request.text, buttons, QApplication::activeWindow());
    // Texts keep their blanks and are never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (!request.details.isEmpty())
        box.setDetailedText(request.details);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void SetMsgBoxHandler(MsgBoxHandler replacement)
{
    handler() = std::move(replacement);
}
