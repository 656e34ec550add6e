#include "data/Connection.h"
#include "main/frmMain.h"
#include "ui/Pictures.h"
#include "web/WebEngineStartup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The browser engine of the web window reads its start-up settings from the environment.
    PrepareWebEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    // Ties the windows to the installed launcher entry (its name and icon on Wayland docks).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Tarnwick"));
    QApplication::setWindowIcon(ApplicationPicture());
    (new frmMain)->show();
    const int code = QApplication::exec();
    Processing::DbConn().close();
    return code;
}
