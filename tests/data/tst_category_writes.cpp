#include "data/connection/Connection.h"
#include "data/statements/ReferenceListStatements.h"
#include "data/writes/CategoryDelete.h"
#include "data/writes/NewRowWrite.h"
#include "data/writes/ReferenceDataWrites.h"
#include "support/SmallDirectory.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;
using Deleted = CategoryDeleteOutcome::Result;

Q_DECLARE_METATYPE(Processing::NewRowRefusal)
Q_DECLARE_METATYPE(Processing::CategoryDeleteOutcome::Result)

// Adding categories and districts, and deleting categories, by the operations the add dialog and
// the main window hand their values to.
class TestCategoryWrites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Category 9 has nothing under it; a link of category 10 names a place that is gone.
    void init()
    {
        SmallDirectory::MakeSmallDirectory();
        TestDatabase::Exec(QStringList{
            QStringLiteral("insert into places_root values (9, 'Closing Soon', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (10, 'Stale', 0, 'N', 1)"),
            QStringLiteral("insert into places_branch_leaves values (10, 99)"),
        });
    }

    // The identifier is the count the dialog's list made plus one, unless that one is taken.
    void add_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<qint32>("under");
        QTest::addColumn<qint64>("counted");
        QTest::addColumn<NewRowRefusal>("refusal");
        QTest::addColumn<qint64>("id");
        QTest::newRow("category, counted plus one")
            << QStringLiteral("category") << QStringList() << 7 << qint64(4) << NewRowRefusal::None << qint64(5);
        QTest::newRow("category, taken: above the largest")
            << QStringLiteral("category") << QStringList() << 7 << qint64(6) << NewRowRefusal::None << qint64(11);
        QTest::newRow("category, parent deleted")
            << QStringLiteral("category") << QStringList{QStringLiteral("delete from places_root where branch_id = 9")}
            << 9 << qint64(4) << NewRowRefusal::ParentGone << qint64(0);
        // Deleted, and its identifier taken by the next category added.
        QTest::newRow("category, parent replaced")
            << QStringLiteral("category")
            << QStringList{QStringLiteral("delete from places_root where branch_id = 9"),
                           QStringLiteral("insert into places_root values (9, 'Newcomer', 0, 'N', 1)")}
            << 9 << qint64(4) << NewRowRefusal::ParentGone << qint64(0);
        QTest::newRow("category, too large") << QStringLiteral("category") << QStringList() << 7 << qint64(32767)
                                             << NewRowRefusal::IdentifierTooLarge << qint64(32768);
        QTest::newRow("district, counted plus one")
            << QStringLiteral("district") << QStringList() << 3 << qint64(5) << NewRowRefusal::None << qint64(6);
        QTest::newRow("district, taken: above the largest")
            << QStringLiteral("district")
            << QStringList{QStringLiteral("insert into places_district values (40, 'Far', 3)")} << 3 << qint64(2)
            << NewRowRefusal::None << qint64(41);
        QTest::newRow("district, largest too large")
            << QStringLiteral("district")
            << QStringList{QStringLiteral("insert into places_district values (32767, 'Far', 3)")} << 3 << qint64(2)
            << NewRowRefusal::IdentifierTooLarge << qint64(32768);
    }

    void add()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, setup);
        QFETCH(qint32, under);
        QFETCH(qint64, counted);
        QFETCH(NewRowRefusal, refusal);
        QFETCH(qint64, id);
        const bool category = kind == QLatin1StringView("category");
        // The parent as the list showed it when the user chose it.
        const QString parentName =
            category ? TestDatabase::Scalar(
                           QStringLiteral("select branch_name from places_root where branch_id = %1").arg(under))
                           .toString()
                     : QString();
        TestDatabase::Exec(setup);
        const auto before = SmallDirectory::Snapshot();
        // Stored as typed, blanks and quotes included.
        const QString name = QStringLiteral(" Joe's ");
        const NewRowOutcome outcome = category ? AddCategory(name, under, parentName, counted, DbConn())
                                               : AddDistrict(name, under, counted, DbConn());
        QVERIFY(!outcome.failure);
        QCOMPARE(outcome.refusal, refusal);
        if (refusal != NewRowRefusal::None) {
            QCOMPARE(outcome.id, id);
            QCOMPARE(SmallDirectory::Snapshot(), before);
            return;
        }
        QCOMPARE(outcome.id, id);
        const QString stored = category ? QStringLiteral("select branch_name, parent_id from places_root where "
                                                         "branch_id = %1")
                                        : QStringLiteral("select district_name, city_id from places_district where "
                                                         "district_id = %1");
        QCOMPARE(TestDatabase::Rows(stored.arg(id)), (QList<QStringList>{{name, QString::number(under)}}));
    }

    // Retried only while others take the identifiers, and only so often.
    void newRowTriesAreBounded_data()
    {
        QTest::addColumn<int>("takenTries");
        QTest::addColumn<bool>("sameIdentifier");
        QTest::addColumn<int>("tries");
        QTest::addColumn<bool>("stored");
        QTest::newRow("free at once") << 0 << false << 1 << true;
        QTest::newRow("taken twice") << 2 << false << 3 << true;
        QTest::newRow("taken every time") << 99 << false << NewIdentifierTries << false;
        // District 5 exists from the start: the key is not one someone took meanwhile.
        QTest::newRow("the same identifier again") << 0 << true << 2 << false;
    }

    void newRowTriesAreBounded()
    {
        QFETCH(int, takenTries);
        QFETCH(bool, sameIdentifier);
        QFETCH(int, tries);
        QFETCH(bool, stored);
        int calls = 0;
        const NewRowOutcome outcome = WriteNewRow(
            [&] {
                ++calls;
                NewRowPlan plan;
                plan.id = sameIdentifier ? 5 : 100 + calls;
                // Taken inside the try's own transaction, so it goes with the try's rollback.
                if (calls <= takenTries)
                    DbConn().execute(InsertDistrictStatement(qint32(plan.id), QStringLiteral("Taken"), 3));
                plan.statements = {InsertDistrictStatement(qint32(plan.id), QStringLiteral("Mine"), 3)};
                return plan;
            },
            DbConn());
        QCOMPARE(calls, tries);
        QCOMPARE(outcome.stored(), stored);
        const QList<QStringList> mine =
            TestDatabase::Rows(QStringLiteral("select district_id from places_district where district_name = 'Mine'"));
        QCOMPARE(mine, stored ? QList<QStringList>{{QString::number(outcome.id)}} : QList<QStringList>());
        QCOMPARE(TestDatabase::Scalar(QStringLiteral("select count(*) from places_district where district_name = "
                                                     "'Taken'"))
                     .toInt(),
                 0);
        if (!stored) {
            // Either the database's own words, or that others kept taking them.
            QVERIFY(outcome.failure);
            QCOMPARE(outcome.failure->driverText().contains(QStringLiteral("Others stored a row")), !sameIdentifier);
        }
    }

    // What the database holds decides, whatever the tree or the list showed.
    void deleteCategory_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<qint32>("category");
        QTest::addColumn<Deleted>("result");
        QTest::addColumn<bool>("blockedBeforeAsking");
        QTest::newRow("empty") << QStringList() << 9 << Deleted::Deleted << false;
        QTest::newRow("a link to a place gone holds nothing back") << QStringList() << 10 << Deleted::Deleted << false;
        QTest::newRow("sub-category") << QStringList() << 4 << Deleted::HasSubCategories << true;
        QTest::newRow("place") << QStringList() << 7 << Deleted::HasPlaces << true;
        // Others filed something under it since it was checked before the question.
        QTest::newRow("sub-category added meanwhile")
            << QStringList{QStringLiteral("insert into places_root values (11, 'Late', 9, 'N', 1)")} << 9
            << Deleted::HasSubCategories << false;
        QTest::newRow("place filed meanwhile")
            << QStringList{QStringLiteral("insert into places_branch_leaves values (9, 41)")} << 9 << Deleted::HasPlaces
            << false;
        // Deleted meanwhile, and its identifier taken by the next category added.
        QTest::newRow("replaced meanwhile")
            << QStringList{QStringLiteral("delete from places_root where branch_id = 9"),
                           QStringLiteral("insert into places_root values (9, 'Newcomer', 0, 'N', 1)")}
            << 9 << Deleted::Renamed << false;
        QTest::newRow("gone meanwhile") << QStringList{QStringLiteral("delete from places_root where branch_id = 9")}
                                        << 9 << Deleted::Deleted << false;
    }

    void deleteCategory()
    {
        QFETCH(QStringList, setup);
        QFETCH(qint32, category);
        QFETCH(Deleted, result);
        QFETCH(bool, blockedBeforeAsking);
        QCOMPARE(HasSubCategories(category, DbConn()) || HasPlaces(category, DbConn()), blockedBeforeAsking);
        // The name the tree showed and the user confirmed.
        const QString shown =
            TestDatabase::Scalar(
                QStringLiteral("select branch_name from places_root where branch_id = %1").arg(category))
                .toString();
        TestDatabase::Exec(setup);
        const auto before = SmallDirectory::Snapshot();
        const CategoryDeleteOutcome outcome = DeleteCategory(category, shown, DbConn());
        QVERIFY(!outcome.failure);
        QCOMPARE(outcome.result, result);
        QCOMPARE(outcome.nowNamed, result == Deleted::Renamed ? QStringLiteral("Newcomer") : QString());
        const int left =
            TestDatabase::Scalar(QStringLiteral("select count(*) from places_root where branch_id = %1").arg(category))
                .toInt();
        QCOMPARE(left, result == Deleted::Deleted ? 0 : 1);
        if (result != Deleted::Deleted)
            QCOMPARE(SmallDirectory::Snapshot(), before);
    }

    // Each write refused at its statement: nothing of it is stored, and once the database takes
    // it again the same write stores it. SQLite also ends its transaction at some failures.
    void neverHalfStored_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("how");
        const QList<std::array<const char *, 3>> writes = {
            {"add category", "insert", "places_root"},
            {"add district", "insert", "places_district"},
            {"delete category", "delete", "places_root"},
        };
        QStringList faults = {QStringLiteral("refused")};
        if (!TestDatabase::IsPostgreSQL())
            faults.append(QStringLiteral("rolled back"));
        for (const auto &[write, statement, table] : writes) {
            for (const QString &fault : faults)
                QTest::addRow("%s, %s", write, qPrintable(fault))
                    << QString::fromLatin1(write) << QString::fromLatin1(statement) << QString::fromLatin1(table)
                    << fault;
        }
    }

    void neverHalfStored()
    {
        QFETCH(QString, write);
        QFETCH(QString, statement);
        QFETCH(QString, table);
        QFETCH(QString, how);
        const auto perform = [&write]() -> std::optional<DbError> {
            if (write == QLatin1StringView("add category"))
                return AddCategory(QStringLiteral("Juice Bars"), 4, QStringLiteral("Food"), 5, DbConn()).failure;
            if (write == QLatin1StringView("add district"))
                return AddDistrict(QStringLiteral("Mohandessin"), 3, 5, DbConn()).failure;
            return DeleteCategory(9, QStringLiteral("Closing Soon"), DbConn()).failure;
        };
        const auto before = SmallDirectory::Snapshot();
        TestDatabase::Refuse(statement, table,
                             how == QLatin1StringView("refused") ? TestDatabase::Refusal::Statement
                                                                 : TestDatabase::Refusal::EndingTransaction);
        QVERIFY(perform());
        QCOMPARE(SmallDirectory::Snapshot(), before);
        TestDatabase::Allow(statement, table);
        const std::optional<DbError> failure = perform();
        QVERIFY2(!failure, failure ? qPrintable(failure->driverText()) : "");
        QVERIFY(SmallDirectory::Snapshot() != before);
    }
};

TARNWICK_TEST_MAIN(TestCategoryWrites)
#include "tst_category_writes.moc"
