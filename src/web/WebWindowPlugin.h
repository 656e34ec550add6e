#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>

// What the program asks of the web window's plug-in, the one part of Tarnwick that holds the
// browser engine. The program never links the engine: it loads the plug-in when the web window
// first opens, and runs without it where there is none (builds without the engine, Windows).
class WebWindowPlugin
{
public:
    virtual ~WebWindowPlugin() = default;
    // Opens the web window on address, or brings the open one to the front without navigating
    // again; showMain is what its "&Back" calls.
    virtual void Open(const QString &address, std::function<void()> showMain) = 0;
};

// A plug-in built against another version of this interface is refused, not called.
#define WebWindowPlugin_iid "org.tarnwick.Tarnwick.WebWindowPlugin/1"
Q_DECLARE_INTERFACE(WebWindowPlugin, WebWindowPlugin_iid)

// The plug-in's file name without the platform's suffix (.so, .dll).
inline constexpr const char *WebWindowPluginName = "tarnwick-web";
