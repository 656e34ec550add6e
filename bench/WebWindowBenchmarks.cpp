#include "WebWindowBenchmarks.h"

#include "web/WebWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include "Harness.h"
#include <cstdio>

void RunWebWindowBenchmarks(BenchContext &ctx, double minimalWindow)
{
#if defined(TARNWICK_WEB_WINDOW)
    std::vector<double> samples;
    for (int run = 0; run < ctx.settings.warmups + ctx.settings.runs; ++run) {
        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--web-window-probe")});
        bool ok = false;
        const double ms =
            probe.waitForFinished(120000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0
                ? probe.readAllStandardOutput().trimmed().toDouble(&ok)
                : 0;
        if (!ok) {
            ctx.report.problem(QStringLiteral("the web window did not ask for its page"));
            return;
        }
        if (run >= ctx.settings.warmups)
            samples.push_back(ms);
    }
    Measurement m;
    m.backend = ctx.backend;
    m.id = QStringLiteral("dinning_first");
    m.operation = QStringLiteral("\"Dinning\", first opening → the page asked for");
    m.samples = samples;
    m.median = Median(samples);
    m.window = minimalWindow;
    m.note = QStringLiteral("%1× the minimal window's start").arg(m.median / minimalWindow, 0, 'f', 2);
    ctx.report.add(m);
#else
    // A build without the web window opens the page in the user's browser: nothing to time.
    Q_UNUSED(ctx);
    Q_UNUSED(minimalWindow);
#endif
}

int RunWebWindowProbe()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 2;
    bool asked = false;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&asked, socket] {
                if (socket->readAll().startsWith("GET "))
                    asked = true;
            });
        }
    });
    WebWindowSettings settings;
    settings.pageAddress = QStringLiteral("http://127.0.0.1:%1/directory").arg(server.serverPort());
#if defined(TARNWICK_WEB_WINDOW)
    // The build's own web window, not one installed.
    settings.program = QStringLiteral(TARNWICK_WEB_WINDOW);
#endif
    QElapsedTimer clock;
    clock.start();
    OpenWebWindow(settings, [] {});
    while (!asked) {
        if (clock.elapsed() > 60000)
            return 2;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    std::printf("%.1f\n", double(clock.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
    return 0;
}
