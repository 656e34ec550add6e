#include "EndToEndBenchmarks.h"

#include "main/frmMain.h"
#include "support/StatementTrace.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include "BenchWindow.h"
#include "Floors.h"
#include "Harness.h"
#include "ScreenReaderQuery.h"
#include <optional>
#include <stdexcept>

namespace {

bool bridgeFound = false;

// Tells when a widget has painted since it was armed.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget *widget, const frmMain &main) : m_main(main) { widget->installEventFilter(this); }

    void arm() { m_painted = false; }
    // Runs the event loop until the widget has painted.
    void wait() const
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_painted) {
            if (clock.elapsed() > 120000)
                throw std::runtime_error("the main window never painted the result of a click");
            QCoreApplication::processEvents();
        }
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // The paint runs right after this returns, within the same delivery: wait() sees the
        // flag only once it is done. A list still loading paints no result yet.
        if (event->type() == QEvent::Paint && !m_main.ListLoading())
            m_painted = true;
        return false;
    }

private:
    const frmMain &m_main;
    bool m_painted = false;
};

template<typename Widget> Widget *child(QWidget *parent, const char *name)
{
    auto *widget = parent->findChild<Widget *>(QLatin1StringView(name));
    if (!widget)
        throw std::runtime_error(std::string("no control ") + name);
    return widget;
}

struct Clicks
{
    BenchWindow &window;
    PaintWatch listPainted;
    PaintWatch treePainted;
    // When set, the statements the next click sends, from the click on.
    QStringList *sent = nullptr;
    // With the bridge on, a screen reader asks the list for its rows at the "&Search" click;
    // when the whole count was answered, ms after each such click.
    ScreenReaderQuery reader{&window.list()};
    qint64 searchRows = 0;
    std::vector<double> readerAnswers;

    explicit Clicks(BenchWindow &w)
        : window(w), listPainted(w.list().viewport(), w.main()), treePainted(w.tree().viewport(), w.main())
    {}

    QWidget *toolButton(ToolbarEntry entry)
    {
        return child<QToolBar>(&window.main(), "Toolbar1")->widgetForAction(window.main().ToolbarButton(entry));
    }

    // The dialog opens untimed; the clock starts at the click on "&Search" and stops once the
    // list has painted, after the dialog has closed.
    double search()
    {
        QElapsedTimer clock;
        bool asked = false;
        QString failure;
        QTimer::singleShot(0, &window.main(), [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QStringLiteral("FrmSearch")) {
                failure = QStringLiteral("\"Find Place\" did not open");
                return;
            }
            if (!QTest::qWaitForWindowExposed(dialog)) {
                failure = QStringLiteral("\"Find Place\" was never shown");
                dialog->reject();
                return;
            }
            child<QLineEdit>(dialog, "TxtPlaceName")->setText(QStringLiteral("%"));
            child<QRadioButton>(dialog, "OptContain")->setChecked(true);
            BenchWindow::Settle();
            listPainted.arm();
            std::optional<StatementTrace> capture;
            if (sent)
                capture.emplace();
            clock.start();
            asked = QAccessible::isActive() && reader.available();
            if (asked)
                reader.ask(clock, searchRows);
            QTest::mouseClick(child<QPushButton>(dialog, "CmdSearch"), Qt::LeftButton);
            if (capture)
                *sent = capture->statements();
        });
        window.main().Toolbar1_ButtonClick(ToolbarEntry::Search);
        if (!failure.isEmpty())
            throw std::runtime_error(failure.toStdString());
        listPainted.wait();
        const double painted = double(clock.nsecsElapsed()) / 1e6;
        if (asked)
            readerAnswers.push_back(reader.answer());
        asked = false;
        return painted;
    }

    double clickAndWait(QWidget *target, QPoint at, PaintWatch &watch)
    {
        BenchWindow::Settle();
        watch.arm();
        std::optional<StatementTrace> capture;
        if (sent)
            capture.emplace();
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
        watch.wait();
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (capture)
            *sent = capture->statements();
        return ms;
    }

    double back() { return clickAndWait(toolButton(ToolbarEntry::Back), QPoint(), listPainted); }
    double refresh() { return clickAndWait(toolButton(ToolbarEntry::Refresh), QPoint(), treePainted); }
    double mainCategories()
    {
        QTreeView &tree = window.tree();
        const QModelIndex root = tree.model()->index(0, 0);
        return clickAndWait(tree.viewport(), tree.visualRect(root).center(), listPainted);
    }
};

struct Click
{
    QString id;
    QString operation;
    std::function<void()> prepare; // the state the click starts from, untimed
    std::function<double()> click;
    std::function<qint64()> shown; // what the click must leave on screen
    qint64 expected = 0;
    QStringList statements; // as the program sent them
};

} // namespace

void NoteAccessibilityBridge()
{
    // A bridge that found a bus switches accessibility on soon after the application starts
    // (told to by with-accessibility-bridge.sh); every other step runs without it, as before.
    QElapsedTimer clock;
    clock.start();
    const bool asked = qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    while (asked && !QAccessible::isActive() && clock.elapsed() < 5000);
    bridgeFound = QAccessible::isActive();
    QAccessible::setActive(false);
}

bool AccessibilityBridgeFound()
{
    return bridgeFound;
}

void RunEndToEndBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory)
{
    const int places = directory.shape.places;
    frmMain &main = window.main();
    Clicks clicks(window);
    clicks.searchRows = places;
    const QAbstractItemModel &list = *window.list().model();
    const QAbstractItemModel &tree = *window.tree().model();
    const qint32 oneCategory = qint32(directory.shape.firstThirdLevelId());
    const auto listOne = [&] {
        main.SetSearchStr(QString());
        BenchWindow::LoadList(main, oneCategory);
        BenchWindow::Settle();
    };
    const auto listAll = [&] {
        main.SetSearchStr(QString());
        BenchWindow::LoadList(main, -1);
        BenchWindow::Settle();
    };
    const auto listedRows = [&] { return qint64(list.rowCount()); };

    // Searching from a short list, so that the click loads the whole directory; "Back" too.
    // "Refresh" rebuilds the tree; "Main Categories" replaces a full list.
    std::vector<Click> plan{
        {QStringLiteral("click_search_%1").arg(places),
         QStringLiteral("click \"&Search\", name \"%\" Contains → rows painted, %1 places").arg(Thousands(places)),
         listOne,
         [&] { return clicks.search(); },
         listedRows,
         places,
         {}},
        {QStringLiteral("click_back_%1").arg(places),
         QStringLiteral("click \"Back\" to that search → rows painted, %1 places").arg(Thousands(places)),
         listOne,
         [&] { return clicks.back(); },
         listedRows,
         places,
         {}},
        {QStringLiteral("click_refresh_%1").arg(places),
         QStringLiteral("click \"Refresh\" → tree painted, %1 places").arg(Thousands(places)),
         listAll,
         [&] { return clicks.refresh(); },
         [&] { return qint64(tree.rowCount(tree.index(0, 0))); },
         directory.shape.topCategories,
         {}},
        {QStringLiteral("click_main_categories_%1").arg(places),
         QStringLiteral("click \"Main Categories\" → rows painted, %1 places").arg(Thousands(places)),
         listAll,
         [&] { return clicks.mainCategories(); },
         listedRows,
         -1,
         {}},
    };

    // One untimed click each, listening to what it sends: the floors run the very same texts.
    for (Click &click : plan) {
        click.prepare();
        clicks.sent = &click.statements;
        click.click();
        clicks.sent = nullptr;
    }
    // "Main Categories" lists what is filed at the root: nothing generated is.
    plan.back().expected = listedRows();

    const bool bridge = AccessibilityBridgeFound();
    std::vector<TimedStep> steps;
    for (const Click &click : plan) {
        steps.push_back({click.prepare, {}, {}, click.click});
        if (bridge)
            steps.push_back({[&click] {
                                 QAccessible::setActive(true);
                                 click.prepare();
                             },
                             {},
                             {},
                             [&click] {
                                 const double ms = click.click();
                                 QAccessible::setActive(false);
                                 return ms;
                             }});
    }
    std::vector<std::optional<SqliteShell>> shells(plan.size());
    if (ctx.sqlite && ctx.shell) {
        for (std::size_t i = 0; i < plan.size(); ++i) {
            shells[i].emplace(directory.sqlitePath, plan[i].statements,
                              QDir(ctx.settings.workDir).filePath(plan[i].id + QStringLiteral(".sql")));
            steps.push_back({{}, [&shell = *shells[i]] { shell.run(); }, {}});
        }
    }
    const auto times = TimeInterleaved(steps, ctx.settings.warmups, ctx.settings.runs);
    QAccessible::setActive(false);

    const std::size_t perClick = bridge ? 2 : 1;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Click &click = plan[i];
        const double shell = shells[i] ? Median(times[plan.size() * perClick + i].run) : NAN;
        for (std::size_t variant = 0; variant < perClick; ++variant) {
            const StepTimes &t = times[i * perClick + variant];
            Measurement m;
            m.backend = ctx.backend;
            m.id = click.id + (variant ? QStringLiteral("_bridge_on") : QStringLiteral("_bridge_off"));
            m.operation = click.operation;
            m.note =
                QStringLiteral("accessibility bridge %1; floor: the %2 %3 it sent")
                    .arg(variant ? QStringLiteral("on, a client listening") : QStringLiteral("off"))
                    .arg(click.statements.size())
                    .arg(click.statements.size() == 1 ? QStringLiteral("statement") : QStringLiteral("statements"));
            m.rows = click.expected;
            m.samples = t.run;
            m.median = Median(t.run);
            m.shell = shell;
            if (ctx.sqlite && !std::isnan(shell) && (variant == 0 || i == 0))
                m.targets.push_back({QStringLiteral("sqlite3"), m.median / shell, variant ? 2.0 : 1.5});
            // The kept rounds' answers: the warm-up's came first.
            if (variant == 1 && i == 0 && clicks.readerAnswers.size() >= std::size_t(ctx.settings.runs)) {
                const double answered = Median(
                    std::vector<double>(clicks.readerAnswers.end() - ctx.settings.runs, clicks.readerAnswers.end()));
                m.note += QStringLiteral("; a screen reader asking the list had all its rows after %1 ms")
                              .arg(answered, 0, 'f', 1);
                m.targets.push_back({QStringLiteral("rows painted (screen reader's wait)"), answered / m.median, 1.25});
            }
            ctx.report.add(m);
        }
        click.prepare();
        click.click();
        if (click.shown() != click.expected)
            ctx.report.problem(QStringLiteral("%1 %2: %3 shown after the click, not %4")
                                   .arg(ctx.backend, click.operation)
                                   .arg(click.shown())
                                   .arg(click.expected));
    }
    main.SetSearchStr(QString());
}
