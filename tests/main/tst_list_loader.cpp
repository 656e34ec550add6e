#include "data/PlacesList.h"
#include "main/BrowsingFixture.h"
#include "main/ListLoader.h"
#include "main/PlacesModel.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QTest>

#include <functional>
#include <memory>

namespace {

// Places added under the root, so that the whole directory's list loads in several steps.
constexpr int Added = 3000;
constexpr int Total = Added + 7;

// What a scenario works with: the loader, the log of what it signalled and ran, and the window
// whose commands wait.
struct Run
{
    ListLoader &loader;
    QStringList &log;
    QObject *owner;
    // Logs `name` once it runs.
    void whenWhole(int command, const QString &name)
    {
        loader.WhenWhole(owner, command, [this, name] { log.append(name); });
    }
    void afterLoaded()
    {
        loader.AfterLoaded(owner, [this](const std::optional<Processing::DbError> &failure) {
            log.append(failure ? QStringLiteral("after: failed") : QStringLiteral("after"));
        });
    }
    bool load(qint32 branch) { return loader.Load(Processing::OpenPlacesList(branch, QString())); }
};
using Scenario = std::function<void(Run &)>;

} // namespace

Q_DECLARE_METATYPE(Scenario)

// The places list's loader on its own: what it signals, and when the commands waiting for the
// list run.
class TestListLoader : public QObject
{
    Q_OBJECT

public:
private Q_SLOTS:
    void init()
    {
        BrowsingFixture::Load();
        TestDatabase::Exec(QStringLiteral("insert into places_leaves select i, 'Bulk ' || i, '02 0000', 'Bulk St', "
                                          "1, 1, NULL, NULL from (with recursive n(i) as (select 1000 union all "
                                          "select i + 1 from n where i < %1) select i from n) counted")
                               .arg(1000 + Added - 1));
        TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves select 0, leaf_id from places_leaves "
                                          "where leaf_id >= 1000"));
    }

    void commandsWaitForTheWholeList_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a short list is read at once") << Scenario([](Run &run) {
            QVERIFY(run.load(3));
            run.whenWhole(1, QStringLiteral("A"));
            run.afterLoaded();
        }) << 3 << QStringList{QStringLiteral("A"), QStringLiteral("after")};
        QTest::newRow("a long one in steps, each command once, in order")
            << Scenario([](Run &run) {
                   QVERIFY(!run.load(-1));
                   QVERIFY(run.loader.Loading());
                   run.whenWhole(1, QStringLiteral("A"));
                   run.whenWhole(2, QStringLiteral("B"));
                   run.whenWhole(1, QStringLiteral("A again"));
                   run.afterLoaded();
               })
            << Total
            << QStringList{QStringLiteral("stopped"), QStringLiteral("whole"), QStringLiteral("A"), QStringLiteral("B"),
                           QStringLiteral("after")};
        QTest::newRow("a load given up leaves its commands to the next")
            << Scenario([](Run &run) {
                   QVERIFY(!run.load(-1));
                   run.whenWhole(1, QStringLiteral("A"));
                   run.afterLoaded();
                   run.loader.GiveUp();
                   QVERIFY(!run.loader.Loading());
                   QVERIFY(!run.load(-1));
               })
            << Total
            << QStringList{QStringLiteral("stopped"), QStringLiteral("stopped"), QStringLiteral("whole"),
                           QStringLiteral("A"), QStringLiteral("after")};
        QTest::newRow("nothing runs for a window gone") << Scenario([](Run &run) {
            QVERIFY(!run.load(-1));
            run.whenWhole(1, QStringLiteral("A"));
            delete run.owner;
            run.owner = nullptr;
        }) << Total << QStringList{QStringLiteral("stopped"), QStringLiteral("whole")};
    }

    void commandsWaitForTheWholeList()
    {
        QFETCH(Scenario, scenario);
        QFETCH(int, rows);
        QFETCH(QStringList, expected);
        PlacesModel places;
        ListLoader loader(places, {0, 0}, nullptr);
        QStringList log;
        int steps = 0;
        connect(&loader, &ListLoader::progress, this, [&](qsizetype read) {
            QCOMPARE(places.rowCount(), 0); // nothing shows before the list is whole
            QVERIFY(read >= 0 && read < rows);
            ++steps;
        });
        connect(&loader, &ListLoader::stopped, this, [&] { log.append(QStringLiteral("stopped")); });
        connect(&loader, &ListLoader::whole, this, [&] { log.append(QStringLiteral("whole")); });
        connect(&loader, &ListLoader::failed, this, [&] { log.append(QStringLiteral("failed")); });
        auto *owner = new QObject(this);
        Run run{loader, log, owner};
        scenario(run);
        QTRY_VERIFY(!loader.Loading());
        QTRY_COMPARE(log, expected);
        QCOMPARE(places.rowCount(), rows);
        QCOMPARE(steps > 0, rows == Total);
        delete run.owner;
    }
};

TARNWICK_TEST_MAIN(TestListLoader)
#include "tst_list_loader.moc"
