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

} // namespace

// The dialog's choices turned into the search they make, without a window.
class TestSearchCondition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chosenIdentifiers()
    {
        SearchCriteria criteria;
        criteria.categories = ticked({1, 3, 4, 9}, {3, 4});
        criteria.cities = ticked({2, 5, 8}, {5});
        criteria.districts = ticked({11, 12}, {12});
        criteria.name = QStringLiteral(" pizza");
        criteria.match = NameMatch::Contains;
        const Processing::TypedSearch search = TypedSearchOf(criteria);
        QCOMPARE(search.categories, (QList<qint32>{3, 4}));
        QCOMPARE(search.cities, (QList<qint32>{5}));
        QCOMPARE(search.districts, (QList<qint32>{12}));
        QCOMPARE(search.name, QStringLiteral(" pizza"));
        QCOMPARE(search.match, NameMatch::Contains);
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
        Processing::TypedSearch search = TypedSearchOf(criteria);
        QVERIFY(search.categories.isEmpty() && search.cities.isEmpty() && search.districts.isEmpty());
        QCOMPARE(Processing::BuildSearchCondition(search).condition, QString());

        criteria.districts = ListChoice{true, {}};
        QVERIFY(TypedSearchOf(criteria).districts.isEmpty());
    }

    void districtCities()
    {
        const auto cities = [](const QList<qint32> &selected, bool all = false) {
            return ticked({3, 5, 7}, selected, all).entries;
        };
        using Cities = std::optional<QList<qint32>>;
        QCOMPARE(DistrictCities(cities({}, true)), Cities());
        QCOMPARE(DistrictCities(cities({3, 7}, true)), Cities());
        QCOMPARE(DistrictCities(cities({})), Cities(QList<qint32>()));
        QCOMPARE(DistrictCities({}), Cities(QList<qint32>()));
        QCOMPARE(DistrictCities(cities({5})), Cities(QList<qint32>{5}));
        QCOMPARE(DistrictCities(cities({3, 7})), Cities(QList<qint32>{3, 7}));
    }
};

TARNWICK_TEST_MAIN(TestSearchCondition)
#include "tst_search_condition.moc"
