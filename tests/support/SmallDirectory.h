#pragma once

#include "support/TestDatabase.h"

#include <QList>
#include <QStringList>

// A small directory whose answers are known, for the tests of what the program stores.
namespace SmallDirectory {

// Root, categories 4 (Food, below the root) and 7 (Cafes, below 4); three cities, Giza (3) with
// three districts, Cairo (12) with two, Aswan (20) with none; and place 41, CAFE NILE at
// 5 main st in Cairo, Zamalek, filed under Cafes.
inline void MakeSmallDirectory()
{
    TestDatabase::Reset({QStringLiteral("root.sql")});
    TestDatabase::Exec(QStringList{
        QStringLiteral("insert into places_root values (4, 'Food', 0, 'N', 1)"),
        QStringLiteral("insert into places_root values (7, 'Cafes', 4, 'N', 1)"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (3, 'Giza')"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (12, 'Cairo')"),
        QStringLiteral("insert into cm_city (CODE, ENAME) values (20, 'Aswan')"),
        QStringLiteral("insert into places_district values (1, 'Zamalek', 12)"),
        QStringLiteral("insert into places_district values (2, 'Dokki', 3)"),
        QStringLiteral("insert into places_district values (3, 'Maadi', 12)"),
        QStringLiteral("insert into places_district values (4, 'Haram', 3)"),
        QStringLiteral("insert into places_district values (5, 'Agouza', 3)"),
        QStringLiteral("insert into places_leaves values (41, 'CAFE NILE', '02 41', '5 main st', 12, 1, 'tea', NULL)"),
        QStringLiteral("insert into places_branch_leaves values (7, 41)"),
    });
}

// Every row of the five tables, to show that nothing else changed.
inline QList<QList<QStringList>> Snapshot()
{
    return {
        TestDatabase::Rows(QStringLiteral("select * from places_root order by branch_id")),
        TestDatabase::Rows(QStringLiteral("select * from places_leaves order by leaf_id")),
        TestDatabase::Rows(QStringLiteral("select * from places_branch_leaves order by leaf_id, branch_id")),
        TestDatabase::Rows(QStringLiteral("select * from places_district order by district_id")),
        TestDatabase::Rows(QStringLiteral("select * from cm_city order by code")),
    };
}

} // namespace SmallDirectory
