#pragma once

#include <QString>

#include <functional>

// Starts the system web browser, on an address or (empty) on its start page, without
// waiting for it. Returns whether a browser could be started.
bool StartBrowser(const QString &address);

// Replaces the real start; an empty handler restores it.
void SetStartBrowserHandler(std::function<bool(const QString &)> handler);
