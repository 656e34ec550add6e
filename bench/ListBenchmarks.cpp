#include "ListBenchmarks.h"

#include "data/statements/Queries.h"
#include "main/frmMain.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QTreeView>

#include "BenchWindow.h"
#include "Floors.h"
#include "Harness.h"
#include "SearchText.h"
#include <algorithm>
#include <memory>

namespace {

void expectListed(BenchContext &ctx, BenchWindow &window, const Measurement &m)
{
    if (window.listedRows() != m.rows)
        ctx.report.problem(QStringLiteral("%1 %2: the list shows %3 rows, the statement returns %4")
                               .arg(ctx.backend, m.operation)
                               .arg(window.listedRows())
                               .arg(m.rows));
}

int columnHeaded(BenchWindow &window, const QString &title)
{
    const QAbstractItemModel *model = window.list().model();
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->headerData(c, Qt::Horizontal).toString() == title)
            return c;
    }
    throw std::runtime_error(("the places list has no column " + title).toStdString());
}

// Ordered one way or the other as the interface's language orders the texts.
bool sortedEitherWay(const std::vector<QCollatorSortKey> &keys)
{
    const auto before = [](const QCollatorSortKey &a, const QCollatorSortKey &b) { return a.compare(b) < 0; };
    return std::is_sorted(keys.begin(), keys.end(), before) || std::is_sorted(keys.rbegin(), keys.rend(), before);
}

void measureSort(BenchContext &ctx, BenchWindow &window, const QString &title, double listAllMs)
{
    const int column = columnHeaded(window, title);
    // The floor: the column's collation keys made and sorted, the least a sort in the language's
    // order does.
    const QStringList texts = window.columnTexts(column);
    std::vector<QCollatorSortKey> work;
    // Each click is the first on a window just started and filled: what a list keeps from one
    // sort for the next (keys, an order it sorts new rows into) must not flatter the clicks.
    std::unique_ptr<BenchWindow> fresh;
    const auto startAndFill = [&] {
        fresh.reset();
        fresh = std::make_unique<BenchWindow>();
        BenchWindow::LoadList(fresh->main(), -1);
        BenchWindow::Settle();
        fresh->revealColumn(column);
    };
    const std::vector<TimedStep> steps{
        {startAndFill, [&] { fresh->clickHeader(column); }, &BenchWindow::Settle},
        {[&] { work.clear(); },
         [&] {
             work = CollationKeys(texts);
             std::sort(work.begin(), work.end(),
                       [](const QCollatorSortKey &a, const QCollatorSortKey &b) { return a.compare(b) < 0; });
         },
         {}},
    };
    const auto times = TimeInterleaved(steps, ctx.settings.warmups, ctx.settings.runs);

    Measurement m;
    m.backend = ctx.backend;
    m.id = QStringLiteral("sort_%1_%2").arg(title.toLower()).arg(texts.size());
    m.operation = QStringLiteral("header click sorting by %1, %2 places").arg(title, Thousands(qint64(texts.size())));
    m.note = QStringLiteral("first click in a new window");
    m.rows = qint64(texts.size());
    m.samples = times[0].run;
    m.median = Median(times[0].run);
    m.paint = Median(times[0].settle);
    m.stdSort = Median(times[1].run);
    if (ctx.sqlite) {
        // Half the fill: a collation key is made for every row at the first click, in the
        // interface's language, where a sort by the characters' numbers needed none.
        m.targets.push_back({QStringLiteral("UpdateList(-1)"), m.median / listAllMs, 0.5});
        m.targets.push_back({QStringLiteral("std::sort"), m.median / m.stdSort, 3.0});
    }
    ctx.report.add(m);

    if (fresh->listedRows() != int(texts.size()) || !sortedEitherWay(CollationKeys(fresh->columnTexts(column))))
        ctx.report.problem(QStringLiteral("%1: a click on \"%2\" left the list unsorted").arg(ctx.backend, title));
}

// The longest the window went without taking events while UpdateList(-1) filled the list, and
// whether the status bar counted the places meanwhile and was empty again after.
void measurePauses(BenchContext &ctx, BenchWindow &window, int places)
{
    const QLabel *panel = window.main().findChild<QLabel *>(QStringLiteral("Panel3"));
    if (!panel)
        throw std::runtime_error("the main window has no Panel3");
    std::vector<double> longest;
    bool counted = true;
    bool cleared = true;
    for (int run = 0; run < ctx.settings.runs; ++run) {
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 gap = 0;
        bool seen = false;
        QTimer ticker;
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            gap = std::max(gap, now - last);
            last = now;
            seen = seen || panel->text().startsWith(QLatin1StringView("Loading places: "));
        });
        clock.start();
        ticker.start();
        BenchWindow::LoadList(window.main(), -1);
        gap = std::max(gap, clock.elapsed() - last);
        ticker.stop();
        longest.push_back(double(gap));
        // Only a load that lasts gets a count.
        counted = counted && (seen || clock.elapsed() < 1000);
        cleared = cleared && panel->text().isEmpty();
        BenchWindow::Settle();
    }
    if (!counted)
        ctx.report.problem(
            QStringLiteral("%1: a long load did not count its places in the status bar").arg(ctx.backend));
    if (!cleared)
        ctx.report.problem(QStringLiteral("%1: the status bar still counts places after the load").arg(ctx.backend));

    Measurement m;
    m.backend = ctx.backend;
    m.id = QStringLiteral("list_all_pause_%1").arg(places);
    m.operation =
        QStringLiteral("longest time without painting while UpdateList(-1) fills %1 places").arg(Thousands(places));
    m.note = QStringLiteral("the first third of a second included");
    m.rows = window.listedRows();
    m.samples = longest;
    m.median = Median(longest);
    ctx.report.add(m);
}

} // namespace

void RunLargeListBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory)
{
    const int places = directory.shape.places;
    window.main().SetSearchStr(QString());
    const QString all = Processing::GetPlacesQuery(-1);
    Measurement listAll = MeasureAgainstFetch(ctx, directory, QStringLiteral("list_all_%1").arg(places),
                                              QStringLiteral("UpdateList(-1), %1 places").arg(Thousands(places)),
                                              [&] { BenchWindow::LoadList(window.main(), -1); }, {all});
    expectListed(ctx, window, listAll);
    if (ctx.sqlite) {
        listAll.targets.push_back({QStringLiteral("Qt SQL"), listAll.ratioToQtSql(), 1.25});
        if (ctx.shell)
            listAll.targets.push_back({QStringLiteral("sqlite3"), listAll.median / listAll.shell, 3.0});
    }
    ctx.report.add(listAll);
    measurePauses(ctx, window, places);

    BenchWindow::LoadList(window.main(), -1);
    BenchWindow::Settle();
    measureSort(ctx, window, QStringLiteral("Name"), listAll.median);
}

double RunListBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory, bool full)
{
    const int places = directory.shape.places;
    frmMain &main = window.main();
    main.SetSearchStr(QString());

    const QString all = Processing::GetPlacesQuery(-1);
    Measurement listAll = MeasureAgainstFetch(ctx, directory, QStringLiteral("list_all_%1").arg(places),
                                              QStringLiteral("UpdateList(-1), %1 places").arg(Thousands(places)),
                                              [&] { BenchWindow::LoadList(main, -1); }, {all});
    expectListed(ctx, window, listAll);
    if (listAll.rows != places)
        ctx.report.problem(QStringLiteral("%1: the places query returns %2 of %3 generated places")
                               .arg(ctx.backend)
                               .arg(listAll.rows)
                               .arg(places));
    if (full && ctx.sqlite) {
        listAll.targets.push_back({QStringLiteral("Qt SQL"), listAll.ratioToQtSql(), 1.25});
        if (ctx.shell)
            listAll.targets.push_back({QStringLiteral("sqlite3"), listAll.median / listAll.shell, 3.0});
    }
    ctx.report.add(listAll);
    if (!full)
        return listAll.median;

    // A third-level category: the places filed directly under it.
    const qint32 category = qint32(directory.shape.firstThirdLevelId());
    Measurement one =
        MeasureAgainstFetch(ctx, directory, QStringLiteral("list_category_%1").arg(places),
                            QStringLiteral("UpdateList(category), %1 places").arg(Thousands(places)),
                            [&] { BenchWindow::LoadList(main, category); }, {Processing::GetPlacesQuery(category)});
    expectListed(ctx, window, one);
    ctx.report.add(one);

    const QString condition = ContainsAndCityCondition();
    if (condition != ContainsAndCityLiteral)
        ctx.report.problem(QStringLiteral("the search builds \"%1\" for city 5 and \"Contains\" ar").arg(condition));
    main.SetSearchStr(condition);
    Measurement search =
        MeasureAgainstFetch(ctx, directory, QStringLiteral("search_contains_city_%1").arg(places),
                            QStringLiteral("search \"Contains\" + city, %1 places").arg(Thousands(places)),
                            [&] { BenchWindow::LoadList(main, -1); }, {all + QStringLiteral(" AND ") + condition});
    expectListed(ctx, window, search);
    if (search.rows == 0)
        ctx.report.problem(QStringLiteral("%1: the search found nothing").arg(ctx.backend));
    if (ctx.sqlite)
        search.targets.push_back({QStringLiteral("Qt SQL"), search.ratioToQtSql(), 1.25});
    ctx.report.add(search);
    main.SetSearchStr(QString());

    BenchWindow::LoadList(main, -1);
    BenchWindow::Settle();
    measureSort(ctx, window, QStringLiteral("Name"), listAll.median);
    measureSort(ctx, window, QStringLiteral("Category"), listAll.median);
    return listAll.median;
}
