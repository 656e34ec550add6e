#pragma once

#include "transfer/RowChecksum.h"
#include "transfer/TransferDatabase.h"

#include <QList>
#include <QString>

#include <functional>

// How far a copy has come: done of total rows of a kind ("places", "links", "rows checked").
using CopyProgress = std::function<void(qint64 done, qint64 total, const QString &things)>;

struct CopiedTable
{
    const char *counted = nullptr; // "%n places", "%n cities" ..., for CountText()
    qint64 count = 0;
};

struct DirectoryCopyResult
{
    QList<CopiedTable> tables; // in the order they were copied
    RowChecksum checksum;      // of every row, the same on both sides
};

// Copies the whole directory of one database into another, identifiers kept: the source read in
// one read transaction, the target written in one transaction in which everything it held (its
// schema's root and cities included) is replaced, then read back and compared by row counts and
// checksums before the commit. A new SQLite file is made as the program makes its embedded
// database; a database without the tables, a target that holds a directory (unless replace) and
// the same database on both sides are refused. Anything that fails leaves the target as it was
// (a file made for it taken away again) and throws Processing::DbError saying what.
DirectoryCopyResult CopyDirectory(const TransferDatabase &from, const TransferDatabase &to, bool replace,
                                  const CopyProgress &progress = {});
