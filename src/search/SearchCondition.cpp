#include "search/SearchCondition.h"

#include "data/ReferenceListStatements.h"
#include "data/SqlText.h"

namespace {

// The identifiers of the selected entries after "* All *"; none when the list is ignored.
QList<qint32> chosen(const ListChoice &list)
{
    QList<qint32> result;
    if (!list.ticked || list.entries.isEmpty() || list.entries.first().selected)
        return result;
    for (qsizetype i = 1; i < list.entries.size(); ++i) {
        if (list.entries.at(i).selected)
            result.append(list.entries.at(i).data);
    }
    return result;
}

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

SearchCondition BuildSearchCondition(const SearchCriteria &criteria)
{
    SearchCondition result;
    QString &cat = result.categoryPart;
    QString &text = result.condition;

    QString separator;
    appendAlternatives(cat, separator, QStringLiteral(" places_branch_leaves.branch_id = "),
                       chosen(criteria.categories));

    // Cities and districts share one list of alternatives inside one pair of parentheses.
    separator = QStringLiteral(" (");
    appendAlternatives(text, separator, QStringLiteral(" places_leaves.city = "), chosen(criteria.cities));
    appendAlternatives(text, separator, QStringLiteral("  places_leaves.district = "), chosen(criteria.districts));

    if (!text.isEmpty()) {
        if (!cat.isEmpty())
            text += QStringLiteral(" ) AND ( ") + cat + QStringLiteral(" ) ");
        else
            text += QStringLiteral(" ) ");
    } else if (!cat.isEmpty()) {
        text = QStringLiteral(" ( ") + cat + QStringLiteral(" ) ");
    }

    if (!criteria.name.isEmpty()) {
        const NamePattern name = pattern(criteria.match);
        const QString quoted = Processing::SqlText(criteria.name);
        if (text.isEmpty())
            text = QLatin1StringView(name.lone) + quoted + QLatin1StringView(name.after);
        else
            text += QLatin1StringView(name.joined) + quoted + QLatin1StringView(name.after);
    }
    return result;
}

QString DistrictFilter(const QList<ListEntry> &cities)
{
    if (!cities.isEmpty() && cities.first().selected)
        return QString();
    QList<qint32> selected;
    for (const ListEntry &entry : cities) {
        if (entry.selected)
            selected.append(entry.data);
    }
    if (selected.isEmpty())
        return Processing::CityFilter(-1);
    if (selected.size() == 1)
        return Processing::CityFilter(selected.first());
    QString filter = QStringLiteral("   ");
    QString separator;
    for (const qint32 id : selected) {
        filter += separator + QStringLiteral(" City_id = ") + QString::number(id);
        separator = QStringLiteral(" or ");
    }
    return filter + QLatin1Char(' ');
}
