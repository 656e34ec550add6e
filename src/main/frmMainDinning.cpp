#include "main/frmMain.h"
#include "web/WebWindow.h"

#include <QPointer>

#include <memory>

namespace {

void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void frmMain::ShowDinning()
{
    // "&Back" returns to this window; once it has been closed, to a new main window that
    // starts up afresh, and from then on to that one.
    auto target = std::make_shared<QPointer<frmMain>>(this);
    OpenWebWindow(m_settings.webWindow, [target, settings = m_settings] {
        if (target->isNull())
            *target = new frmMain(settings);
        bringToFront(target->data());
    });
}
