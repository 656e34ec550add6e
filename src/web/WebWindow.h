#pragma once

#include "web/WebWindowSettings.h"

#include <functional>

// Opens the web window, or brings the open one to the front; showMain is what its "&Back"
// calls. The window is a program of its own, which holds the browser engine and is started at
// the first call, so the program's start never pays for the engine; where there is no such
// program the page opens in the user's web browser instead. The settings are read when the
// window starts: a run has one set of them.
void OpenWebWindow(const WebWindowSettings &settings, std::function<void()> showMain);
