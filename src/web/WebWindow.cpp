#include "web/WebWindow.h"

#include "ui/MsgBox.h"
#include "ui/StartBrowser.h"
#include "web/WebWindowProtocol.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>

#include "BuildConfig.h"
#include <algorithm>

namespace {

// The running web window's process, and the "&Back" it serves.
class WebWindowProcess : public QObject
{
public:
    WebWindowProcess() : QObject(qApp)
    {
        setObjectName(QStringLiteral("WebWindowProcess"));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        connect(&m_process, &QProcess::readyReadStandardOutput, this, [this] { readLines(); });
        connect(&m_process, &QProcess::finished, this, [this] { ended(); });
    }

    // The program is ending: the window goes with it, as it went with one process.
    ~WebWindowProcess() override
    {
        if (m_process.state() != QProcess::NotRunning)
            close();
    }

    // False, with the failure in errorText, where the program could not be started.
    bool start(const QString &program, const QString &address)
    {
        m_process.start(program, {address});
        // Started or refused within the fork and exec, so a failure is told at the click.
        if (!m_process.waitForStarted()) {
            m_error = m_process.errorString();
            return false;
        }
        // The main window may close while the web window stays open; its "&Back" then starts
        // a new one, so the program stays until both are gone, as with one process.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        return true;
    }

    QString errorText() const { return m_error; }
    void setShowMain(std::function<void()> showMain) { m_showMain = std::move(showMain); }
    void bringToFront() { m_process.write(WebWindowShow); }

    // Closes the window: its program ends once its input does.
    void close()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
    }

private:
    void readLines()
    {
        while (m_process.canReadLine()) {
            if (m_process.readLine() == WebWindowBack && m_showMain)
                m_showMain();
        }
    }

    void ended()
    {
        QGuiApplication::setQuitOnLastWindowClosed(true);
        deleteLater();
        // The web window was the last one open.
        const QWidgetList windows = QApplication::topLevelWidgets();
        if (std::none_of(windows.cbegin(), windows.cend(), [](const QWidget *window) { return window->isVisible(); }))
            QCoreApplication::quit();
    }

    QProcess m_process{this};
    std::function<void()> m_showMain;
    QString m_error;
};

QPointer<WebWindowProcess> &running()
{
    static QPointer<WebWindowProcess> process;
    return process;
}

// The one the run chose; else beside the program (the build, and Windows' installed folder),
// then in its own library folder (installed on Linux).
QString program(const QString &chosen)
{
    const QString name = QString::fromLatin1(WebWindowProgramName)
#if defined(Q_OS_WIN)
                         + QStringLiteral(".exe")
#endif
        ;
    QStringList places{chosen};
    if (chosen.isEmpty()) {
        const QString folder = QCoreApplication::applicationDirPath();
        places = {folder + QLatin1Char('/') + name,
                  folder + QStringLiteral("/../" TARNWICK_WEB_PROGRAM_DIR "/") + name};
    }
    for (const QString &place : places) {
        if (QFileInfo(place).isFile())
            return place;
    }
    return QString();
}

QString pageAddress(const QString &chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    // The service's address ends in a blank; a browser trims it from what it sends, and an
    // encoded blank (%20) would name another page, so it is left off.
    return QStringLiteral("http://") + QString::fromUtf8(BuildConfig::DirectoryHost) +
           QStringLiteral("/brantmoor/velmarqDirectory/velmarqservice.asp");
}

} // namespace

void OpenWebWindow(const WebWindowSettings &settings, std::function<void()> showMain)
{
    if (WebWindowProcess *open = running()) {
        open->setShowMain(std::move(showMain));
        open->bringToFront();
        return;
    }
    const QString file = program(settings.program);
    const QString address = pageAddress(settings.pageAddress);
    if (file.isEmpty()) {
        StartBrowser(address);
        return;
    }
    auto *process = new WebWindowProcess;
    process->setShowMain(std::move(showMain));
    if (!process->start(file, address)) {
        MsgBox(QCoreApplication::translate("WebWindow", "The web window could not be loaded: %1")
                   .arg(process->errorText()),
               QMessageBox::Ok, QMessageBox::Critical, QCoreApplication::translate("WebWindow", "Error "));
        delete process;
        return;
    }
    running() = process;
}
