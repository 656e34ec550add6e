// The program's opener of the web window: the browser engine's libraries are loaded with the
// module that holds the window, at its first opening, not at every start.
#include "ui/MsgBox.h"
#include "web/WebWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace {

// Beside the program in the build, in its library folder once installed.
QString modulePath()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString built = folder + QStringLiteral("/tarnwick-web.so");
    if (QFileInfo::exists(built))
        return built;
    return folder + QStringLiteral("/../" TARNWICK_WEB_MODULE_DIR "/tarnwick-web.so");
}

} // namespace

void OpenWebWindow(std::function<void()> showMain)
{
    static OpenWebWindowEntry entry = nullptr;
    if (!entry) {
        QLibrary module(modulePath());
        entry = reinterpret_cast<OpenWebWindowEntry>(module.resolve(OpenWebWindowSymbol));
        if (!entry) {
            MsgBox(QStringLiteral("The web window could not be loaded: ") + module.errorString(), QMessageBox::Ok,
                   QMessageBox::Critical, QStringLiteral("Error "));
            return;
        }
    }
    entry(&showMain);
}
