#include "MemoryProbe.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "main/frmMain.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "BenchWindow.h"
#include "Harness.h"
#include "ProcessMemory.h"
#include <cstdio>

namespace {

const double MiB = 1024.0 * 1024.0;
const char DatabaseVariable[] = "TARNWICK_BENCH_DATABASE";

} // namespace

int RunMemoryProbe()
{
    try {
        Processing::DbConn().open(Processing::DatabaseDescriptor::parse(qEnvironmentVariable(DatabaseVariable)));
        BenchWindow window;
        window.main().SetSearchStr(QString());
        const ProcessMemory empty = ProcessMemory::Read();
        BenchWindow::LoadList(window.main(), -1);
        BenchWindow::Settle();
        const ProcessMemory first = ProcessMemory::Read();
        BenchWindow::LoadList(window.main(), -1);
        BenchWindow::Settle();
        const ProcessMemory reload = ProcessMemory::Read();
        const QJsonObject result{{QStringLiteral("emptyResident"), double(empty.resident)},
                                 {QStringLiteral("peakFirst"), double(first.peak)},
                                 {QStringLiteral("peakReload"), double(reload.peak)},
                                 {QStringLiteral("rows"), window.listedRows()},
                                 {QStringLiteral("textBytes"), double(window.listedTextBytes())}};
        std::fputs(QJsonDocument(result).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputs("\n", stdout);
        Processing::DbConn().close();
        return 0;
    } catch (const Processing::DbError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 2;
}

void MeasureMemory(BenchContext &ctx, const GeneratedDirectory &directory, double limit)
{
    std::vector<double> overEmpty;
    std::vector<double> overEmptyFirst;
    QJsonObject last;
    for (int run = 0; run < ctx.settings.memoryRuns; ++run) {
        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(DatabaseVariable), directory.descriptor);
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory-probe")});
        if (!probe.waitForFinished(300000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
            ctx.report.problem(QStringLiteral("%1: the memory probe failed").arg(ctx.backend));
            return;
        }
        last = QJsonDocument::fromJson(probe.readAllStandardOutput().trimmed()).object();
        const double empty = last.value(QStringLiteral("emptyResident")).toDouble();
        overEmpty.push_back(last.value(QStringLiteral("peakReload")).toDouble() - empty);
        overEmptyFirst.push_back(last.value(QStringLiteral("peakFirst")).toDouble() - empty);
    }

    const qint64 rows = qint64(last.value(QStringLiteral("rows")).toDouble());
    const qint64 textBytes = qint64(last.value(QStringLiteral("textBytes")).toDouble());
    if (rows != directory.shape.places || textBytes != directory.textBytes)
        ctx.report.problem(QStringLiteral("%1: the list shows %2 rows with %3 bytes of text; %4 places with %5 bytes "
                                          "were generated")
                               .arg(ctx.backend)
                               .arg(rows)
                               .arg(textBytes)
                               .arg(directory.shape.places)
                               .arg(directory.textBytes));

    Measurement m;
    m.backend = ctx.backend;
    m.id = QStringLiteral("memory_%1").arg(rows);
    m.operation = QStringLiteral("peak resident over the empty list, %1 places listed (text %2 MiB)")
                      .arg(Thousands(rows))
                      .arg(double(directory.textBytes) / MiB, 0, 'f', 1);
    m.unit = QStringLiteral("MiB");
    m.rows = rows;
    for (double bytes : overEmpty)
        m.samples.push_back(bytes / MiB);
    m.median = Median(overEmpty) / MiB;
    m.note = QStringLiteral("first listing %1 MiB, then a reload").arg(Median(overEmptyFirst) / MiB, 0, 'f', 1);
    if (ctx.sqlite)
        m.targets.push_back({QStringLiteral("text"), m.median * MiB / double(directory.textBytes), limit});
    ctx.report.add(m);
}
