#include "CopyBenchmarks.h"

#include "data/DbError.h"
#include "data/connection/DriverSetup.h"
#include "data/setup/SqlScript.h"
#include "data/statements/DirectoryTables.h"
#include "transfer/RowStreams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

#include "ChildProcess.h"
#include "DirectoryGenerator.h"
#include "Harness.h"
#include "OdbcRoute.h"
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

const QString ReaderConnection = QStringLiteral("tarnwick-bench-copy-reader");
const QString ServerConnection = QStringLiteral("tarnwick-bench-copy-server");
const QString TargetDatabase = QStringLiteral("tarnwick_bench_copy");
constexpr double MiB = 1024.0 * 1024.0;
constexpr double TimeLimit = 1.5;
constexpr double MemoryLimitMiB = 100;

void progress(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
}

// A value in PostgreSQL's COPY text form, and as RFC 4180 quotes it.
void appendCopyText(QByteArray &line, const CopyRow &row, int c)
{
    if (row.isNull(c)) {
        line += "\\N";
        return;
    }
    for (const char ch : row.value(c)) {
        switch (ch) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += ch;
        }
    }
}

void appendCsv(QByteArray &line, const CopyRow &row, int c)
{
    if (row.isNull(c))
        return;
    line += '"';
    for (const char ch : row.value(c)) {
        if (ch == '"')
            line += '"';
        line += ch;
    }
    line += '"';
}

// The source's rows in files, once: for psql's \copy and for the sqlite3 shell's .import.
void writeRowFiles(const QString &sqlitePath, const QString &folder)
{
    {
        Processing::OpenDatabase(Processing::DatabaseDescriptor::parse(QStringLiteral("sqlite:") + sqlitePath),
                                 ReaderConnection);
        const QSqlDatabase db = QSqlDatabase::database(ReaderConnection, false);
        for (const Processing::DirectoryTable &table : Processing::DirectoryTables()) {
            QFile copyFile(folder + QLatin1Char('/') + table.name + QStringLiteral(".copy"));
            QFile csvFile(folder + QLatin1Char('/') + table.name + QStringLiteral(".csv"));
            if (!copyFile.open(QIODevice::WriteOnly) || !csvFile.open(QIODevice::WriteOnly))
                throw std::runtime_error(("cannot write the rows of " + table.name).toStdString());
            const std::unique_ptr<RowReader> reader = ReadRows(db, table);
            CopyRow row;
            QByteArray copyLine;
            QByteArray csvLine;
            while (reader->next(row)) {
                copyLine.clear();
                csvLine.clear();
                for (int c = 0; c < row.size(); ++c) {
                    if (c > 0) {
                        copyLine += '\t';
                        csvLine += ',';
                    }
                    appendCopyText(copyLine, row, c);
                    appendCsv(csvLine, row, c);
                }
                copyFile.write(copyLine + '\n');
                csvFile.write(csvLine + "\r\n");
            }
        }
    }
    QSqlDatabase::database(ReaderConnection, false).close();
    QSqlDatabase::removeDatabase(ReaderConnection);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        throw std::runtime_error(("cannot write " + path).toStdString());
}

// psql's script: every table's rows with \copy, in one transaction.
QByteArray psqlScript(const QString &folder)
{
    QByteArray script = "\\set ON_ERROR_STOP on\nBEGIN;\n";
    for (const Processing::DirectoryTable &table : Processing::DirectoryTables())
        script += QStringLiteral("\\copy %1 (%2) from '%3/%1.copy'\n")
                      .arg(table.name, table.columns.join(QStringLiteral(", ")), folder)
                      .toUtf8();
    return script + "COMMIT;\n";
}

// The sqlite3 shell's script: every table's rows with .import, in one transaction.
QByteArray sqliteScript(const QString &folder)
{
    QByteArray script = ".bail on\nBEGIN;\n";
    for (const Processing::DirectoryTable &table : Processing::DirectoryTables())
        script += QStringLiteral(".import --csv %1/%2.csv %2\n").arg(folder, table.name).toUtf8();
    return script + "COMMIT;\n";
}

// An SQLite file with the tables alone, as the shell's import finds a new database.
void makeSqliteTables(const QString &path)
{
    QFile::remove(path);
    QByteArray script;
    for (const QString &statement :
         Processing::SqlStatements(Processing::SchemaScript(QStringLiteral("sqlite-schema.sql"))))
        script += statement.toUtf8() + ";\n";
    const QString scriptPath = path + QStringLiteral(".schema.sql");
    writeFile(scriptPath, script);
    const ChildRun made = RunChild(QStringLiteral("sqlite3"), {path}, {}, scriptPath);
    if (made.exitCode != 0)
        throw std::runtime_error(("the sqlite3 shell could not make " + path + ": " + made.errors).toStdString());
}

QSqlDatabase serverConnection(const QUrl &url)
{
    if (QSqlDatabase::contains(ServerConnection))
        return QSqlDatabase::database(ServerConnection, false);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), ServerConnection);
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(url.path().mid(1));
    QStringList options;
    for (const auto &[key, value] : QUrlQuery(url).queryItems())
        options.append(key + QLatin1Char('=') + value);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open())
        throw std::runtime_error(("cannot reach the PostgreSQL server: " + db.lastError().text()).toStdString());
    return db;
}

void closeServerConnection()
{
    QSqlDatabase::database(ServerConnection, false).close();
    QSqlDatabase::removeDatabase(ServerConnection);
}

void serverExec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(ServerConnection, false));
    if (!query.exec(sql))
        throw std::runtime_error(("refused: " + sql + ": " + query.lastError().text()).toStdString());
}

// The copy's database on the server with its tables, as an administrator makes them; returns its
// address.
QString makeServerTarget(const QString &serverUrl)
{
    const QUrl server(serverUrl);
    serverConnection(server);
    QSqlQuery found(QSqlDatabase::database(ServerConnection, false));
    found.exec(QStringLiteral("select 1 from pg_database where datname = '%1'").arg(TargetDatabase));
    if (!found.next())
        serverExec(QStringLiteral("create database %1 encoding 'UTF8' template template0").arg(TargetDatabase));
    closeServerConnection();
    QUrl target(server);
    target.setPath(QLatin1Char('/') + TargetDatabase);
    serverConnection(target);
    serverExec(QStringLiteral("set client_min_messages = warning"));
    serverExec(QStringLiteral(
        "drop table if exists places_root, places_leaves, places_branch_leaves, places_district, cm_city cascade"));
    for (const QString &statement :
         Processing::SqlStatements(Processing::SchemaScript(QStringLiteral("postgresql.sql"))))
        serverExec(statement);
    return target.toString();
}

void emptyServerTarget()
{
    serverExec(QStringLiteral("truncate places_root, places_leaves, places_branch_leaves, places_district, cm_city"));
}

// The program's settings file names the databases whose addresses may carry a password, which
// the command line refuses: production the server, development the server through ODBC.
QStringList transferEnvironment(const QString &home, const QString &production, const QString &development)
{
    QDir().mkpath(home + QStringLiteral("/config/Tarnwick"));
    writeFile(
        home + QStringLiteral("/config/Tarnwick/Tarnwick.conf"),
        QStringLiteral("[Databases]\nproduction=\"%1\"\ndevelopment=\"%2\"\n").arg(production, development).toUtf8());
    return {QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/config"),
            QStringLiteral("XDG_DATA_HOME=") + home + QStringLiteral("/data")};
}

void checkRun(const ChildRun &run, const QString &what)
{
    if (run.exitCode != 0)
        throw std::runtime_error(
            (what + QStringLiteral(" failed (exit %1): ").arg(run.exitCode) + QString::fromLocal8Bit(run.errors))
                .toStdString());
}

struct Timed
{
    QString id;
    QString operation;
    QString backend;
    QString program; // "tarnwick-transfer", "psql", "sqlite3"
    QStringList arguments;
    QStringList environment;
    QString input;
    std::function<void()> prepare;
};

// The copy and its floor, round by round; the copy's times, the floor's, and the copy's peak memory.
struct Pair
{
    std::vector<double> copy;
    std::vector<double> floor;
    qint64 peak = 0;
};

Pair timePair(const BenchContext &ctx, const Timed &copy, const Timed &floor)
{
    Pair pair;
    const auto step = [&pair](const Timed &timed, bool isCopy) {
        TimedStep s;
        s.prepare = timed.prepare;
        s.measure = [&pair, &timed, isCopy] {
            const ChildRun run = RunChild(timed.program, timed.arguments, timed.environment, timed.input);
            checkRun(run, timed.operation);
            if (isCopy)
                pair.peak = std::max(pair.peak, run.peakBytes);
            return run.ms;
        };
        return s;
    };
    const std::vector<StepTimes> times = TimeInterleaved(
        {step(copy, true), step(floor, false)}, std::min(ctx.settings.warmups, 1), std::min(ctx.settings.runs, 3));
    pair.copy = times[0].run;
    pair.floor = times[1].run;
    return pair;
}

void report(BenchContext &ctx, const Timed &copy, const QString &floorName, const Pair &pair, int places, bool targets)
{
    Measurement time;
    time.backend = copy.backend;
    time.id = copy.id;
    time.operation = copy.operation;
    time.samples = pair.copy;
    time.median = Median(pair.copy);
    time.rows = places;
    const double floor = Median(pair.floor);
    if (floorName == QLatin1StringView("sqlite3"))
        time.shell = floor;
    time.note = QStringLiteral("floor: %1, %2 ms").arg(floorName).arg(floor, 0, 'f', 0);
    if (targets)
        time.targets.push_back({floorName, time.median / floor, TimeLimit});
    ctx.report.add(time);

    Measurement memory;
    memory.backend = copy.backend;
    memory.id = copy.id + QStringLiteral("_peak_memory");
    memory.operation = QStringLiteral("peak resident memory of ") + copy.operation;
    memory.unit = QStringLiteral("MiB");
    memory.median = double(pair.peak) / MiB;
    memory.samples = {memory.median};
    memory.rows = places;
    if (targets)
        memory.targets.push_back({QStringLiteral("%1 MiB").arg(MemoryLimitMiB), memory.median / MemoryLimitMiB, 1.0});
    ctx.report.add(memory);
}

} // namespace

void RunCopyBenchmarks(BenchContext &ctx)
{
    const int places = ctx.settings.copyPlaces;
    if (places <= 0 || !ctx.sqlite)
        return;
    const QString work = ctx.settings.workDir;
    const QString files = work + QStringLiteral("/copy-rows");
    QDir().mkpath(files);
    DirectoryShape shape;
    shape.places = places;
    // The large list's directory, where it is the same size, is the copy's source as it stands.
    QString source = work + QStringLiteral("/places_%1.sqlite").arg(places);
    if (!QFileInfo::exists(source)) {
        progress(QStringLiteral("copy: generating %1 places").arg(Thousands(places)));
        source = DirectoryGenerator(shape).writeSqlite(work + QStringLiteral("/copy_source.sqlite")).sqlitePath;
    }
    progress(QStringLiteral("copy: the rows in files for the floors"));
    writeRowFiles(source, files);
    writeFile(files + QStringLiteral("/import.sqlite3"), sqliteScript(files));

    const QString target = work + QStringLiteral("/copy_target.sqlite");
    const QString floorTarget = work + QStringLiteral("/copy_floor.sqlite");
    const QString transfer = QStringLiteral(TARNWICK_TRANSFER);
    const QString countText = Thousands(places);
    const QStringList sqliteOnly =
        transferEnvironment(work + QStringLiteral("/transfer-home"), QStringLiteral("sqlite:unused.sqlite"),
                            QStringLiteral("sqlite:unused-dev.sqlite"));
    const Timed shellImport{QStringLiteral("copy_floor_sqlite3"),
                            QStringLiteral("the sqlite3 shell importing the rows"),
                            QStringLiteral("sqlite"),
                            QStringLiteral("sqlite3"),
                            {floorTarget},
                            {},
                            files + QStringLiteral("/import.sqlite3"),
                            [floorTarget] { makeSqliteTables(floorTarget); }};

    progress(QStringLiteral("copy: SQLite to SQLite, %1 places").arg(countText));
    const Timed sqliteCopy{QStringLiteral("copy_sqlite_sqlite_%1").arg(places),
                           QStringLiteral("copy SQLite → SQLite, %1 places, checked").arg(countText),
                           QStringLiteral("sqlite"),
                           transfer,
                           {QStringLiteral("copy"), QStringLiteral("--from"), QStringLiteral("sqlite:") + source,
                            QStringLiteral("--to"), QStringLiteral("sqlite:") + target},
                           sqliteOnly,
                           QString(),
                           [target] { QFile::remove(target); }};
    report(ctx, sqliteCopy, QStringLiteral("sqlite3"), timePair(ctx, sqliteCopy, shellImport), places, false);

    if (ctx.settings.postgresqlServer.isEmpty())
        return;
    const QString server = makeServerTarget(ctx.settings.postgresqlServer);
    const QString odbc = PostgresqlOdbcDescriptor(server);
    const QStringList withServer = transferEnvironment(work + QStringLiteral("/transfer-home"), server, odbc);
    writeFile(files + QStringLiteral("/load.psql"), psqlScript(files));

    progress(QStringLiteral("copy: SQLite to PostgreSQL, %1 places").arg(countText));
    const Timed toServer{QStringLiteral("copy_sqlite_postgresql_%1").arg(places),
                         QStringLiteral("copy SQLite → PostgreSQL, %1 places, checked").arg(countText),
                         QStringLiteral("postgresql"),
                         transfer,
                         {QStringLiteral("copy"), QStringLiteral("--from"), QStringLiteral("sqlite:") + source,
                          QStringLiteral("--to"), QStringLiteral("production")},
                         withServer,
                         QString(),
                         emptyServerTarget};
    const Timed psqlLoad{QStringLiteral("copy_floor_psql"),
                         QStringLiteral("psql loading the rows with COPY"),
                         QStringLiteral("postgresql"),
                         QStringLiteral("psql"),
                         {QStringLiteral("-q"), QStringLiteral("-X"), QStringLiteral("-d"), server,
                          QStringLiteral("-f"), files + QStringLiteral("/load.psql")},
                         {},
                         QString(),
                         emptyServerTarget};
    report(ctx, toServer, QStringLiteral("psql COPY"), timePair(ctx, toServer, psqlLoad), places, true);
    // Either step leaves the whole directory on the server: the source of what follows.
    serverExec(QStringLiteral("analyze"));

    progress(QStringLiteral("copy: PostgreSQL to SQLite, %1 places").arg(countText));
    const Timed fromServer{QStringLiteral("copy_postgresql_sqlite_%1").arg(places),
                           QStringLiteral("copy PostgreSQL → SQLite, %1 places, checked").arg(countText),
                           QStringLiteral("postgresql"),
                           transfer,
                           {QStringLiteral("copy"), QStringLiteral("--from"), QStringLiteral("production"),
                            QStringLiteral("--to"), QStringLiteral("sqlite:") + target},
                           withServer,
                           QString(),
                           [target] { QFile::remove(target); }};
    report(ctx, fromServer, QStringLiteral("sqlite3"), timePair(ctx, fromServer, shellImport), places, true);

    if (!odbc.isEmpty()) {
        progress(QStringLiteral("copy: PostgreSQL through ODBC to SQLite, %1 places").arg(countText));
        QFile::remove(target);
        const ChildRun run = RunChild(transfer,
                                      {QStringLiteral("copy"), QStringLiteral("--from"), QStringLiteral("development"),
                                       QStringLiteral("--to"), QStringLiteral("sqlite:") + target},
                                      withServer);
        checkRun(run, QStringLiteral("the copy through ODBC"));
        Pair pair;
        pair.copy = {run.ms};
        pair.floor = {NAN};
        pair.peak = run.peakBytes;
        Timed odbcCopy;
        odbcCopy.id = QStringLiteral("copy_odbc_sqlite_%1").arg(places);
        odbcCopy.operation =
            QStringLiteral("copy PostgreSQL by ODBC → SQLite, %1 places, checked, one run").arg(countText);
        odbcCopy.backend = QStringLiteral("odbc");
        report(ctx, odbcCopy, QStringLiteral("none"), pair, places, false);
    }
    closeServerConnection();
}
