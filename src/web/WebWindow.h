#pragma once

#include <QString>

#include <functional>

// Opens the web window, or brings the open one to the front; showMain is what its "&Back"
// calls. The window comes from its plug-in, loaded at this first call; where there is no
// plug-in the page opens in the user's web browser instead.
void OpenWebWindow(std::function<void()> showMain);

// The page the web window shows.
QString WebPageAddress();
// Points the web window at another page (a local server in tests); an empty text restores the
// directory web service.
void SetWebPageAddress(const QString &address);

// Loads the plug-in from another file, without the platform's suffix (the build's own, in
// tests); an empty text restores the usual places. The next opening loads it afresh.
void SetWebWindowPluginPath(const QString &path);
