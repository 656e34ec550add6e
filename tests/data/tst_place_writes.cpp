#include "data/connection/Connection.h"
#include "data/connection/Transaction.h"
#include "data/statements/DeleteStatements.h"
#include "data/writes/PlaceChanges.h"
#include "data/writes/PlaceWrites.h"
#include "support/SmallDirectory.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;
using Result = PlaceUpdateOutcome::Result;

Q_DECLARE_METATYPE(Processing::PlaceUpdateOutcome::Result)
Q_DECLARE_METATYPE(Processing::NewRowRefusal)

namespace {

// Place 41 as typed in the update window: renamed, the rest as stored.
PlaceValues renamed41()
{
    PlaceValues place;
    place.name = QStringLiteral("Cafe Nile Renamed");
    place.address = QStringLiteral("5 main st");
    place.telephone = QStringLiteral("02 41");
    place.more = QStringLiteral("tea");
    place.city = 12;
    place.district = 1;
    return place;
}

// The name a list shows for a category, which the user chooses it by.
QString categoryName(qint32 category)
{
    return TestDatabase::Scalar(
               QStringLiteral("select branch_name from places_root where branch_id = %1").arg(category))
        .toString();
}

// As the user types a new place into the add dialog.
PlaceValues newPlace(const QString &name, const QString &address)
{
    PlaceValues place;
    place.name = name;
    place.address = address;
    place.telephone = QStringLiteral("'02' 777");
    place.more = QStringLiteral("it's '); drop table cm_city; --");
    place.url = QStringLiteral("http://example.com/?q='a'");
    place.city = 12;
    place.district = 3;
    return place;
}

QList<QStringList> storedPlace(qint64 leafId)
{
    return TestDatabase::Rows(QStringLiteral("select p.leaf_name, p.telephone, p.address, p.more_data, p.web_link, "
                                             "p.city, p.district, l.branch_id from places_leaves p, "
                                             "places_branch_leaves l where p.leaf_id = %1 and l.leaf_id = %1")
                                  .arg(leafId));
}

} // namespace

// Storing a place, by the operations the add dialog and the update window hand their values to.
class TestPlaceWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        SmallDirectory::MakeSmallDirectory();
        TestDatabase::Exec(QStringLiteral("insert into places_root values (9, 'Closing Soon', 0, 'N', 1)"));
    }

    // Another user's statements between the window's filling and "&Update".
    void update_data()
    {
        QTest::addColumn<QStringList>("other");
        QTest::addColumn<qint32>("category");
        QTest::addColumn<Result>("result");
        QTest::addColumn<QString>("changed");
        const QString place41 = QStringLiteral(" where leaf_id = 41");
        QTest::newRow("no one else") << QStringList() << 7 << Result::Stored << QString();
        // Moved to another category, the place is stored under the one chosen.
        QTest::newRow("to another category") << QStringList() << 9 << Result::Stored << QString();
        QTest::newRow("stored again as an update stores it")
            << QStringList{QStringLiteral("update places_leaves set leaf_name = ' CAFE NILE ', web_link = ' '") +
                           place41}
            << 7 << Result::Stored << QString();
        // The rows hold the address in TELEPHONE and the telephone in ADDRESS.
        QTest::newRow("address") << QStringList{QStringLiteral("update places_leaves set telephone = '7 River Rd'") +
                                                place41}
                                 << 7 << Result::ChangedMeanwhile << QStringLiteral("Address");
        QTest::newRow("telephone and more")
            << QStringList{QStringLiteral("update places_leaves set address = '02 99', more_data = 'coffee'") + place41}
            << 7 << Result::ChangedMeanwhile << QStringLiteral("Telephone, More");
        QTest::newRow("filed elsewhere")
            << QStringList{QStringLiteral("update places_branch_leaves set branch_id = 4") + place41} << 7
            << Result::ChangedMeanwhile << QStringLiteral("Parent Category");
        QTest::newRow("place deleted") << QStringList{QStringLiteral("delete from places_branch_leaves") + place41,
                                                      QStringLiteral("delete from places_leaves") + place41}
                                       << 7 << Result::PlaceGone << QString();
        QTest::newRow("category deleted") << QStringList{QStringLiteral("delete from places_root where branch_id = 9")}
                                          << 9 << Result::CategoryGone << QString();
        // Deleted, and its identifier taken by the next category added.
        QTest::newRow("category replaced")
            << QStringList{QStringLiteral("delete from places_root where branch_id = 9"),
                           QStringLiteral("insert into places_root values (9, 'Newcomer', 0, 'N', 1)")}
            << 9 << Result::CategoryGone << QString();
        QTest::newRow("category replaced, its name in other letters")
            << QStringList{QStringLiteral("delete from places_root where branch_id = 9"),
                           QStringLiteral("insert into places_root values (9, 'CLOSING SOON', 0, 'N', 1)")}
            << 9 << Result::CategoryGone << QString();
    }

    void update()
    {
        QFETCH(QStringList, other);
        QFETCH(qint32, category);
        QFETCH(Result, result);
        QFETCH(QString, changed);
        const StoredPlace shown = ReadListedPlace(41, QStringLiteral("Cafes"), DbConn()).value();
        TestDatabase::Exec(other);
        const auto before = SmallDirectory::Snapshot();
        StoredPlaces memory;
        const QString categoryName = category == 9 ? QStringLiteral("Closing Soon") : QStringLiteral("Cafes");
        PlaceUpdateOutcome outcome = UpdatePlace(shown, renamed41(), category, categoryName, memory, DbConn());
        QCOMPARE(outcome.result, result);
        QCOMPARE(outcome.changed.join(QStringLiteral(", ")), changed);
        QVERIFY(!outcome.failure);
        if (result == Result::ChangedMeanwhile) {
            // Nothing written over their change; written regardless, over the place as now read.
            QCOMPARE(SmallDirectory::Snapshot(), before);
            QVERIFY(!memory.Last(41));
            outcome = UpdatePlace(outcome.now, renamed41(), category, categoryName, memory, DbConn());
            QCOMPARE(outcome.result, Result::Stored);
        }
        if (outcome.result != Result::Stored) {
            QCOMPARE(SmallDirectory::Snapshot(), before);
            QVERIFY(!memory.Last(41));
            return;
        }
        QCOMPARE(storedPlace(41),
                 (QList<QStringList>{{QStringLiteral("Cafe Nile Renamed"), QStringLiteral("5 main st"),
                                      QStringLiteral("02 41"), QStringLiteral("tea"), QStringLiteral("<null>"),
                                      QStringLiteral("12"), QStringLiteral("1"), QString::number(category)}}));
        // Remembered as the list would show it now, under the category chosen.
        const std::optional<StoredPlace> remembered = memory.Last(41);
        QVERIFY(remembered);
        QCOMPARE(remembered->name, QStringLiteral("Cafe Nile Renamed"));
        QCOMPARE(remembered->address, QStringLiteral("5 main st"));
        QCOMPARE(remembered->filedUnder, categoryName);
    }

    // The place held before it is read again, its links first as a delete takes them; then the
    // two writes and the read of what was stored, all in one transaction.
    void updateStatementOrder()
    {
        StatementTrace trace;
        if (!trace.active())
            QSKIP("only SQLite's statement trace shows the statements sent");
        const StoredPlace shown = ReadListedPlace(41, QStringLiteral("Cafes"), DbConn()).value();
        trace.clear();
        StoredPlaces memory;
        QCOMPARE(UpdatePlace(shown, renamed41(), 7, QStringLiteral("Cafes"), memory, DbConn()).result, Result::Stored);
        QCOMPARE(trace.statements(), (QStringList{
                                         QStringLiteral("BEGIN IMMEDIATE"),
                                         QStringLiteral("Select LEAF_ID from PLACES_BRANCH_LEAVES where LEAF_ID = 41"),
                                         QStringLiteral("Select LEAF_ID from PLACES_LEAVES where LEAF_ID = 41"),
                                         QStringLiteral("Select Branch_ID from Places_Root where Branch_ID = 7"),
                                         QStringLiteral("Select BRANCH_NAME from PLACES_ROOT where BRANCH_ID = 7"),
                                         DbConn().sent(ListedPlaceQuery(41)),
                                         UpdatePlaceStatement(41, renamed41()),
                                         UpdatePlaceLinkStatement(7, 41),
                                         DbConn().sent(ListedPlaceQuery(41)),
                                         QStringLiteral("COMMIT"),
                                     }));
    }

    void add_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<qint32>("category");
        QTest::addColumn<qint64>("least");
        QTest::addColumn<NewRowRefusal>("refusal");
        QTest::addColumn<qint64>("id");
        const QString nile = QStringLiteral("Nile View");
        const QString river = QStringLiteral("7 River Rd");
        QTest::newRow("after the largest")
            << QStringList() << nile << river << 7 << qint64(0) << NewRowRefusal::None << qint64(42);
        // An identifier a rolled-back attempt used is not chosen again.
        QTest::newRow("never below the least")
            << QStringList() << nile << river << 0 << qint64(50) << NewRowRefusal::None << qint64(50);
        QTest::newRow("empty directory") << QStringList{QStringLiteral("delete from places_branch_leaves"),
                                                        QStringLiteral("delete from places_leaves")}
                                         << nile << river << 7 << qint64(0) << NewRowRefusal::None << qint64(1);
        // The stored CAFE NILE at 5 main st, whatever the case and the blanks around.
        QTest::newRow("repeated") << QStringList() << QStringLiteral(" Cafe Nile ") << QStringLiteral("5 Main St ") << 7
                                  << qint64(0) << NewRowRefusal::Repeated << qint64(0);
        QTest::newRow("same name, blank address")
            << QStringList() << QStringLiteral("Cafe Nile") << QStringLiteral("  ") << 7 << qint64(0)
            << NewRowRefusal::None << qint64(42);
        QTest::newRow("repeated with quotes")
            << QStringList{QStringLiteral("insert into places_leaves values (42, 'JOE''S DINER', '', "
                                          "'1 o''neil st', 12, 3, '', NULL)")}
            << QStringLiteral("Joe's Diner") << QStringLiteral("1 O'Neil St") << 7 << qint64(0)
            << NewRowRefusal::Repeated << qint64(0);
        QTest::newRow("category deleted") << QStringList{QStringLiteral("delete from places_root where branch_id = 9")}
                                          << nile << river << 9 << qint64(0) << NewRowRefusal::ParentGone << qint64(0);
        QTest::newRow("category replaced")
            << QStringList{QStringLiteral("delete from places_root where branch_id = 9"),
                           QStringLiteral("insert into places_root values (9, 'Newcomer', 0, 'N', 1)")}
            << nile << river << 9 << qint64(0) << NewRowRefusal::ParentGone << qint64(0);
        QTest::newRow("identifier too large")
            << QStringList{QStringLiteral("delete from places_branch_leaves"),
                           QStringLiteral("update places_leaves set leaf_id = 32767")}
            << nile << river << 7 << qint64(0) << NewRowRefusal::IdentifierTooLarge << qint64(32768);
    }

    void add()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(qint32, category);
        QFETCH(qint64, least);
        QFETCH(NewRowRefusal, refusal);
        QFETCH(qint64, id);
        const QString chosen = categoryName(category);
        TestDatabase::Exec(setup);
        const auto before = SmallDirectory::Snapshot();
        const PlaceValues place = newPlace(name, address);
        const NewRowOutcome outcome = AddPlace(place, category, chosen, least, DbConn());
        QVERIFY(!outcome.failure);
        QCOMPARE(outcome.refusal, refusal);
        QCOMPARE(outcome.stored(), refusal == NewRowRefusal::None);
        if (!outcome.stored()) {
            QCOMPARE(outcome.sent, false);
            if (refusal == NewRowRefusal::IdentifierTooLarge)
                QCOMPARE(outcome.id, id);
            QCOMPARE(SmallDirectory::Snapshot(), before);
            return;
        }
        QCOMPARE(outcome.id, id);
        // Quotes stored as typed; the name and address without the blanks around, the link after
        // a blank, as the directory's rows hold it.
        QCOMPARE(storedPlace(id), (QList<QStringList>{{name.trimmed(), address.trimmed(), place.telephone, place.more,
                                                       QStringLiteral(" ") + place.url, QStringLiteral("12"),
                                                       QStringLiteral("3"), QString::number(category)}}));
    }

    // Each write refused at each of its statements in turn: nothing of it is stored, and once the
    // database takes it again the same write stores all of it. SQLite also ends its transaction at
    // some failures; a statement sent after that would stand alone.
    void neverHalfStored_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("how");
        const QList<std::pair<const char *, QStringList>> writes = {
            {"add place", {"insert places_leaves", "insert places_branch_leaves"}},
            {"update place", {"update places_leaves", "update places_branch_leaves"}},
            {"delete place", {"delete places_branch_leaves", "delete places_leaves"}},
        };
        QStringList faults = {QStringLiteral("refused")};
        if (!TestDatabase::IsPostgreSQL())
            faults.append(QStringLiteral("rolled back"));
        for (const auto &[write, statements] : writes) {
            for (qsizetype i = 0; i < statements.size(); ++i) {
                const QStringList words = statements.at(i).split(QLatin1Char(' '));
                QStringList kinds = faults;
                // A row of long texts needs pages the full file does not have.
                if (i == 0 && !TestDatabase::IsPostgreSQL() && words.at(1) == QLatin1StringView("places_leaves"))
                    kinds.append(QStringLiteral("disk full"));
                for (const QString &fault : kinds)
                    QTest::addRow("%s, statement %d, %s", write, int(i + 1), qPrintable(fault))
                        << QString::fromLatin1(write) << words.at(0) << words.at(1) << fault;
            }
        }
    }

    void neverHalfStored()
    {
        QFETCH(QString, write);
        QFETCH(QString, statement);
        QFETCH(QString, table);
        QFETCH(QString, how);
        const QString longText(240, QLatin1Char('x'));
        const auto perform = [&]() -> std::optional<DbError> {
            PlaceValues place = renamed41();
            place.more = longText;
            place.address = QString(400, QLatin1Char('y')); // as much as the address box takes
            if (write == QLatin1StringView("add place"))
                return AddPlace(place, 7, QStringLiteral("Cafes"), 0, DbConn()).failure;
            if (write == QLatin1StringView("update place")) {
                StoredPlaces memory;
                const StoredPlace shown = ReadListedPlace(41, QStringLiteral("Cafes"), DbConn()).value();
                return UpdatePlace(shown, place, 4, QStringLiteral("Food"), memory, DbConn()).failure;
            }
            return RunAsOneWrite(DeletePlaceStatements(41));
        };
        const auto before = SmallDirectory::Snapshot();
        if (how == QLatin1StringView("disk full"))
            TestDatabase::FillSqliteFile(true);
        else
            TestDatabase::Refuse(statement, table,
                                 how == QLatin1StringView("refused") ? TestDatabase::Refusal::Statement
                                                                     : TestDatabase::Refusal::EndingTransaction);
        QVERIFY(perform());
        QCOMPARE(SmallDirectory::Snapshot(), before);

        if (how == QLatin1StringView("disk full"))
            TestDatabase::FillSqliteFile(false);
        else
            TestDatabase::Allow(statement, table);
        const std::optional<DbError> failure = perform();
        QVERIFY2(!failure, failure ? qPrintable(failure->driverText()) : "");
        QVERIFY(SmallDirectory::Snapshot() != before);
    }
};

TARNWICK_TEST_MAIN(TestPlaceWrites)
#include "tst_place_writes.moc"
