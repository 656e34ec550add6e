#include "TreeBenchmarks.h"

#include "data/Queries.h"
#include "data/SearchState.h"
#include "main/frmMain.h"

#include <QTreeWidget>

#include "BenchWindow.h"
#include "DirectoryContent.h"

namespace {

int countNodes(const QTreeWidgetItem *node)
{
    int count = 1;
    for (int i = 0; i < node->childCount(); ++i)
        count += countNodes(node->child(i));
    return count;
}

} // namespace

void RunTreeBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory)
{
    const DirectoryShape &shape = directory.shape;
    const int categories = shape.categoryCount();
    frmMain &main = window.main();
    QTreeWidget &tree = window.tree();
    Processing::SearchStr.clear();

    Measurement init = MeasureAgainstFetch(ctx, directory, QStringLiteral("initform_%1").arg(categories),
                                           QStringLiteral("InitForm, %1 categories").arg(Thousands(categories)),
                                           [&] { main.InitForm(); }, {Processing::GetSubCatQuery(0)});
    // The root and the first two levels below it.
    const int expected = 1 + shape.topCategories + shape.topCategories * shape.perTop;
    if (tree.topLevelItemCount() != 1 || countNodes(tree.topLevelItem(0)) != expected)
        ctx.report.problem(
            QStringLiteral("%1: InitForm shows %2 nodes, not %3")
                .arg(ctx.backend)
                .arg(tree.topLevelItemCount() == 1 ? countNodes(tree.topLevelItem(0)) : tree.topLevelItemCount())
                .arg(expected));
    if (ctx.sqlite)
        init.targets.push_back({QStringLiteral("Qt SQL"), init.ratioToQtSql(), 1.25});
    ctx.report.add(init);

    // The first top category: rows come in identifier order, so it is category 1.
    const CategoryRow first = DirectoryContent(shape).categories().at(0);
    const auto node = [&tree]() -> QTreeWidgetItem * {
        QTreeWidgetItem *root = tree.topLevelItem(0);
        return root && root->childCount() > 0 ? root->child(0) : nullptr;
    };
    if (!node() || node()->text(0) != first.name) {
        ctx.report.problem(QStringLiteral("%1: the tree's first category is not %2").arg(ctx.backend, first.name));
        return;
    }
    const qint16 id = qint16(first.id);
    Measurement expand =
        MeasureAgainstFetch(ctx, directory, QStringLiteral("expand_%1").arg(categories),
                            QStringLiteral("expanding a top category, %1 categories").arg(Thousands(categories)),
                            [&] {
                                // Collapsing first is part of the step: a node that is open does not expand again.
                                node()->setExpanded(false);
                                node()->setExpanded(true);
                            },
                            {Processing::GetPlacesQuery(id), Processing::GetSubCatQuery(id)});
    expand.note = QStringLiteral("floors: both statements");
    if (window.listedRows() != expand.rows)
        ctx.report.problem(QStringLiteral("%1: expanding lists %2 places, the statement returns %3")
                               .arg(ctx.backend)
                               .arg(window.listedRows())
                               .arg(expand.rows));
    if (node()->childCount() != shape.perTop || node()->child(0)->childCount() != shape.perSecond)
        ctx.report.problem(QStringLiteral("%1: expanding did not load the level below the children").arg(ctx.backend));
    ctx.report.add(expand);
}
