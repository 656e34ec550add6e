#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

bool FitsOnScreen(QSize layout, QSize available, int titleBar)
{
    return layout.width() <= available.width() && layout.height() + titleBar <= available.height();
}

void PlaceOnScreen(QWidget *window, QSize layout)
{
    window->resize(layout);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The frame is not known before the window is shown; the style's title bar height stands
    // in for it.
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    if (FitsOnScreen(layout, available.size(), titleBar)) {
        window->move(available.center() - window->rect().center());
        return;
    }
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}
