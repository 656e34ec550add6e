#include "BenchContext.h"

#include <QDir>
#include <QLocale>

#include "Floors.h"
#include "Harness.h"
#include <optional>

Measurement MeasureAgainstFetch(BenchContext &ctx, const GeneratedDirectory &directory, const QString &id,
                                const QString &operation, const std::function<void()> &program,
                                const QStringList &statements)
{
    Measurement m;
    m.backend = ctx.backend;
    m.id = id;
    m.operation = operation;
    m.rows = FetchRaw(statements.value(0)).rows;

    std::optional<SqliteShell> shell;
    if (ctx.sqlite && ctx.shell)
        shell.emplace(directory.sqlitePath, statements,
                      QDir(ctx.settings.workDir).filePath(id + QStringLiteral(".sql")));

    std::vector<TimedStep> steps;
    steps.push_back({{}, program});
    steps.push_back({{}, [&statements] {
                         for (const QString &sql : statements)
                             FetchRaw(sql);
                     }});
    if (shell)
        steps.push_back({{}, [&shell] { shell->run(); }});

    const auto times = TimeInterleaved(steps, ctx.settings.warmups, ctx.settings.runs);
    m.samples = times[0];
    m.median = Median(times[0]);
    m.qtSql = Median(times[1]);
    if (shell)
        m.shell = Median(times[2]);
    return m;
}

QString Thousands(qint64 number)
{
    return QLocale(QLocale::English).toString(number);
}
