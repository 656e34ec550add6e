#pragma once

#include <QSize>

class QWidget;

// Whether a window whose client area is `layout` fits, with a title bar of `titleBar` pixels,
// on a screen area of `available` (all in device-independent pixels).
bool FitsOnScreen(QSize layout, QSize available, int titleBar);

// Opens a window of a fixed layout at the layout's size, centred on its screen; where the
// screen is smaller than that, maximized instead, so the window never reaches past the screen's
// edges. The window itself keeps its controls where the layout puts them (the main window
// shows them in a scrolled area).
void PlaceOnScreen(QWidget *window, QSize layout);
