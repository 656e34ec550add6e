#include "data/writes/CategoryPaths.h"

#include "data/statements/ReferenceListStatements.h"

#include <algorithm>

namespace Processing {

namespace {

// A path or name as compared: the blanks around each of its names and each "/" left out.
QString keyOf(QStringView text)
{
    QString key;
    key.reserve(text.size());
    bool first = true;
    for (const QStringView part : text.split(QLatin1Char('/'))) {
        if (!first)
            key += QLatin1Char('/');
        first = false;
        key += part.trimmed();
    }
    return key;
}

} // namespace

CategoryPaths CategoryPaths::Read(Connection &db, const QString &hold)
{
    CategoryPaths tree;
    const Recordset rs = db.openRecordset(CategoriesQuery() + hold);
    const int id = rs.field(QStringLiteral("BRANCH_ID"));
    const int name = rs.field(QStringLiteral("BRANCH_NAME"));
    const int parent = rs.field(QStringLiteral("PARENT_ID"));
    for (int row = 0; row < rs.RecordCount(); ++row) {
        const std::optional<qint32> branch = rs.int32(row, id);
        if (branch && *branch != 0)
            tree.m_categories.insert(*branch, {rs.text(row, name), rs.int32(row, parent).value_or(0)});
    }
    for (auto it = tree.m_categories.cbegin(); it != tree.m_categories.cend(); ++it)
        tree.index(it.key());
    return tree;
}

QString CategoryPaths::Path(qint32 id) const
{
    if (id == 0)
        return QString::fromLatin1(RootCategoryName);
    return m_paths.value(id);
}

void CategoryPaths::index(qint32 id)
{
    // Up to the root; a parent that is gone, or a loop in a hand-edited tree, ends the path there.
    QStringList names;
    QSet<qint32> seen;
    for (qint32 at = id; at != 0 && m_categories.contains(at) && !seen.contains(at); at = m_categories[at].parent) {
        seen.insert(at);
        names.prepend(m_categories[at].name);
    }
    const QString path = names.join(QLatin1StringView(CategoryPathSeparator));
    m_paths.insert(id, path);
    m_byPath[keyOf(path)].append(id);
    m_byName[keyOf(m_categories[id].name)].append(id);
}

QList<qint32> CategoryPaths::Find(const QString &text) const
{
    if (text.trimmed() == QLatin1StringView(RootCategoryName))
        return {0};
    const QString key = keyOf(text);
    if (const auto path = m_byPath.constFind(key); path != m_byPath.cend())
        return *path;
    return m_byName.value(key);
}

QSet<qint32> CategoryPaths::Subtree(qint32 id) const
{
    QHash<qint32, QList<qint32>> children;
    for (auto it = m_categories.cbegin(); it != m_categories.cend(); ++it)
        children[it->parent].append(it.key());
    QSet<qint32> found{id};
    QList<qint32> open{id};
    while (!open.isEmpty()) {
        for (const qint32 child : children.value(open.takeLast())) {
            if (!found.contains(child)) {
                found.insert(child);
                open.append(child);
            }
        }
    }
    return found;
}

qint64 CategoryPaths::Largest() const
{
    const auto keys = m_categories.keys();
    return keys.isEmpty() ? 0 : *std::max_element(keys.cbegin(), keys.cend());
}

void CategoryPaths::Add(qint32 id, const QString &name, qint32 parent)
{
    m_categories.insert(id, {name, parent});
    index(id);
}

} // namespace Processing
