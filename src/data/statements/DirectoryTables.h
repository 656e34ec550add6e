#pragma once

#include "data/statements/Dialect.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Processing {

// The five tables of a directory as a whole, for moving it between databases.
struct DirectoryTable
{
    QString name;
    QStringList columns;           // every column, in the schema's order
    QList<bool> integers;          // per column: integer (true) or text
    QString rows;                  // what its rows are, for messages: "places", "cities" ...
    const char *counted = nullptr; // its rows counted, "%n cities": a numerus text of the "Transfer" context
};

// In the order a copy fills them, so that what a row names is there before it: cities,
// categories, districts, places, the links between places and categories.
const QList<DirectoryTable> &DirectoryTables();
// The table of places, whose rows a copy counts as its progress.
const DirectoryTable &PlacesTable();

QString SelectRowsStatement(const DirectoryTable &table);
QString CountRowsStatement(const DirectoryTable &table);
QString DeleteRowsStatement(const DirectoryTable &table);
// With a "?" for each column.
QString InsertRowStatement(const DirectoryTable &table);

// Sent first in a transaction that only reads, so that all it reads is of one moment even while
// others write; empty where the transaction is that already (SQLite's, from its first read on).
QString ConsistentReadStatement(Dialect dialect);

// The script that makes the tables on a database of this dialect.
QString TablesScript(Dialect dialect);
QString RoleScript(Dialect dialect);

} // namespace Processing
