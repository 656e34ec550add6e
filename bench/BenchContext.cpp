#include "BenchContext.h"

#include <QDir>
#include <QLocale>

#include "BenchWindow.h"
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
    steps.push_back({{}, program, &BenchWindow::Settle});
    steps.push_back({{},
                     [&statements] {
                         for (const QString &sql : statements)
                             FetchRaw(sql);
                     },
                     {}});
    const auto times = TimeInterleaved(steps, ctx.settings.warmups, ctx.settings.runs);
    m.samples = times[0].run;
    m.median = Median(times[0].run);
    m.paint = Median(times[0].settle);
    m.qtSql = Median(times[1].run);
    // The shell is a process of its own: started between the other two it would leave them
    // cold caches, a cost neither has in use. It gets rounds of its own.
    if (shell)
        m.shell = Median(
            TimeInterleaved({{{}, [&shell] { shell->run(); }, {}}}, ctx.settings.warmups, ctx.settings.runs)[0].run);
    return m;
}

QString Thousands(qint64 number)
{
    return QLocale(QLocale::English).toString(number);
}
