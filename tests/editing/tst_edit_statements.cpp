#include "editing/EditStatements.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Editing;

// The statements of the add and update windows, to the letter: the database receives exactly
// these texts, blanks included.
class TestEditStatements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void referenceData()
    {
        QCOMPARE(InsertCategoryStatement(7, QStringLiteral("  Tea Rooms"), 0),
                 QStringLiteral(" Insert into Places_Root values ( 7 , '  Tea Rooms' , 0 , 'N',1 )"));
        QCOMPARE(InsertDistrictStatement(13, QStringLiteral("Dokki "), 12),
                 QStringLiteral(" Insert into PLACES_DISTRICT  values ( 13 , 'Dokki ' , 12 )"));
        QCOMPARE(CityFilter(12), QStringLiteral("city_id = 12"));
        QCOMPARE(NewLeafIdQuery(), QStringLiteral("Select Max(Leaf_ID) LCount from PLACES_LEAVES "));
    }

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
        // Name and URL trimmed, the rest as typed; the telephone box goes to ADDRESS, the
        // address box to TELEPHONE.
        QCOMPARE(InsertPlaceStatement(42, place),
                 QStringLiteral("  INSERT INTO PLACES_LEAVES ( LEAF_ID, LEAF_NAME,  ADDRESS, TELEPHONE,CITY, DISTRICT, "
                                "MORE_DATA , WEB_LINK ) VALUES ( 42 , 'Cafe Nile', ' 02 555 ' , ' 5 Main St ', 3 , 11 "
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

TARNWICK_TEST_MAIN(TestEditStatements)
#include "tst_edit_statements.moc"
