#include "data/rows/PlacesList.h"
#include "main/BrowsingFixture.h"
#include "main/ListLoader.h"
#include "main/PlacesModel.h"
#include "support/TestMain.h"

// The places list's loader on its own: what it signals, and when the commands waiting for the
// list run. Each scenario is a string of steps: "S" loads a short list, "L" the whole directory's
// (in steps), "G" gives it up, "a" to "c" ask for commands (a and b the same one), "w" waits for
// the load's end, "x" closes the window that asked.
class TestListLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        BrowsingFixture::Load();
        // Enough places that the whole directory takes more than one step.
        TestDatabase::Exec(QStringLiteral("insert into places_leaves select i, 'Bulk ' || i, '02', 'St', 1, 1, NULL, "
                                          "NULL from (with recursive n(i) as (select 1000 union all select i + 1 "
                                          "from n where i < 3999) select i from n) counted"));
        TestDatabase::Exec(QStringLiteral("insert into places_branch_leaves select 0, leaf_id from places_leaves "
                                          "where leaf_id >= 1000"));
    }

    void commandsWaitForTheWholeList_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("log");
        QTest::newRow("short: at once") << QStringLiteral("Sac") << QStringLiteral("a c");
        QTest::newRow("long: once each, in order, when whole")
            << QStringLiteral("Labcw") << QStringLiteral("stopped whole a c");
        QTest::newRow("given up: left to the next")
            << QStringLiteral("LaGLw") << QStringLiteral("stopped stopped whole a");
        QTest::newRow("the window gone") << QStringLiteral("Laxw") << QStringLiteral("stopped whole");
    }

    void commandsWaitForTheWholeList()
    {
        QFETCH(QString, steps);
        QFETCH(QString, log);
        PlacesModel places;
        ListLoader loader(places, {0, 0}, nullptr);
        QStringList seen;
        connect(&loader, &ListLoader::progress, this, [&] { QCOMPARE(places.rowCount(), 0); });
        connect(&loader, &ListLoader::stopped, this, [&] { seen.append(QStringLiteral("stopped")); });
        connect(&loader, &ListLoader::whole, this, [&] { seen.append(QStringLiteral("whole")); });
        connect(&loader, &ListLoader::failed, this, [&] { seen.append(QStringLiteral("failed")); });
        auto owner = std::make_unique<QObject>();
        for (const QChar step : steps) {
            const QString name(step);
            switch (step.toLatin1()) {
            case 'S':
                QVERIFY(loader.Load(Processing::OpenPlacesList(3, QString())));
                break;
            case 'L':
                QVERIFY(!loader.Load(Processing::OpenPlacesList(-1, QString())));
                break;
            case 'G':
                loader.GiveUp();
                break;
            case 'x':
                owner.reset();
                break;
            case 'w':
                QTRY_VERIFY(!loader.Loading());
                break;
            case 'c':
                loader.AfterLoaded(owner.get(), [&seen, name](const auto &failure) {
                    seen.append(failure ? QStringLiteral("failed ") + name : name);
                });
                break;
            default: // a and b are one command
                loader.WhenWhole(owner.get(), step == u'b' ? 'a' : step.unicode(),
                                 [&seen, name] { seen.append(name); });
            }
        }
        QCOMPARE(seen.join(QLatin1Char(' ')), log);
    }
};

TARNWICK_TEST_MAIN(TestListLoader)
#include "tst_list_loader.moc"
