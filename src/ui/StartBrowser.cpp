#include "ui/StartBrowser.h"

#include "ui/MsgBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#if defined(Q_OS_WIN)
#include <qt_windows.h>
#endif

namespace {

const QString WindowsBrowser = QStringLiteral("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");

std::function<bool(const QString &)> &handler()
{
    static std::function<bool(const QString &)> current;
    return current;
}

bool startWithoutAddress()
{
#if defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"), {QStringLiteral("-a"), QStringLiteral("Safari")});
#else
    // Debian's alternatives name the user's browser; without them fall back on a blank page,
    // which the desktop opens in its default browser.
    for (const QString &name : {QStringLiteral("x-www-browser"), QStringLiteral("sensible-browser")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return true;
    }
    return QDesktopServices::openUrl(QUrl(QStringLiteral("about:blank")));
#endif
}

#if defined(Q_OS_WIN)
// The fixed browser path, one blank, then the address exactly as shown, in a maximized window.
bool startWindowsBrowser(const QString &address)
{
    QProcess process;
    process.setProgram(WindowsBrowser);
    // Passed on as it stands: QProcess would otherwise quote an address holding blanks.
    process.setNativeArguments(address);
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
    return process.startDetached();
}
#endif

bool startReal(const QString &address)
{
#if defined(Q_OS_WIN)
    if (QFileInfo::exists(WindowsBrowser))
        return startWindowsBrowser(address);
#endif
    if (address.trimmed().isEmpty())
        return startWithoutAddress();
    return QDesktopServices::openUrl(QUrl::fromUserInput(address.trimmed()));
}

} // namespace

bool StartBrowser(const QString &address)
{
    const bool started = handler() ? handler()(address) : startReal(address);
    if (!started)
        MsgBox(QCoreApplication::translate("StartBrowser", "The web browser could not be started."), QMessageBox::Ok,
               QMessageBox::Warning, QCoreApplication::translate("StartBrowser", "Web Browser"));
    return started;
}

void SetStartBrowserHandler(std::function<bool(const QString &)> replacement)
{
    handler() = std::move(replacement);
}
