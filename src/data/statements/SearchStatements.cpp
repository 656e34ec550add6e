#include "data/statements/SearchStatements.h"

#include "data/statements/SqlText.h"

// The blanks inside the pieces are part of the text the database receives, and of the text the
// search history keeps, and are kept exactly.
namespace Processing {

namespace {

// Appends one fragment per identifier, the separator in front of each; the separator becomes
// " or " once something was taken.
void appendAlternatives(QString &text, QString &separator, const QString &before, const QList<qint32> &ids)
{
    for (const qint32 id : ids) {
        text += separator + before + QString::number(id);
        separator = QStringLiteral(" or ");
    }
}

struct NamePattern
{
    const char *joined;
    const char *lone;
    const char *after;
};

NamePattern pattern(NameMatch match)
{
    switch (match) {
    case NameMatch::StartsWith:
        return {" AND ( upper (Leaf_Name) like upper ('", "  ( upper (Leaf_Name) like upper ('", "%') ) "};
    case NameMatch::EndsWith:
        return {" AND ( upper (Leaf_Name) like upper ('%", "  ( upper (Leaf_Name) like upper ('%", "') ) "};
    case NameMatch::Contains:
        return {" AND ( upper (Leaf_Name) like upper ('%", "  ( upper (Leaf_Name) like upper ('%", "%') ) "};
    case NameMatch::Exactly:
        break;
    }
    return {" AND ( upper (Leaf_Name) like upper ('", "  ( upper (Leaf_Name) like upper ('", "') ) "};
}

} // namespace

SearchCondition BuildSearchCondition(const TypedSearch &search)
{
    SearchCondition result;
    QString &cat = result.categoryPart;
    QString &text = result.condition;

    QString separator;
    appendAlternatives(cat, separator, QStringLiteral(" places_branch_leaves.branch_id = "), search.categories);

    // Cities and districts share one list of alternatives inside one pair of parentheses.
    separator = QStringLiteral(" (");
    appendAlternatives(text, separator, QStringLiteral(" places_leaves.city = "), search.cities);
    appendAlternatives(text, separator, QStringLiteral("  places_leaves.district = "), search.districts);

    if (!text.isEmpty()) {
        if (!cat.isEmpty())
            text += QStringLiteral(" ) AND ( ") + cat + QStringLiteral(" ) ");
        else
            text += QStringLiteral(" ) ");
    } else if (!cat.isEmpty()) {
        text = QStringLiteral(" ( ") + cat + QStringLiteral(" ) ");
    }

    if (!search.name.isEmpty()) {
        const NamePattern name = pattern(search.match);
        const QString quoted = SqlText(search.name);
        if (text.isEmpty())
            text = QLatin1StringView(name.lone) + quoted + QLatin1StringView(name.after);
        else
            text += QLatin1StringView(name.joined) + quoted + QLatin1StringView(name.after);
    }
    return result;
}

} // namespace Processing
