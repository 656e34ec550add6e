// The web window's own program, which the main program starts at the first "Dinning": the
// browser engine and the shared OpenGL context it needs are set up here, not in the main
// program's start. Its one argument is the page; its standard input and output are the pipes
// to the main program.
#include "data/setup/InterfaceLanguage.h"
#include "ui/LayoutDirection.h"
#include "ui/Pictures.h"
#include "web/MainProgramLink.h"
#include "web/WebEngineStartup.h"
#include "web/frmDinning.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("tarnwick-web is started by tarnwick's \"Dinning\", with the page to show\n", stderr);
        return 2;
    }
    // The output is the way to the main program alone: whatever the browser engine or a
    // library would print there goes to the error output instead.
    const int toProgram = ::dup(STDOUT_FILENO);
    const int fromProgram = ::dup(STDIN_FILENO);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);

    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    PrepareWebEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // The main program's language, chosen as it chose it.
    UseInterfaceLanguage(Processing::ConfiguredLanguage());
    // The same launcher entry and icon as the main window's.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Tarnwick"));
    QApplication::setWindowIcon(ApplicationPicture());

    const QString address = QString::fromLocal8Bit(argv[1]);
    MainProgramLink *link = nullptr;
    auto show = [&address, &link] { frmDinning::ShowWindow(address, [&link] { link->Back(); }); };
    // Without the main program there is nothing to go back to: the window closes with it.
    MainProgramLink programLink(fromProgram, toProgram, show, [] { QApplication::closeAllWindows(); });
    link = &programLink;
    show();
    const int code = QApplication::exec();
    // The closed window is deleted before the browser engine goes down with the application.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}
