#pragma once

#include "data/connection/Connection.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace Processing {

// The root's name in a path, as the add window's category lists name it.
inline constexpr char RootCategoryName[] = "* Root *";
// What stands between two names of a path.
inline constexpr char CategoryPathSeparator[] = " / ";

// The category tree by names, for files that name a category rather than its identifier: each
// category's path is the names from below the root down to it, joined by " / ".
class CategoryPaths
{
public:
    // Every category, read over db with the add window's category list; hold (a DialectWrites
    // suffix) holds the rows read until the transaction ends. Throws DbError.
    static CategoryPaths Read(Connection &db, const QString &hold = QString());

    // The root's path is "* Root *". The names are as stored.
    QString Path(qint32 id) const;
    // The categories text stands for: its path, or else, where it is no path, its name alone. Blanks
    // around the names do not count, nor around the "/" between them. More than one when text
    // is ambiguous; none when no category is so named.
    QList<qint32> Find(const QString &text) const;
    // The category and every category below it.
    QSet<qint32> Subtree(qint32 id) const;
    // Categories besides the root, and the largest identifier in use.
    qsizetype Count() const { return m_categories.size(); }
    bool Contains(qint32 id) const { return id == 0 || m_categories.contains(id); }
    qint64 Largest() const;
    // A category made meanwhile, below a known one.
    void Add(qint32 id, const QString &name, qint32 parent);

private:
    struct Category
    {
        QString name;
        qint32 parent = 0;
    };
    void index(qint32 id);

    QHash<qint32, Category> m_categories;
    QHash<qint32, QString> m_paths;
    QHash<QString, QList<qint32>> m_byPath; // by the path's key
    QHash<QString, QList<qint32>> m_byName; // by the name's key
};

} // namespace Processing
