#include "search/SearchCondition.h"
#include "support/TestMain.h"

#include <QTest>

namespace {

// A ticked list of the given identifiers after "* All *", those in `selected` selected.
ListChoice ticked(const QList<qint32> &ids, const QList<qint32> &selected, bool all = false)
{
    ListChoice choice{true, {{0, all}}};
    for (const qint32 id : ids)
        choice.entries.append({id, selected.contains(id)});
    return choice;
}

SearchCriteria named(const QString &name, NameMatch match)
{
    SearchCriteria criteria;
    criteria.name = name;
    criteria.match = match;
    return criteria;
}

QString condition(const SearchCriteria &criteria)
{
    return BuildSearchCondition(criteria).condition;
}

} // namespace

Q_DECLARE_METATYPE(NameMatch)

// The dialog's choices turned into the condition text, to the letter, without a window.
class TestSearchCondition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExamples()
    {
        SearchCriteria pizza = named(QStringLiteral("pizza"), NameMatch::Contains);
        pizza.categories = ticked({1, 3, 4, 9}, {3, 4});
        pizza.cities = ticked({2, 5, 8}, {5});
        const SearchCondition first = BuildSearchCondition(pizza);
        QCOMPARE(first.condition,
                 QStringLiteral(" ( places_leaves.city = 5 ) AND (  places_branch_leaves.branch_id = 3 or  "
                                "places_branch_leaves.branch_id = 4 )  AND ( upper (Leaf_Name) like upper "
                                "('%pizza%') ) "));
        QCOMPARE(first.categoryPart,
                 QStringLiteral(" places_branch_leaves.branch_id = 3 or  places_branch_leaves.branch_id = 4"));

        pizza.districts = ticked({11, 12}, {12});
        QCOMPARE(condition(pizza),
                 QStringLiteral(" ( places_leaves.city = 5 or   places_leaves.district = 12 ) AND (  "
                                "places_branch_leaves.branch_id = 3 or  places_branch_leaves.branch_id = 4 )  AND "
                                "( upper (Leaf_Name) like upper ('%pizza%') ) "));

        SearchCriteria city;
        city.cities = ticked({5}, {5});
        const SearchCondition cityOnly = BuildSearchCondition(city);
        QCOMPARE(cityOnly.condition, QStringLiteral(" ( places_leaves.city = 5 ) "));
        QCOMPARE(cityOnly.categoryPart, QString());

        SearchCriteria districts;
        districts.districts = ticked({12, 13, 14}, {12, 14});
        QCOMPARE(condition(districts),
                 QStringLiteral(" (  places_leaves.district = 12 or   places_leaves.district = 14 ) "));

        SearchCriteria cafe = named(QStringLiteral("caf"), NameMatch::StartsWith);
        cafe.categories = ticked({3}, {3});
        QCOMPARE(condition(cafe), QStringLiteral(" (  places_branch_leaves.branch_id = 3 )  AND ( upper (Leaf_Name) "
                                                 "like upper ('caf%') ) "));

        QCOMPARE(condition(named(QStringLiteral("caf"), NameMatch::StartsWith)),
                 QStringLiteral("  ( upper (Leaf_Name) like upper ('caf%') ) "));
    }

    void namePatterns_data()
    {
        QTest::addColumn<NameMatch>("match");
        QTest::addColumn<QString>("lone");
        QTest::addColumn<QString>("joined");
        QTest::newRow("starts") << NameMatch::StartsWith
                                << QStringLiteral("  ( upper (Leaf_Name) like upper ('ab%') ) ")
                                << QStringLiteral(" AND ( upper (Leaf_Name) like upper ('ab%') ) ");
        QTest::newRow("ends") << NameMatch::EndsWith << QStringLiteral("  ( upper (Leaf_Name) like upper ('%ab') ) ")
                              << QStringLiteral(" AND ( upper (Leaf_Name) like upper ('%ab') ) ");
        QTest::newRow("contains") << NameMatch::Contains
                                  << QStringLiteral("  ( upper (Leaf_Name) like upper ('%ab%') ) ")
                                  << QStringLiteral(" AND ( upper (Leaf_Name) like upper ('%ab%') ) ");
        QTest::newRow("exactly") << NameMatch::Exactly << QStringLiteral("  ( upper (Leaf_Name) like upper ('ab') ) ")
                                 << QStringLiteral(" AND ( upper (Leaf_Name) like upper ('ab') ) ");
    }

    void namePatterns()
    {
        QFETCH(NameMatch, match);
        QFETCH(QString, lone);
        QFETCH(QString, joined);
        SearchCriteria criteria = named(QStringLiteral("ab"), match);
        QCOMPARE(condition(criteria), lone);
        criteria.districts = ticked({7}, {7});
        QCOMPARE(condition(criteria), QStringLiteral(" (  places_leaves.district = 7 ) ") + joined);
    }

    void typedNames()
    {
        // Quotes are doubled so the name stays one literal; wildcards keep their meaning;
        // blanks are a name of their own.
        QCOMPARE(condition(named(QStringLiteral("Joe's"), NameMatch::Exactly)),
                 QStringLiteral("  ( upper (Leaf_Name) like upper ('Joe''s') ) "));
        QCOMPARE(condition(named(QStringLiteral("'; drop table places_leaves; --"), NameMatch::Contains)),
                 QStringLiteral("  ( upper (Leaf_Name) like upper ('%''; drop table places_leaves; --%') ) "));
        QCOMPARE(condition(named(QStringLiteral("50%_off"), NameMatch::StartsWith)),
                 QStringLiteral("  ( upper (Leaf_Name) like upper ('50%_off%') ) "));
        QCOMPARE(condition(named(QStringLiteral("   "), NameMatch::Exactly)),
                 QStringLiteral("  ( upper (Leaf_Name) like upper ('   ') ) "));
        QCOMPARE(condition(named(QString(), NameMatch::Contains)), QString());
    }

    void listsThatAddNothing()
    {
        SearchCriteria criteria;
        // "* All *" with other entries, an unticked list with selections, a ticked list with
        // nothing selected, and a ticked list with no entries at all.
        criteria.categories = ticked({3, 4}, {4}, true);
        criteria.cities = ticked({5}, {5});
        criteria.cities.ticked = false;
        criteria.districts = ticked({12}, {});
        SearchCondition built = BuildSearchCondition(criteria);
        QCOMPARE(built.condition, QString());
        QCOMPARE(built.categoryPart, QString());

        criteria.districts = ListChoice{true, {}};
        QCOMPARE(condition(criteria), QString());

        criteria.name = QStringLiteral("x");
        QCOMPARE(condition(criteria), QStringLiteral("  ( upper (Leaf_Name) like upper ('x') ) "));
    }

    void categoriesWithName()
    {
        SearchCriteria criteria = named(QStringLiteral("Museum"), NameMatch::EndsWith);
        criteria.categories = ticked({12, 13}, {12, 13});
        const SearchCondition built = BuildSearchCondition(criteria);
        QCOMPARE(built.condition,
                 QStringLiteral(" (  places_branch_leaves.branch_id = 12 or  places_branch_leaves.branch_id = 13 ) "
                                " AND ( upper (Leaf_Name) like upper ('%Museum') ) "));
        QCOMPARE(built.categoryPart,
                 QStringLiteral(" places_branch_leaves.branch_id = 12 or  places_branch_leaves.branch_id = 13"));
    }

    void districtFilters()
    {
        const auto cities = [](const QList<qint32> &selected, bool all = false) {
            return ticked({3, 5, 7}, selected, all).entries;
        };
        QCOMPARE(DistrictFilter(cities({}, true)), QString());
        QCOMPARE(DistrictFilter(cities({3, 7}, true)), QString());
        QCOMPARE(DistrictFilter(cities({})), QStringLiteral("city_id = -1"));
        QCOMPARE(DistrictFilter({}), QStringLiteral("city_id = -1"));
        QCOMPARE(DistrictFilter(cities({5})), QStringLiteral("city_id = 5"));
        QCOMPARE(DistrictFilter(cities({3, 7})), QStringLiteral("    City_id = 3 or  City_id = 7 "));
        QCOMPARE(DistrictFilter(cities({3, 5, 7})), QStringLiteral("    City_id = 3 or  City_id = 5 or  City_id = 7 "));
    }
};

TARNWICK_TEST_MAIN(TestSearchCondition)
#include "tst_search_condition.moc"
