#include "data/statements/DeleteStatements.h"
#include "data/statements/PlaceStatements.h"
#include "data/statements/ReferenceListStatements.h"
#include "data/statements/SqlText.h"
#include "data/writes/NewIdentifiers.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;

// The statements and queries the windows send, to the letter: the database receives exactly
// these texts, blanks included.
class TestStatements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &built, const QString &expected) {
            QTest::newRow(name) << built << expected;
        };
        row("categories", CategoriesQuery(),
            QStringLiteral("Select * from Places_Root where places_root.branch_id <> 0 "));
        row("cities", CitiesQuery(), QStringLiteral("Select * from cm_city "));
        row("districts", DistrictsQuery(), QStringLiteral("Select * from Places_District "));
        row("insert category", InsertCategoryStatement(7, QStringLiteral("  Tea Rooms"), 0),
            QStringLiteral(" Insert into Places_Root values ( 7 , '  Tea Rooms' , 0 , 'N',1 )"));
        row("insert district", InsertDistrictStatement(13, QStringLiteral("Dokki "), 12),
            QStringLiteral(" Insert into PLACES_DISTRICT  values ( 13 , 'Dokki ' , 12 )"));
        row("identifier in use", IdentifierInUseQuery(QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"), 9),
            QStringLiteral("Select Branch_ID from Places_Root where Branch_ID = 9"));
        row("largest identifier",
            LargestIdentifierQuery(QStringLiteral("PLACES_DISTRICT"), QStringLiteral("DISTRICT_ID")),
            QStringLiteral("Select Max(DISTRICT_ID) MaxID from PLACES_DISTRICT"));
        row("new place identifier", NewLeafIdQuery(), QStringLiteral("Select Max(Leaf_ID) LCount from PLACES_LEAVES "));
        row("delete place links", DeletePlaceStatements(7).value(0),
            QStringLiteral("Delete from Places_Branch_Leaves where Leaf_ID =7"));
        row("delete place", DeletePlaceStatements(7).value(1),
            QStringLiteral("Delete from Places_Leaves where Leaf_ID =7"));
        row("delete category", DeleteCategoryStatement(7),
            QStringLiteral("Delete from Places_root where Branch_ID = 7"));
        row("sub-categories", SubCategoryCountQuery(7),
            QStringLiteral("select count(*) from places_root where PARENT_ID = 7 and BRANCH_ID <> 7"));
        row("places of a category", CategoryPlaceCountQuery(7),
            QStringLiteral("select count(*) from places_branch_leaves, places_leaves where "
                           "places_branch_leaves.LEAF_ID = places_leaves.LEAF_ID and "
                           "places_branch_leaves.BRANCH_ID = 7"));
    }

    void texts()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }

    void deletingAPlaceTakesTwoStatements() { QCOMPARE(DeletePlaceStatements(7).size(), 2); }

    void addingAPlace()
    {
        PlaceValues place;
        place.name = QStringLiteral("  Cafe Nile ");
        place.address = QStringLiteral(" 5 Main St ");
        place.telephone = QStringLiteral(" 02 555 ");
        place.more = QStringLiteral(" open late ");
        place.url = QStringLiteral("  http://example.com  ");
        place.city = 3;
        place.district = 11;
        // Name, address and URL trimmed (name and address as the check for a repeat compares
        // them), the rest as typed; the telephone box goes to ADDRESS, the address box to TELEPHONE.
        QCOMPARE(InsertPlaceStatement(42, place),
                 QStringLiteral("  INSERT INTO PLACES_LEAVES ( LEAF_ID, LEAF_NAME,  ADDRESS, TELEPHONE,CITY, DISTRICT, "
                                "MORE_DATA , WEB_LINK ) VALUES ( 42 , 'Cafe Nile', ' 02 555 ' , '5 Main St', 3 , 11 "
                                ", ' open late ',' http://example.com' ) "));
        QCOMPARE(InsertPlaceLinkStatement(4, 42),
                 QStringLiteral(" INSERT INTO PLACES_BRANCH_LEAVES ( BRANCH_ID, LEAF_ID ) VALUES ( 4 , 42 )"));
        QCOMPARE(DuplicatePlaceQuery(place.name, place.address),
                 QStringLiteral("Select * from places_leaves where upper(Leaf_Name) = upper('Cafe Nile')      AND "
                                "upper(Telephone) =upper('5 Main St')"));
        // Only blanks are trimmed: tabs and line breaks are typed text and stay.
        QCOMPARE(TrimBlanks(QStringLiteral(" \t a b \n ")), QStringLiteral("\t a b \n"));
        QCOMPARE(TrimBlanks(QStringLiteral("   ")), QString());
        // An empty URL gives a single blank; an address of blanks compares against empty text.
        place.url.clear();
        QVERIFY(InsertPlaceStatement(43, place).endsWith(QStringLiteral(", ' open late ',' ' ) ")));
        QVERIFY(DuplicatePlaceQuery(place.name, QStringLiteral("  "))
                    .endsWith(QStringLiteral("     AND upper(Telephone) =upper('')")));
    }

    void updatingAPlace()
    {
        PlaceValues place;
        place.name = QStringLiteral("  Cafe  ");
        place.address = QStringLiteral(" 5 Main St ");
        place.telephone = QStringLiteral(" 02 555 ");
        place.more = QStringLiteral(" late ");
        place.url = QStringLiteral("   ");
        place.city = 3;
        place.district = 11;
        QCOMPARE(UpdatePlaceStatement(42, place),
                 QStringLiteral("   Update PLACES_LEAVES    set LEAF_NAME='Cafe' ,   TELEPHONE='5 Main St' ,  "
                                "ADDRESS='02 555' ,    WEB_LINK = null  ,  CITY= 3   ,  DISTRICT= 11   ,  MORE_DATA   "
                                "=  'late' WHERE  LEAF_ID = 42"));
        place.url = QStringLiteral(" http://example.com ");
        QCOMPARE(UpdatePlaceStatement(42, place),
                 QStringLiteral("   Update PLACES_LEAVES    set LEAF_NAME='Cafe' ,   TELEPHONE='5 Main St' ,  "
                                "ADDRESS='02 555' ,    WEB_LINK ='http://example.com' ,  CITY= 3   ,  DISTRICT= 11   "
                                ",  MORE_DATA   =  'late' WHERE  LEAF_ID = 42"));
        QCOMPARE(UpdatePlaceLinkStatement(0, 42),
                 QStringLiteral("   Update PLACES_BRANCH_LEAVES     set BRANCH_ID=0 WHERE  LEAF_ID = 42"));
    }
};

TARNWICK_TEST_MAIN(TestStatements)
#include "tst_statements.moc"
