#include "TransferBenchmarks.h"

#include "data/connection/Connection.h"
#include "data/rows/CsvWriter.h"
#include "data/statements/Queries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QUrl>

#include "DirectoryContent.h"
#include "Harness.h"
#include <functional>
#include <optional>
#include <stdexcept>

namespace {

const QString TransferProgram = QStringLiteral(TARNWICK_TRANSFER);
constexpr double TimeLimit = 1.5;         // × the loader
constexpr qint64 MemoryLimit = 100 << 20; // bytes, SQLite and PostgreSQL

// The database as the transfer program is given it: without its password, which a command
// line must not carry; libpq finds it in PGPASSWORD instead.
struct ChildDatabase
{
    QString descriptor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

ChildDatabase childDatabase(const QString &descriptor)
{
    ChildDatabase child;
    child.descriptor = descriptor;
    if (descriptor.startsWith(QLatin1StringView("postgresql:"))) {
        QUrl url(descriptor);
        if (!url.password().isEmpty())
            child.environment.insert(QStringLiteral("PGPASSWORD"), url.password());
        url.setPassword(QString());
        child.descriptor = url.toString();
    } else if (descriptor.startsWith(QLatin1StringView("odbc:"))) {
        const qsizetype at = descriptor.indexOf(QLatin1StringView(";Password="));
        if (at >= 0) {
            child.environment.insert(QStringLiteral("PGPASSWORD"), descriptor.mid(at + 10));
            child.descriptor = descriptor.left(at);
        }
    }
    return child;
}

struct Finished
{
    qint64 peakBytes = 0; // resident, as last seen while it ran
    QByteArray output;
};

// Runs a program to its end, input from a file when given; throws with what it said when it
// fails. Its peak resident memory is followed while it runs (VmHWM only grows).
Finished runToEnd(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                  const QString &input = QString(), bool followMemory = false)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!input.isEmpty())
        process.setStandardInputFile(input);
    process.start(program, arguments);
    if (!process.waitForStarted(60000))
        throw std::runtime_error(("cannot start " + program).toStdString());
    Finished finished;
    QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
    while (!process.waitForFinished(followMemory ? 20 : 600000)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (followMemory && status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith("VmHWM:"))
                    finished.peakBytes =
                        std::max(finished.peakBytes, line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024);
            }
            status.close();
        }
    }
    finished.output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error((QFileInfo(program).fileName() + " " + arguments.value(0) +
                                  " failed: " + QString::fromLocal8Bit(process.readAllStandardError()).left(2000))
                                     .toStdString());
    return finished;
}

// The database's own loader of CSV files: psql's \copy, or the sqlite3 shell's .import, all
// the files in one transaction.
class Loader
{
public:
    Loader(const BenchContext &ctx, const GeneratedDirectory &directory, QList<QPair<QString, QString>> files)
        : m_sqlite(ctx.sqlite), m_database(directory.sqlitePath), m_child(childDatabase(directory.descriptor))
    {
        if (m_sqlite) {
            m_script = QDir(ctx.settings.workDir).filePath(QStringLiteral("load.sql"));
            QFile script(m_script);
            if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
                throw std::runtime_error("cannot write the loader's script");
            script.write("BEGIN;\n");
            for (const auto &[table, file] : files)
                script.write(QStringLiteral(".import --csv %1 %2\n").arg(file, table).toUtf8());
            script.write("COMMIT;\n");
            return;
        }
        m_arguments = {
            QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
            QStringLiteral("-d"), m_child.descriptor,   QStringLiteral("-c"), QStringLiteral("BEGIN")};
        for (const auto &[table, file] : files)
            m_arguments.append({QStringLiteral("-c"), QStringLiteral("\\copy %1 from '%2' csv").arg(table, file)});
        m_arguments.append({QStringLiteral("-c"), QStringLiteral("COMMIT")});
    }

    QString name() const { return m_sqlite ? QStringLiteral("sqlite3 .import") : QStringLiteral("psql COPY"); }

    void run() const
    {
        if (m_sqlite)
            runToEnd(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), m_database}, m_child.environment, m_script);
        else
            runToEnd(QStringLiteral("psql"), m_arguments, m_child.environment);
    }

private:
    bool m_sqlite;
    QString m_database;
    ChildDatabase m_child;
    QString m_script;
    QStringList m_arguments;
};

// Rows of the directory's tables as CSV files the loaders read: `where` narrows them.
void dumpRows(const BenchContext &ctx, const GeneratedDirectory &directory, const QString &table, const QString &where,
              const QString &file)
{
    const QString select = QStringLiteral("select * from %1 %2").arg(table, where);
    const ChildDatabase child = childDatabase(directory.descriptor);
    if (ctx.sqlite) {
        const Finished dumped = runToEnd(
            QStringLiteral("sqlite3"), {QStringLiteral("-batch"), QStringLiteral("-csv"), directory.sqlitePath, select},
            child.environment);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(dumped.output) != dumped.output.size())
            throw std::runtime_error("cannot write the loader's rows");
        return;
    }
    runToEnd(QStringLiteral("psql"),
             {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
              QStringLiteral("-d"), child.descriptor, QStringLiteral("-c"),
              QStringLiteral("\\copy (%1) to '%2' csv").arg(select, file)},
             child.environment);
}

// The places after the directory's own, as the program's CSV form has them.
void writeImportFile(const GeneratedDirectory &directory, int places, const QString &path)
{
    DirectoryShape shape = directory.shape;
    DirectoryContent content(shape);
    for (int i = 0; i < shape.places; ++i)
        content.nextPlace();
    QHash<int, CategoryRow> categories;
    for (const CategoryRow &category : content.categories())
        categories.insert(category.id, category);
    const auto pathOf = [&categories](int id) {
        QStringList names;
        for (int at = id; at != 0 && categories.contains(at); at = categories[at].parentId)
            names.prepend(categories[at].name);
        return names.join(QStringLiteral(" / "));
    };
    // Sister categories of one name have one path: a file cannot tell them apart.
    QHash<QString, int> paths;
    for (const CategoryRow &category : content.categories())
        ++paths[pathOf(category.id)];
    QHash<int, QString> districts;
    for (const DistrictRow &district : content.districts())
        districts.insert(district.id, district.name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the file to import");
    Processing::CsvWriter out(file);
    for (const char *column : {"Name", "Category", "City", "District", "Address", "Telephone", "URL", "More"})
        out.field(QLatin1StringView(column));
    out.endRecord();
    // A place the generator made twice would be refused as a repeat.
    QSet<QString> seen;
    for (int written = 0; written < places;) {
        const PlaceRow place = content.nextPlace();
        const QString key = place.name.toUpper() + QChar(0) + place.addressText.toUpper();
        if (seen.contains(key) || paths.value(pathOf(place.branchId)) > 1)
            continue;
        seen.insert(key);
        for (const QString &text : {place.name, pathOf(place.branchId), content.cityNames().at(place.cityCode - 1),
                                    districts.value(place.districtId), place.addressText, place.telephoneText,
                                    place.webLink.trimmed(), place.more})
            out.field(text);
        out.endRecord();
        ++written;
    }
    if (!out.flush())
        throw std::runtime_error(("cannot write the file to import: " + out.errorString()).toStdString());
}

} // namespace

void RunImportBenchmark(BenchContext &ctx, const GeneratedDirectory &directory, int places)
{
    const QDir work(ctx.settings.workDir);
    const QString file = work.filePath(QStringLiteral("import.csv"));
    writeImportFile(directory, places, file);
    const ChildDatabase child = childDatabase(directory.descriptor);
    const QStringList import{QStringLiteral("import"), QStringLiteral("--database"), child.descriptor, file};
    const int before = directory.shape.places;
    // Back to the directory as generated: no place after its own.
    const auto undo = [before, sqlite = ctx.sqlite] {
        Processing::Connection &db = Processing::DbConn();
        db.execute(QStringLiteral("delete from places_branch_leaves where leaf_id > %1").arg(before));
        db.execute(QStringLiteral("delete from places_leaves where leaf_id > %1").arg(before));
        if (!sqlite)
            db.execute(QStringLiteral("vacuum analyze places_leaves, places_branch_leaves"));
    };
    // The rows the import stores, for the loader.
    runToEnd(TransferProgram, import, child.environment);
    const QString leaves = work.filePath(QStringLiteral("imported-leaves.csv"));
    const QString links = work.filePath(QStringLiteral("imported-links.csv"));
    dumpRows(ctx, directory, QStringLiteral("places_leaves"), QStringLiteral("where leaf_id > %1").arg(before), leaves);
    dumpRows(ctx, directory, QStringLiteral("places_branch_leaves"), QStringLiteral("where leaf_id > %1").arg(before),
             links);
    undo();
    const Loader loader(ctx, directory,
                        {{QStringLiteral("places_leaves"), leaves}, {QStringLiteral("places_branch_leaves"), links}});

    const int runs = std::min(ctx.settings.runs, 5);
    const auto times = TimeInterleaved(
        {{undo, [&] { runToEnd(TransferProgram, import, child.environment); }, {}}, {undo, [&] { loader.run(); }, {}}},
        ctx.settings.warmups, runs);
    undo();
    Measurement m;
    m.backend = ctx.backend;
    m.id = QStringLiteral("import_%1_into_%2").arg(places).arg(before);
    m.operation = QStringLiteral("import of %1 places into a directory of %2 (the whole process)")
                      .arg(Thousands(places), Thousands(before));
    m.rows = places;
    m.samples = times[0].run;
    m.median = Median(times[0].run);
    const double floor = Median(times[1].run);
    if (ctx.sqlite)
        m.shell = floor;
    m.note = QStringLiteral("floor: %1 of the rows stored, %2 ms").arg(loader.name()).arg(floor, 0, 'f', 0);
    if (ctx.backend != QLatin1StringView("odbc"))
        m.targets.push_back({loader.name(), m.median / floor, TimeLimit});
    ctx.report.add(m);
}

void RunExportBenchmark(BenchContext &ctx, const GeneratedDirectory &directory)
{
    const QDir work(ctx.settings.workDir);
    const ChildDatabase child = childDatabase(directory.descriptor);
    const QString file = work.filePath(QStringLiteral("export.csv"));
    const QStringList exportAll{QStringLiteral("export"), QStringLiteral("--database"), child.descriptor, file};
    const qint64 places = directory.shape.places;
    const bool odbc = ctx.backend == QLatin1StringView("odbc");

    // The loader's floor: the directory's places and links into an empty directory.
    std::optional<Loader> loader;
    std::function<void()> emptyTarget;
    GeneratedDirectory target;
    if (!odbc) {
        const QString leaves = work.filePath(QStringLiteral("all-leaves.csv"));
        const QString links = work.filePath(QStringLiteral("all-links.csv"));
        dumpRows(ctx, directory, QStringLiteral("places_leaves"), QString(), leaves);
        dumpRows(ctx, directory, QStringLiteral("places_branch_leaves"), QString(), links);
        DirectoryShape empty = directory.shape;
        empty.places = 0;
        const DirectoryGenerator generator(empty);
        if (ctx.sqlite) {
            const QString emptyFile = work.filePath(QStringLiteral("empty.sqlite"));
            target = generator.writeSqlite(emptyFile);
            target.sqlitePath = work.filePath(QStringLiteral("loaded.sqlite"));
            emptyTarget = [emptyFile, loaded = target.sqlitePath] {
                QFile::remove(loaded);
                QFile::copy(emptyFile, loaded);
            };
        } else {
            target = generator.writePostgresql(ctx.settings.postgresqlServer, QStringLiteral("tarnwick_bench_loaded"));
            emptyTarget = [child = childDatabase(target.descriptor)] {
                runToEnd(QStringLiteral("psql"),
                         {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-d"), child.descriptor,
                          QStringLiteral("-c"), QStringLiteral("truncate places_leaves, places_branch_leaves")},
                         child.environment);
            };
        }
        emptyTarget();
        loader.emplace(ctx, target,
                       QList<QPair<QString, QString>>{{QStringLiteral("places_leaves"), leaves},
                                                      {QStringLiteral("places_branch_leaves"), links}});
    }

    std::vector<TimedStep> steps{{{}, [&] { runToEnd(TransferProgram, exportAll, child.environment); }, {}}};
    if (loader)
        steps.push_back({emptyTarget, [&] { loader->run(); }, {}});
    // A million places take a while: fewer rounds.
    const int runs = places >= 500000 ? std::min(ctx.settings.runs, 3) : std::min(ctx.settings.runs, 5);
    const auto times = TimeInterleaved(steps, ctx.settings.warmups, runs);

    Measurement m;
    m.backend = ctx.backend;
    m.id = QStringLiteral("export_%1").arg(places);
    m.operation = QStringLiteral("export of %1 places (the whole process)").arg(Thousands(places));
    m.rows = places;
    m.samples = times[0].run;
    m.median = Median(times[0].run);
    if (loader) {
        const double floor = Median(times[1].run);
        if (ctx.sqlite)
            m.shell = floor;
        m.note = QStringLiteral("floor: %1 of its places and links, %2 ms").arg(loader->name()).arg(floor, 0, 'f', 0);
        m.targets.push_back({loader->name(), m.median / floor, TimeLimit});
    }
    ctx.report.add(m);

    // Peak memory of one more export, in a process of its own.
    const Finished measured = runToEnd(TransferProgram, exportAll, child.environment, QString(), true);
    Measurement memory;
    memory.backend = ctx.backend;
    memory.id = QStringLiteral("export_%1_memory").arg(places);
    memory.operation = QStringLiteral("peak resident memory of the export, %1 places").arg(Thousands(places));
    memory.unit = QStringLiteral("MiB");
    memory.median = double(measured.peakBytes) / (1 << 20);
    memory.rows = places;
    memory.note = QStringLiteral("file %1 MiB").arg(double(QFileInfo(file).size()) / (1 << 20), 0, 'f', 1);
    if (!odbc)
        memory.targets.push_back({QStringLiteral("100 MiB"), double(measured.peakBytes) / MemoryLimit, 1.0});
    ctx.report.add(memory);
}
