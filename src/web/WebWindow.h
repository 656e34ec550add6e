#pragma once

#include <QString>

#include <functional>

// Opens the web window, or brings the open one to the front; showMain is what its "&Back"
// calls. The window is a program of its own, which holds the browser engine and is started at
// the first call, so the program's start never pays for the engine; where there is no such
// program the page opens in the user's web browser instead.
void OpenWebWindow(std::function<void()> showMain);

// The page the web window shows.
QString WebPageAddress();
// Points the web window at another page (a local server in tests); an empty text restores the
// directory web service.
void SetWebPageAddress(const QString &address);

// Starts the web window from another program file (the build's own, in tests); an empty text
// restores the usual places. A web window open from the one before is closed.
void SetWebWindowProgram(const QString &path);
