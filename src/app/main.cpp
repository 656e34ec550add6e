#include "app/CommandLine.h"
#include "app/DisplayConnection.h"
#include "app/FontReadAhead.h"
#include "data/connection/Connection.h"
#include "data/safety/Redaction.h"
#include "data/setup/InterfaceLanguage.h"
#include "main/frmMain.h"
#include "ui/LayoutDirection.h"
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

// The command line answers in the interface's language. Catalogues are put in force only on an
// application object, and the window system is not to be reached yet: a plain one reads the
// line and goes. A start without arguments has nothing to answer and does without it.
StartRequest ReadCommandLineInLanguage(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return ReadCommandLine(arguments);
    // The usage names the program as typed, without its folder, as without an application.
    QByteArray name = QFileInfo(arguments.first()).fileName().toLocal8Bit();
    int count = 1;
    char *only[] = {name.data(), nullptr};
    const QCoreApplication reading(count, only);
    Processing::UseLanguage(Processing::ConfiguredLanguage());
    const StartRequest request = ReadCommandLine(arguments);
    Processing::UseLanguage(QStringLiteral("en"));
    return request;
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
    const StartRequest request = ReadCommandLineInLanguage(raw);
    if (!request.start)
        return Told(request);

    const std::jthread fonts = ReadFontConfigurationAhead();
    std::optional<DisplayConnection> connecting(std::in_place, QFileInfo(raw.value(0)).fileName());
    // No browser engine here: the web window is a program of its own (tarnwick-web), so the
    // start needs no shared OpenGL context.
    QApplication app(argc, argv);
    connecting.reset();
    // Before the first window: every text and the windows' direction follow it.
    UseInterfaceLanguage(Processing::ConfiguredLanguage());
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
