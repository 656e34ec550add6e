#include "data/statements/SearchStatements.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;

namespace {

TypedSearch named(const QString &name, NameMatch match)
{
    TypedSearch search;
    search.name = name;
    search.match = match;
    return search;
}

QString condition(const TypedSearch &search)
{
    return BuildSearchCondition(search).condition;
}

} // namespace

Q_DECLARE_METATYPE(Processing::NameMatch)

// A typed search turned into the condition text, to the letter.
class TestSearchStatements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExamples()
    {
        TypedSearch pizza = named(QStringLiteral("pizza"), NameMatch::Contains);
        pizza.categories = {3, 4};
        pizza.cities = {5};
        const SearchCondition first = BuildSearchCondition(pizza);
        QCOMPARE(first.condition,
                 QStringLiteral(" ( places_leaves.city = 5 ) AND (  places_branch_leaves.branch_id = 3 or  "
                                "places_branch_leaves.branch_id = 4 )  AND ( upper (Leaf_Name) like upper "
                                "('%pizza%') ) "));
        QCOMPARE(first.categoryPart,
                 QStringLiteral(" places_branch_leaves.branch_id = 3 or  places_branch_leaves.branch_id = 4"));

        pizza.districts = {12};
        QCOMPARE(condition(pizza),
                 QStringLiteral(" ( places_leaves.city = 5 or   places_leaves.district = 12 ) AND (  "
                                "places_branch_leaves.branch_id = 3 or  places_branch_leaves.branch_id = 4 )  AND "
                                "( upper (Leaf_Name) like upper ('%pizza%') ) "));

        TypedSearch city;
        city.cities = {5};
        const SearchCondition cityOnly = BuildSearchCondition(city);
        QCOMPARE(cityOnly.condition, QStringLiteral(" ( places_leaves.city = 5 ) "));
        QCOMPARE(cityOnly.categoryPart, QString());

        TypedSearch districts;
        districts.districts = {12, 14};
        QCOMPARE(condition(districts),
                 QStringLiteral(" (  places_leaves.district = 12 or   places_leaves.district = 14 ) "));

        TypedSearch cafe = named(QStringLiteral("caf"), NameMatch::StartsWith);
        cafe.categories = {3};
        QCOMPARE(condition(cafe), QStringLiteral(" (  places_branch_leaves.branch_id = 3 )  AND ( upper (Leaf_Name) "
                                                 "like upper ('caf%') ) "));

        QCOMPARE(condition(named(QStringLiteral("caf"), NameMatch::StartsWith)),
                 QStringLiteral("  ( upper (Leaf_Name) like upper ('caf%') ) "));
        QCOMPARE(condition(TypedSearch()), QString());
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
        TypedSearch search = named(QStringLiteral("ab"), match);
        QCOMPARE(condition(search), lone);
        search.districts = {7};
        QCOMPARE(condition(search), QStringLiteral(" (  places_leaves.district = 7 ) ") + joined);
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

    void categoriesWithName()
    {
        TypedSearch search = named(QStringLiteral("Museum"), NameMatch::EndsWith);
        search.categories = {12, 13};
        const SearchCondition built = BuildSearchCondition(search);
        QCOMPARE(built.condition,
                 QStringLiteral(" (  places_branch_leaves.branch_id = 12 or  places_branch_leaves.branch_id = 13 ) "
                                " AND ( upper (Leaf_Name) like upper ('%Museum') ) "));
        QCOMPARE(built.categoryPart,
                 QStringLiteral(" places_branch_leaves.branch_id = 12 or  places_branch_leaves.branch_id = 13"));
    }
};

TARNWICK_TEST_MAIN(TestSearchStatements)
#include "tst_search_statements.moc"
