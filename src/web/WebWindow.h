#pragma once

#include <functional>

// Opens the web window, or brings the open one to the front; showMain is what its "&Back"
// calls. The program links an opener that loads the browser engine only at this first call
// (app/WebWindowLoader.cpp); everything else links the one here, which opens it directly.
void OpenWebWindow(std::function<void()> showMain);

// The web window module's entry, as the program's opener finds it.
extern "C" {
using OpenWebWindowEntry = void (*)(std::function<void()> *showMain);
}
constexpr const char OpenWebWindowSymbol[] = "tarnwick_open_web_window";
