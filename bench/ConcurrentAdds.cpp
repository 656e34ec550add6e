#include "ConcurrentAdds.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/connection/Transaction.h"
#include "data/statements/PlaceStatements.h"
#include "editing/MultiLineTextBox.h"
#include "editing/frmAdd.h"
#include "ui/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const char DatabaseVariable[] = "TARNWICK_BENCH_DATABASE";
const int PlacesPerClient = 150;

template<typename T> T *child(const QWidget *window, const char *name)
{
    T *widget = window->findChild<T *>(QLatin1StringView(name));
    if (!widget)
        throw std::runtime_error(std::string("no control named ") + name);
    return widget;
}

// A city that has districts, and one of them: the district list narrows as the city is left.
void chooseCityAndDistrict(QWidget *window, int n)
{
    auto *cities = child<QComboBox>(window, "CmbCity");
    auto *districts = child<QComboBox>(window, "CmbDistrict");
    for (int attempt = 0; attempt < cities->count(); ++attempt) {
        cities->setCurrentIndex((n + attempt) % cities->count());
        cities->setFocus();
        QTest::keyClick(cities, Qt::Key_Tab);
        if (districts->count() > 0)
            break;
    }
    districts->setCurrentIndex(districts->count() > 0 ? n % districts->count() : -1);
}

bool waitForGo()
{
    char line[16] = {};
    return std::fgets(line, sizeof line, stdin) != nullptr;
}

// Places added by `clients` processes at once; what they stored per second of the slowest.
double addsPerSecond(BenchContext &ctx, const GeneratedDirectory &directory, int clients, bool raw)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(DatabaseVariable), directory.descriptor);
    // Each round's clients have numbers, names and raw identifiers of their own.
    static int round = 0;
    ++round;
    for (int k = 0; k < clients; ++k) {
        auto &process = processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setProcessEnvironment(environment);
        QStringList arguments = {QStringLiteral("--add-client"), QString::number(round * clients + k)};
        if (raw)
            arguments.append(QStringLiteral("--add-raw"));
        process->start(QCoreApplication::applicationFilePath(), arguments);
    }
    // Every client has its window open and its connection made before the clock starts.
    for (auto &process : processes)
        if (!process->waitForReadyRead(120000))
            ctx.report.problem(QStringLiteral("%1: an adding client did not get ready").arg(ctx.backend));
    for (auto &process : processes)
        process->readAllStandardOutput();
    QElapsedTimer clock;
    clock.start();
    for (auto &process : processes)
        process->write("go\n");
    int stored = 0;
    for (auto &process : processes) {
        if (!process->waitForFinished(600000) || process->exitCode() != 0)
            ctx.report.problem(QStringLiteral("%1: an adding client failed").arg(ctx.backend));
        stored += process->readAllStandardOutput().trimmed().toInt();
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    if (stored != clients * PlacesPerClient)
        ctx.report.problem(QStringLiteral("%1: %2 clients stored %3 of %4 places (the others were told an error)")
                               .arg(ctx.backend)
                               .arg(clients)
                               .arg(stored)
                               .arg(clients * PlacesPerClient));
    return stored / seconds;
}

} // namespace

int RunAddClient(int client, bool raw)
{
    try {
        Processing::DbConn().open(Processing::DatabaseDescriptor::parse(qEnvironmentVariable(DatabaseVariable)));
        int refused = 0;
        SetMsgBoxHandler([&refused](const MsgBoxRequest &request) {
            ++refused;
            std::fprintf(stderr, "client told \"%s\": %s\n", qPrintable(request.title),
                         qPrintable(request.text.simplified()));
            return QMessageBox::Ok;
        });
        frmAdd dialog;
        dialog.show();
        child<QCheckBox>(&dialog, "ChkAddPlace")->click();
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        if (!waitForGo())
            return 2;
        int stored = 0;
        for (int i = 0; i < PlacesPerClient; ++i) {
            const QString name = QStringLiteral("BENCH %1-%2").arg(client).arg(i);
            if (raw) {
                // Identifiers of its own far above the generated ones: no client waits for another.
                const qint32 id = 16000 + client * PlacesPerClient + i;
                Processing::PlaceValues place;
                place.name = name;
                place.address = name;
                place.city = 1;
                place.district = 1;
                stored += Processing::RunAsOneWrite({Processing::InsertPlaceStatement(id, place),
                                                     Processing::InsertPlaceLinkStatement(1, id)})
                              ? 0
                              : 1;
                continue;
            }
            auto *categories = child<QComboBox>(&dialog, "CmbPlaceParent");
            categories->setCurrentIndex(i % categories->count());
            chooseCityAndDistrict(&dialog, client + i);
            child<QLineEdit>(&dialog, "TxtPlaceName")->setText(name);
            child<MultiLineTextBox>(&dialog, "TxtAddress")->setText(name);
            const int before = refused;
            child<QPushButton>(&dialog, "CmdAddPlace")->click();
            stored += refused == before && child<QLineEdit>(&dialog, "TxtPlaceName")->text().isEmpty() ? 1 : 0;
        }
        std::printf("%d\n", stored);
        Processing::DbConn().close();
        return 0;
    } catch (const Processing::DbError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 2;
}

void RunConcurrentAdds(BenchContext &ctx, const GeneratedDirectory &directory)
{
    for (const int clients : {1, 8}) {
        Measurement m;
        m.backend = ctx.backend;
        m.id = QStringLiteral("add_places_%1_clients").arg(clients);
        m.operation = QStringLiteral("places added through \"Add New Information\", %1 client%2 at once (%3 each)")
                          .arg(clients)
                          .arg(clients == 1 ? "" : "s")
                          .arg(PlacesPerClient);
        m.unit = QStringLiteral("places/s");
        m.median = addsPerSecond(ctx, directory, clients, false);
        m.samples = {m.median};
        m.qtSql = addsPerSecond(ctx, directory, clients, true);
        m.rows = qint64(clients) * PlacesPerClient;
        ctx.report.add(m);
    }
}
