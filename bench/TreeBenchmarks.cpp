#include "TreeBenchmarks.h"

#include "data/statements/Queries.h"
#include "main/frmMain.h"

#include <QTreeView>

#include "BenchWindow.h"
#include "DirectoryContent.h"

namespace {

int countNodes(const QAbstractItemModel &model, const QModelIndex &node)
{
    int count = 1;
    for (int i = 0; i < model.rowCount(node); ++i)
        count += countNodes(model, model.index(i, 0, node));
    return count;
}

} // namespace

void RunTreeBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory)
{
    const DirectoryShape &shape = directory.shape;
    const int categories = shape.categoryCount();
    frmMain &main = window.main();
    QTreeView &tree = window.tree();
    const QAbstractItemModel &model = *tree.model();
    main.SetSearchStr(QString());

    Measurement init = MeasureAgainstFetch(ctx, directory, QStringLiteral("initform_%1").arg(categories),
                                           QStringLiteral("InitForm, %1 categories").arg(Thousands(categories)),
                                           [&] { main.InitForm(); }, {Processing::GetSubCatQuery(0)});
    // The root and the first two levels below it.
    const int expected = 1 + shape.topCategories + shape.topCategories * shape.perTop;
    const QModelIndex root = model.index(0, 0);
    if (model.rowCount() != 1 || countNodes(model, root) != expected || !tree.isExpanded(root))
        ctx.report.problem(
            QStringLiteral("%1: InitForm shows %2 top nodes, %3 nodes in all (not 1 and %4), the root %5")
                .arg(ctx.backend)
                .arg(model.rowCount())
                .arg(model.rowCount() == 1 ? countNodes(model, root) : 0)
                .arg(expected)
                .arg(tree.isExpanded(root) ? "expanded" : "closed"));
    if (ctx.sqlite)
        init.targets.push_back({QStringLiteral("Qt SQL"), init.ratioToQtSql(), 1.25});
    ctx.report.add(init);

    // The first top category: rows come in identifier order, so it is category 1.
    const CategoryRow first = DirectoryContent(shape).categories().at(0);
    const auto node = [&model] { return model.index(0, 0, model.index(0, 0)); };
    if (!node().isValid() || node().data().toString() != first.name) {
        ctx.report.problem(QStringLiteral("%1: the tree's first category is not %2").arg(ctx.backend, first.name));
        return;
    }
    const qint32 id = qint32(first.id);
    Measurement expand =
        MeasureAgainstFetch(ctx, directory, QStringLiteral("expand_%1").arg(categories),
                            QStringLiteral("expanding a top category, %1 categories").arg(Thousands(categories)),
                            [&] {
                                // Collapsing first is part of the step: a node that is open does not expand again.
                                tree.collapse(node());
                                tree.expand(node());
                            },
                            {Processing::GetPlacesQuery(id), Processing::GetSubCatQuery(id)});
    expand.note = QStringLiteral("floors: both statements");
    if (window.listedRows() != expand.rows)
        ctx.report.problem(QStringLiteral("%1: expanding lists %2 places, the statement returns %3")
                               .arg(ctx.backend)
                               .arg(window.listedRows())
                               .arg(expand.rows));
    if (model.rowCount(node()) != shape.perTop || model.rowCount(model.index(0, 0, node())) != shape.perSecond)
        ctx.report.problem(QStringLiteral("%1: expanding did not load the level below the children").arg(ctx.backend));
    ctx.report.add(expand);
}
