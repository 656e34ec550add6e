#include "ui/MsgBox.h"

#include <QApplication>

namespace {

MsgBoxHandler &handler()
{
    static MsgBoxHandler current;
    return current;
}

} // namespace

QMessageBox::StandardButton MsgBox(const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                   const QString &title)
{
    const MsgBoxRequest request{text, buttons, icon, title};
    if (handler())
        return handler()(request);
    QMessageBox box(icon, title, text, buttons, QApplication::activeWindow());
    // Texts keep their blanks and are never read as markup.
    box.setTextFormat(Qt::PlainText);
    return QMessageBox::StandardButton(box.exec());
}

void SetMsgBoxHandler(MsgBoxHandler replacement)
{
    handler() = std::move(replacement);
}
