#include "app/CommandLine.h"
#include "app/DisplayConnection.h"
#include "app/FontReadAhead.h"
#include "data/Connection.h"
#include "data/Redaction.h"
#include "main/frmMain.h"
#include "ui/Pictures.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

int Told(const StartRequest &request)
{
    std::fputs(Processing::Redacted(request.text).toLocal8Bit().constData(), request.exitCode == 0 ? stdout : stderr);
    return request.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    Processing::RedactLogMessages();
    // Everything the command line asks is answered before the window system is reached.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw.append(QString::fromLocal8Bit(argv[i]));
    const StartRequest request = ReadCommandLine(raw);
    if (!request.start)
        return Told(request);

    const std::jthread fonts = ReadFontConfigurationAhead();
    std::optional<DisplayConnection> connecting(std::in_place, QFileInfo(raw.value(0)).fileName());
    // No browser engine here: the web window is a program of its own (tarnwick-web), so the
    // start needs no shared OpenGL context.
    QApplication app(argc, argv);
    connecting.reset();
    // Ties the windows to the installed launcher entry (its name and icon on Wayland docks).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Tarnwick"));
    QApplication::setWindowIcon(ApplicationPicture());
    RunSettings settings;
    // Empty where none is given: the settings files and the compiled values decide.
    settings.databases = {request.database, request.database};
    (new frmMain(settings))->show();
    const int code = QApplication::exec();
    Processing::DbConn().close();
    return code;
}
