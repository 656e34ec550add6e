#include "StartupBenchmarks.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include "EndToEndBenchmarks.h"
#include "Harness.h"
#include "WebWindowBenchmarks.h"
#include <stdexcept>

namespace {

// Printed by Qt's widget painting log when a window's backing store goes to the screen: the
// window's first flush shows every child painted.
const QByteArray FlushLine = QByteArrayLiteral("Flushing");

class PaintedStart
{
public:
    PaintedStart(QString program, QString dataHome, bool bridge) : m_program(std::move(program))
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
        // Qt logs to the journal instead when stderr is not a terminal.
        m_environment.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dataHome + QStringLiteral("/config"));
        if (bridge)
            m_environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        else
            m_environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
    }

    // Starts the process, waits for its first flush, ends it; ms until the flush.
    double run() const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        process.start(m_program, {});
        QByteArray output;
        double painted = -1;
        while (painted < 0) {
            if (!process.waitForReadyRead(60000)) {
                process.kill();
                process.waitForFinished();
                throw std::runtime_error(
                    ("no window of " + m_program + " painted; it said: " + QString::fromLocal8Bit(output.right(2000)))
                        .toStdString());
            }
            output += process.readAll();
            if (output.contains(FlushLine))
                painted = double(clock.nsecsElapsed()) / 1e6;
        }
        process.kill();
        process.waitForFinished();
        return painted;
    }

private:
    QString m_program;
    QProcessEnvironment m_environment;
};

} // namespace

void RunStartupBenchmarks(BenchContext &ctx, const GeneratedDirectory &directory)
{
    if (!ctx.sqlite)
        return;
    // Where the program's compiled-in database, a relative SQLite path, lies for this user.
    const QString dataHome = QDir(ctx.settings.workDir).filePath(QStringLiteral("start-home"));
    const QString programData = dataHome + QStringLiteral("/Tarnwick");
    QDir().mkpath(programData);
    QDir().mkpath(dataHome + QStringLiteral("/config"));
    const QString database = programData + QStringLiteral("/tarnwick.sqlite");
    QFile::remove(database);
    if (!QFile::copy(directory.sqlitePath, database))
        throw std::runtime_error("cannot copy the tree directory for the program");

    const bool bridge = AccessibilityBridgeFound();
    // Per variant: the program, the minimal window, the window of the program's controls.
    constexpr std::size_t Programs = 3;
    std::vector<PaintedStart> starts;
    for (int variant = 0; variant < (bridge ? 2 : 1); ++variant) {
        starts.emplace_back(QStringLiteral(TARNWICK_PROGRAM), dataHome, variant == 1);
        starts.emplace_back(QStringLiteral(TARNWICK_MINIMAL_WINDOW), dataHome, variant == 1);
        starts.emplace_back(QStringLiteral(TARNWICK_CONTROLS_WINDOW), dataHome, variant == 1);
    }
    std::vector<TimedStep> steps;
    for (const PaintedStart &start : starts)
        steps.push_back({{}, {}, {}, [&start] { return start.run(); }});
    const auto times = TimeInterleaved(steps, ctx.settings.warmups, ctx.settings.runs);

    for (std::size_t variant = 0; variant * Programs < starts.size(); ++variant) {
        const auto &program = times[variant * Programs].run;
        const double minimal = Median(times[variant * Programs + 1].run);
        Measurement m;
        m.backend = ctx.backend;
        m.id = QStringLiteral("start_%1_bridge_%2").arg(directory.shape.categoryCount()).arg(variant ? "on" : "off");
        m.operation = QStringLiteral("process start → main window painted the tree, %1 categories")
                          .arg(Thousands(directory.shape.categoryCount()));
        m.samples = program;
        m.median = Median(program);
        m.window = Median(times[variant * Programs + 2].run);
        // The minimal window shows no text: what Qt itself costs, for reference, without a target.
        m.note = QStringLiteral("accessibility bridge %1; window floor: the same controls without pictures or data; "
                                "%2× the minimal window's %3 ms")
                     .arg(variant ? QStringLiteral("on") : QStringLiteral("off"))
                     .arg(m.median / minimal, 0, 'f', 2)
                     .arg(minimal, 0, 'f', 1);
        if (variant == 0)
            m.targets.push_back({QStringLiteral("the same controls"), m.median / m.window, 1.25});
        ctx.report.add(m);
    }
    RunWebWindowBenchmarks(ctx, Median(times[1].run));
}
