#include "data/connection/Connection.h"
#include "data/statements/Queries.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QTest>

using namespace Processing;

// The two shared queries: their texts to the letter, and what they return on a directory
// whose answer is known.
class TestQueries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void subCategoryTexts()
    {
        QCOMPARE(GetSubCatQuery(0),
                 QStringLiteral(" select *  from places_root  where (    places_root.PARENT_ID =  0     or "
                                "places_root.PARENT_ID = any (             select  pl2.BRANCH_ID          from  "
                                "places_root  pl2           where   pl2.PARENT_ID= 0                          )     "
                                "          )         and  places_root.branch_id<>0"));
        QCOMPARE(GetSubCatQuery(12),
                 QStringLiteral(" select *  from places_root  where (    places_root.PARENT_ID = any (             "
                                "select  pl2.BRANCH_ID          from  places_root  pl2           where   "
                                "pl2.PARENT_ID= 12                          )               )         and  "
                                "places_root.branch_id<>0"));
    }

    void placesTexts()
    {
        const QString all = GetPlacesQuery(-1);
        QVERIFY(all.startsWith(QStringLiteral(" SELECT places_leaves.leaf_id, places_leaves.leaf_name Name , "
                                              "cm_city.ename City, places_leaves.WEB_LINK URL ,        "
                                              "places_district.district_name District , Places_Root.branch_id, "
                                              "places_leaves.address Address ,        places_leaves.TELEPHONE , "
                                              "places_leaves.more_data  More ,Places_Root.Branch_Name   Category "
                                              "   FROM places_district, places_branch_leaves, places_leaves, "
                                              "cm_city,Places_Root   WHERE     (places_district.district_id = "
                                              "places_leaves.district)         AND (places_leaves.leaf_id = "
                                              "places_branch_leaves.leaf_id)         AND (cm_city.code = "
                                              "places_district.city_id)         AND (cm_city.code = "
                                              "places_leaves.city)")));
        QVERIFY(all.endsWith(QStringLiteral("         AND (Places_Root.Branch_ID =  places_branch_leaves.branch_id)")));
        QCOMPARE(GetPlacesQuery(0), all + QStringLiteral("         AND (places_branch_leaves.branch_id = any (0) ) "));
        QCOMPARE(GetPlacesQuery(-7),
                 all + QStringLiteral("         AND (places_branch_leaves.branch_id = any (-7) ) "));
    }

    void placesListTexts()
    {
        // The search condition follows " AND " as the dialog built it, blanks and all; none is
        // appended when no search is in force.
        const QString one = GetPlacesQuery(3);
        QCOMPARE(PlacesListQuery(3, QString()), one);
        QCOMPARE(PlacesListQuery(3, QStringLiteral(" ( places_leaves.city = 1 ) ")),
                 one + QStringLiteral(" AND  ( places_leaves.city = 1 ) "));
        QCOMPARE(PlacesListQuery(-1, QStringLiteral(" 1 = 1")), GetPlacesQuery(-1) + QStringLiteral(" AND  1 = 1"));
    }

    void init()
    {
        // Root; 1 and 2 below it; 3 below 1; 4 below 3 (a third level); a place under each of
        // root, 1 and 3, one place failing its district join, one with a NULL link, and one
        // linked to a category that does not exist.
        TestDatabase::Reset({QStringLiteral("root.sql")});
        TestDatabase::Exec(QStringList{
            QStringLiteral("insert into cm_city (CODE, ENAME) values (1, 'Cairo')"),
            QStringLiteral("insert into cm_city (CODE, ENAME) values (2, 'Giza')"),
            QStringLiteral("insert into places_district values (1, 'Zamalek', 1)"),
            QStringLiteral("insert into places_district values (2, 'Dokki', 2)"),
            QStringLiteral("insert into places_root values (1, 'Food', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (2, 'Health', 0, 'N', 1)"),
            QStringLiteral("insert into places_root values (3, 'Cafes', 1, 'N', 1)"),
            QStringLiteral("insert into places_root values (4, 'Tea Rooms', 3, 'N', 1)"),
            QStringLiteral("insert into places_leaves values (1, 'Tourist Office', '02 1', 'Tahrir Sq', 1, 1, 'x', "
                           "' http://example.com/info')"),
            QStringLiteral("insert into places_leaves values (2, 'Food Court', '02 2', 'Mall', 1, 1, 'y', NULL)"),
            QStringLiteral("insert into places_leaves values (3, 'Cafe Nile', '02 3', 'Corniche', 1, 1, 'z', ' ')"),
            QStringLiteral("insert into places_leaves values (4, 'Wrong City', '02 4', 'Dokki St', 1, 2, 'w', NULL)"),
            QStringLiteral("insert into places_leaves values (5, 'Lost Place', '02 5', 'Nowhere', 1, 1, 'v', NULL)"),
            QStringLiteral("insert into places_branch_leaves values (0, 1)"),
            QStringLiteral("insert into places_branch_leaves values (1, 2)"),
            QStringLiteral("insert into places_branch_leaves values (3, 3)"),
            QStringLiteral("insert into places_branch_leaves values (3, 4)"),
            QStringLiteral("insert into places_branch_leaves values (99, 5)"),
        });
    }

    void subCategoriesOnTheDatabase()
    {
        QCOMPARE(ids(GetSubCatQuery(0), QStringLiteral("BRANCH_ID")), (QList<int>{1, 2, 3}));
        QCOMPARE(ids(GetSubCatQuery(1), QStringLiteral("branch_id")), (QList<int>{4}));
        QCOMPARE(ids(GetSubCatQuery(2), QStringLiteral("Branch_Id")), (QList<int>{}));
    }

    void placesOnTheDatabase()
    {
        QCOMPARE(ids(GetPlacesQuery(-1), QStringLiteral("Leaf_ID")), (QList<int>{1, 2, 3}));
        QCOMPARE(ids(GetPlacesQuery(0), QStringLiteral("Leaf_ID")), (QList<int>{1}));
        QCOMPARE(ids(GetPlacesQuery(3), QStringLiteral("Leaf_ID")), (QList<int>{3}));
        QCOMPARE(ids(GetPlacesQuery(2), QStringLiteral("Leaf_ID")), (QList<int>{}));
        QCOMPARE(ids(GetPlacesQuery(-5), QStringLiteral("Leaf_ID")), (QList<int>{}));

        const Recordset rs = DbConn().openRecordset(GetPlacesQuery(1));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("NAME"))), QStringLiteral("Food Court"));
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("City"))), QStringLiteral("Cairo"));
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("District"))), QStringLiteral("Zamalek"));
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("Category"))), QStringLiteral("Food"));
        // Crosswise columns: field Address holds the telephone, field Telephone the address.
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("Address"))), QStringLiteral("02 2"));
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("Telephone"))), QStringLiteral("Mall"));
        QVERIFY(rs.isNull(0, rs.field(QStringLiteral("URL"))));
        QCOMPARE(rs.text(0, rs.field(QStringLiteral("URL"))), QString());

        const Recordset root = DbConn().openRecordset(GetPlacesQuery(0));
        QCOMPARE(root.text(0, root.field(QStringLiteral("Category"))), QStringLiteral("Main Categories"));
    }

private:
    static QList<int> ids(const QString &sql, const QString &column)
    {
        const Recordset rs = DbConn().openRecordset(sql);
        const int field = rs.field(column);
        QList<int> result;
        for (int row = 0; row < rs.RecordCount(); ++row)
            result.append(*rs.int32(row, field));
        std::sort(result.begin(), result.end());
        return result;
    }
};

TARNWICK_TEST_MAIN(TestQueries)
#include "tst_queries.moc"
