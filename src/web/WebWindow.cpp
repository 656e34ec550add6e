#include "web/WebWindow.h"

#include "ui/MsgBox.h"
#include "ui/StartBrowser.h"
#include "web/WebWindowPlugin.h"

#include <QCoreApplication>
#include <QPluginLoader>

#include "BuildConfig.h"

namespace {

QString &addressOverride()
{
    static QString address;
    return address;
}

QString &pluginOverride()
{
    static QString path;
    return path;
}

WebWindowPlugin *&loadedPlugin()
{
    static WebWindowPlugin *plugin = nullptr;
    return plugin;
}

// Beside the program (the build, and Windows' installed folder), then in its library folder
// (installed on Linux).
QStringList pluginPlaces()
{
    if (!pluginOverride().isEmpty())
        return {pluginOverride()};
    const QString folder = QCoreApplication::applicationDirPath();
    const QString name = QString::fromLatin1(WebWindowPluginName);
    return {folder + QLatin1Char('/') + name, folder + QStringLiteral("/../" TARNWICK_WEB_MODULE_DIR "/") + name};
}

// The plug-in, or nullptr where there is none; one that is there but does not load is reported.
WebWindowPlugin *plugin(bool &broken)
{
    broken = false;
    if (loadedPlugin())
        return loadedPlugin();
    for (const QString &place : pluginPlaces()) {
        QPluginLoader loader(place);
        // The loader finds no file under any of the platform's suffixes.
        if (loader.fileName().isEmpty())
            continue;
        QObject *instance = loader.instance();
        auto *found = qobject_cast<WebWindowPlugin *>(instance);
        if (!found) {
            MsgBox(QStringLiteral("The web window could not be loaded: ") +
                       (instance ? QStringLiteral("%1 is not a web window plug-in").arg(loader.fileName())
                                 : loader.errorString()),
                   QMessageBox::Ok, QMessageBox::Critical, QStringLiteral("Error "));
            broken = true;
            return nullptr;
        }
        loadedPlugin() = found;
        return found;
    }
    return nullptr;
}

} // namespace

void OpenWebWindow(std::function<void()> showMain)
{
    bool broken = false;
    if (WebWindowPlugin *window = plugin(broken))
        window->Open(WebPageAddress(), std::move(showMain));
    else if (!broken)
        StartBrowser(WebPageAddress());
}

QString WebPageAddress()
{
    if (!addressOverride().isEmpty())
        return addressOverride();
    // The service's address ends in a blank; a browser trims it from what it sends, and an
    // encoded blank (%20) would name another page, so it is left off.
    return QStringLiteral("http://") + QString::fromUtf8(BuildConfig::DirectoryHost) +
           QStringLiteral("/brantmoor/velmarqDirectory/velmarqservice.asp");
}

void SetWebPageAddress(const QString &address)
{
    addressOverride() = address;
}

void SetWebWindowPluginPath(const QString &path)
{
    pluginOverride() = path;
    loadedPlugin() = nullptr;
}
