#pragma once

#include "main/PlacesModel.h"
#include "main/frmMain.h"
#include "support/TestDatabase.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <functional>

// A directory whose tree and places the browsing tests know by heart:
//
//   Main Categories (0)            place 1 "Tourist Office" (link with a leading blank)
//     Food (1)                     place 2 "food court" (no link, no further information)
//       Cafes (3)                  places 3 "Cafe Nile" (link of blanks only), 4 "Zephyr Cafe"
//                                  (link), 5 "apple Tea"
//         Tea Rooms (4)            place 7 "Green Tea House"
//           Herbal (5)
//     Health (2)                   place 6 "Beta Clinic" (linked here and under Clinics)
//       Clinics (6)                place 6
//     Shops (20)
//       Bakeries (7)               stored before its parent Shops
namespace BrowsingFixture {

inline void Load()
{
    TestDatabase::Reset({QStringLiteral("root.sql")});
    TestDatabase::Exec(QStringList{
        QStringLiteral("insert into cm_city (CODE, ENAME) values (1, 'Cairo')"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (2, 'Giza')"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (3, 'alexandria')"),
        QStringLiteral("insert into places_district values (1, 'Zamalek', 1)"),
        QStringLiteral("insert into places_district values (2, 'Dokki', 2)"),
        QStringLiteral("insert into places_district values (3, 'Montaza', 3)"),
        QStringLiteral("insert into places_root values (1, 'Food', 0, 'N', 1)"),
        QStringLiteral("insert into places_root values (2, 'Health', 0, 'N', 1)"),
        QStringLiteral("insert into places_root values (3, 'Cafes', 1, 'N', 1)"),
        QStringLiteral("insert into places_root values (4, 'Tea Rooms', 3, 'N', 1)"),
        QStringLiteral("insert into places_root values (5, 'Herbal', 4, 'N', 1)"),
        QStringLiteral("insert into places_root values (6, 'Clinics', 2, 'N', 1)"),
        QStringLiteral("insert into places_root values (7, 'Bakeries', 20, 'N', 1)"),
        QStringLiteral("insert into places_root values (20, 'Shops', 0, 'N', 1)"),
        // ADDRESS holds the telephone text and TELEPHONE the address text.
        QStringLiteral("insert into places_leaves values (1, 'Tourist Office', '02 1111', 'Tahrir Sq', 1, 1, "
                       "'Maps', ' http://example.com/info')"),
        QStringLiteral("insert into places_leaves values (2, 'food court', '02 2222', 'Mall Road', 2, 2, NULL, NULL)"),
        QStringLiteral("insert into places_leaves values (3, 'Cafe Nile', '03 3333', 'Corniche', 3, 3, 'River view', "
                       "'   ')"),
        QStringLiteral("insert into places_leaves values (4, 'Zephyr Cafe', '02 4444', 'Brazil St', 1, 1, 'Late', "
                       "'www.zephyr.example')"),
        QStringLiteral("insert into places_leaves values (5, 'apple Tea', '02 5555', 'Dokki St', 2, 2, 'Tea', NULL)"),
        QStringLiteral("insert into places_leaves values (6, 'Beta Clinic', '02 6666', 'Clinic St', 1, 1, 'Doctors', "
                       "NULL)"),
        QStringLiteral("insert into places_leaves values (7, 'Green Tea House', '02 7777', 'Garden St', 3, 3, NULL, "
                       "NULL)"),
        QStringLiteral("insert into places_branch_leaves values (0, 1)"),
        QStringLiteral("insert into places_branch_leaves values (1, 2)"),
        QStringLiteral("insert into places_branch_leaves values (3, 3)"),
        QStringLiteral("insert into places_branch_leaves values (3, 4)"),
        QStringLiteral("insert into places_branch_leaves values (3, 5)"),
        QStringLiteral("insert into places_branch_leaves values (6, 6)"),
        QStringLiteral("insert into places_branch_leaves values (2, 6)"),
        QStringLiteral("insert into places_branch_leaves values (4, 7)"),
    });
}

inline QTreeView *Tree(const frmMain &window)
{
    return window.findChild<QTreeView *>(QStringLiteral("CatTree"));
}

inline QTreeView *List(const frmMain &window)
{
    return window.findChild<QTreeView *>(QStringLiteral("LstVwPlaces"));
}

// The places the list shows, with their identifiers.
inline PlacesModel *Places(const frmMain &window)
{
    return qobject_cast<PlacesModel *>(List(window)->model());
}

// The text of a status bar panel, 1 to 4.
inline QString PanelText(const frmMain &window, int panel)
{
    return window.findChild<QLabel *>(QStringLiteral("Panel%1").arg(panel))->text();
}

// A category as the tests name it, "BR " and its identifier.
inline QString Key(qint32 branch)
{
    return QStringLiteral("BR %1").arg(branch);
}

inline QString Key(const QModelIndex &node)
{
    return node.isValid() ? Key(node.data(CategoryTreeModel::IdRole).toInt()) : QString();
}

inline QString Text(const QModelIndex &node)
{
    return node.data(Qt::DisplayRole).toString();
}

// -1 for no node at all.
inline int ChildCount(const QModelIndex &node)
{
    return node.isValid() ? node.model()->rowCount(node) : -1;
}

// Calls visit for every node of the tree, parents before their children, in the tree's order.
inline void ForEachNode(const QTreeView *tree, const std::function<void(const QModelIndex &)> &visit)
{
    const QAbstractItemModel *model = tree->model();
    const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex node = model->index(row, 0, parent);
            visit(node);
            walk(node);
        }
    };
    walk(QModelIndex());
}

// Every node of the tree as "parent key > key", in tree order.
inline QStringList Nodes(const QTreeView *tree)
{
    QStringList nodes;
    ForEachNode(tree, [&nodes](const QModelIndex &node) {
        nodes.append((node.parent().isValid() ? Key(node.parent()) : QString()) + QStringLiteral(" > ") + Key(node));
    });
    return nodes;
}

// The node with the key; an invalid index when there is none.
inline QModelIndex Node(const QTreeView *tree, const QString &key)
{
    QModelIndex found;
    ForEachNode(tree, [&](const QModelIndex &node) {
        if (!found.isValid() && Key(node) == key)
            found = node;
    });
    return found;
}

// The first node, in tree order, showing the text; an invalid index when there is none.
inline QModelIndex NodeNamed(const QTreeView *tree, const QString &text)
{
    QModelIndex found;
    ForEachNode(tree, [&](const QModelIndex &node) {
        if (!found.isValid() && Text(node) == text)
            found = node;
    });
    return found;
}

// The keys of the rows the view lays out, top to bottom.
inline QStringList ShownRows(QTreeView *tree)
{
    QStringList rows;
    for (QModelIndex row = tree->model()->index(0, 0); row.isValid(); row = tree->indexBelow(row))
        rows.append(Key(row));
    return rows;
}

// The keys of the nodes whose every ancestor is expanded, in tree order: what the view should
// lay out, had it heard of every change.
inline QStringList OpenNodes(const QTreeView *tree)
{
    QStringList rows;
    const QAbstractItemModel *model = tree->model();
    const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex node = model->index(row, 0, parent);
            rows.append(Key(node));
            if (tree->isExpanded(node))
                walk(node);
        }
    };
    walk(QModelIndex());
    return rows;
}

// A click on the node's text, as the user makes it.
inline void ClickNode(QTreeView *tree, const QModelIndex &node)
{
    tree->scrollTo(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(node).center());
}

// A click on the expand (or collapse) sign before the node, which does not click the node.
inline void ClickExpandSign(QTreeView *tree, const QModelIndex &node)
{
    tree->scrollTo(node);
    const QRect rect = tree->visualRect(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(rect.left() - tree->indentation() / 2, rect.center().y()));
}

inline void ClickHeader(QTreeView *list, int column)
{
    QHeaderView *header = list->header();
    if (header->sectionViewportPosition(column) < 0 ||
        header->sectionViewportPosition(column) + header->sectionSize(column) > header->viewport()->width())
        list->horizontalScrollBar()->setValue(header->sectionPosition(column));
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
}

// QTest sends a double-click as the one event; a user's comes after a first click.
inline void DoubleClickAt(QTreeView *list, const QPoint &position)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, position);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, position);
}

inline void DoubleClickRow(QTreeView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    // The view lays out a reloaded list when it next gets to it; a user never clicks sooner.
    QCoreApplication::processEvents();
    DoubleClickAt(list, list->visualRect(index).center());
}

// The texts of one column of the list, top to bottom.
inline QStringList Column(const QTreeView *list, int column)
{
    QStringList texts;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

inline int Row(const QTreeView *list, const QString &name)
{
    return int(Column(list, 0).indexOf(name));
}

} // namespace BrowsingFixture
