#include "transfer/DirectoryCopy.h"

#include "data/DbError.h"
#include "data/connection/DriverErrors.h"
#include "data/connection/SqliteTransaction.h"
#include "data/rows/DirectoryCounts.h"
#include "data/statements/DirectoryTables.h"
#include "transfer/CountText.h"
#include "transfer/RowStreams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

using Processing::DbError;
using Processing::DirectoryTable;

namespace {

const QString SourceConnection = QStringLiteral("transfer-source");
const QString TargetConnection = QStringLiteral("transfer-target");

// Progress is told every so many rows.
constexpr qint64 ProgressRows = 1024;

// A refusal found inside the transactions: told as it stands, not as a failure of the copy.
struct Refusal
{
    QString text;
};

QString canonicalFile(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

bool sameDatabase(const TransferDatabase &a, const TransferDatabase &b)
{
    const Processing::DatabaseDescriptor &x = a.descriptor;
    const Processing::DatabaseDescriptor &y = b.descriptor;
    if (x.kind != y.kind)
        return false;
    if (x.kind == Processing::DatabaseDescriptor::Kind::SQLite)
        return canonicalFile(x.path) == canonicalFile(y.path);
    return x.displayName() == y.displayName() && x.name == y.name && x.options == y.options;
}

void execute(const QSqlDatabase &db, const QString &sql, const QString &what)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        throw Processing::QueryError(what, db, query);
}

qint64 countRows(const QSqlDatabase &db, const DirectoryTable &table)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(Processing::CountRowsStatement(table)) || !query.next())
        throw Processing::QueryError(
            QCoreApplication::translate("Transfer", "The %1 could not be counted.").arg(table.rows), db, query);
    return query.value(0).toLongLong();
}

// The source's transaction: it only reads, and all it reads is of one moment.
void beginReading(const TransferConnection &source)
{
    QSqlDatabase db = source.database();
    const QString what = QCoreApplication::translate("Transfer", "The source could not begin its read transaction.");
    if (!db.transaction())
        throw Processing::ConnectionError(what, db);
    if (const QString consistent = Processing::ConsistentReadStatement(source.dialect()); !consistent.isEmpty())
        execute(db, consistent, what);
}

void beginWriting(const TransferConnection &target)
{
    QSqlDatabase db = target.database();
    const QString what = QCoreApplication::translate("Transfer", "The target could not begin its transaction.");
    if (!Processing::SqliteBegin(db, target.dialect(), what) && !db.transaction())
        throw Processing::ConnectionError(what, db);
}

void commitWriting(const TransferConnection &target)
{
    QSqlDatabase db = target.database();
    const QString what = QCoreApplication::translate("Transfer", "The copy could not be committed.");
    if (!Processing::SqliteCommit(db, target.dialect(), what) && !db.commit())
        throw Processing::ConnectionError(what, db);
}

// After a failure: what is left of the transaction goes; a connection already lost has nothing left.
void rollBack(const TransferConnection &connection)
{
    QSqlDatabase db = connection.database();
    if (!db.isOpen() || Processing::SqliteTransactionOpen(db) == false)
        return;
    try {
        if (!Processing::SqliteRollback(db, connection.dialect(), QString()))
            db.rollback();
    } catch (const DbError &) {
        // Rolled back by the database itself, or the connection is gone: either way nothing stays.
    }
}

QString refusalWithoutTables(const TransferConnection &connection, const QStringList &missing, bool source)
{
    const QString &shown = connection.named().shown;
    const QString tables = missing.join(QStringLiteral(", "));
    if (source)
        return QCoreApplication::translate("Transfer",
                                           "The source %1 holds no directory: it has no table %2. Nothing was copied.")
            .arg(shown, tables);
    if (connection.named().descriptor.kind == Processing::DatabaseDescriptor::Kind::SQLite)
        return QCoreApplication::translate(
                   "Transfer", "The target %1 is an SQLite database without the tables of a directory (%2); name a "
                               "file that does not exist yet, and the copy makes it. Nothing was copied.")
            .arg(shown, tables);
    return QCoreApplication::translate(
               "Transfer", "The target %1 has no tables for a directory (%2). The program never makes or alters a "
                           "server's tables: its administrator makes them once with the installed script %3 (in %4), "
                           "and %5 for the role its users connect as. Nothing was copied.")
        .arg(shown, tables, Processing::TablesScript(connection.dialect()), QStringLiteral(TARNWICK_SCHEMA_DIR),
             Processing::RoleScript(connection.dialect()));
}

QString heldDirectory(const TransferDatabase &target, const Processing::DirectoryCounts &held)
{
    return QCoreApplication::translate("Transfer", "The target %1 holds a directory: %2, %3 and %4 besides the root. "
                                                   "Nothing was changed; give --replace to replace it with the copy.")
        .arg(target.shown, CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n places"), held.places),
             CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n districts"), held.districts),
             CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n categories"), held.categories));
}

// Copies one table's rows and returns their checksum.
RowChecksum copyTable(const TransferConnection &source, const TransferConnection &target, const DirectoryTable &table,
                      const CopyProgress &progress)
{
    const qint64 total = countRows(source.database(), table);
    if (progress)
        progress(0, total, table.rows);
    RowChecksum checksum;
    {
        const std::unique_ptr<RowReader> reader = ReadRows(source.database(), table);
        const std::unique_ptr<RowWriter> writer = WriteRows(target.database(), table);
        CopyRow row;
        while (reader->next(row)) {
            checksum.add(row);
            writer->write(row);
            if (progress && checksum.rows() % ProgressRows == 0)
                progress(checksum.rows(), total, table.rows);
        }
        writer->finish();
    }
    if (progress)
        progress(checksum.rows(), total, table.rows);
    // Counted and read in the same read transaction: they differ only if it was not one moment.
    if (checksum.rows() != total)
        throw DbError(QCoreApplication::translate("Transfer", "The source gave %1 %2 where it had counted %3.")
                          .arg(checksum.rows())
                          .arg(table.rows)
                          .arg(total));
    return checksum;
}

// Reads the target's rows back in its own transaction and compares them with what was sent.
void check(const TransferConnection &target, const QList<RowChecksum> &sent, const CopyProgress &progress)
{
    const QList<DirectoryTable> &tables = Processing::DirectoryTables();
    qint64 total = 0;
    for (const RowChecksum &table : sent)
        total += table.rows();
    qint64 done = 0;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        RowChecksum stored;
        const std::unique_ptr<RowReader> reader = ReadRows(target.database(), tables.at(t));
        CopyRow row;
        while (reader->next(row)) {
            stored.add(row);
            if (progress && ++done % ProgressRows == 0)
                progress(done, total, QCoreApplication::translate("Transfer", "rows checked"));
        }
        if (!(stored == sent.at(t)))
            throw DbError(QCoreApplication::translate(
                              "Transfer", "The copy did not come out as the source: the source's %1 were %2 rows "
                                          "(checksum %3), the target holds %4 (checksum %5).")
                              .arg(tables.at(t).rows)
                              .arg(sent.at(t).rows())
                              .arg(sent.at(t).text())
                              .arg(stored.rows())
                              .arg(stored.text()));
    }
    if (progress)
        progress(total, total, QCoreApplication::translate("Transfer", "rows checked"));
}

} // namespace

DirectoryCopyResult CopyDirectory(const TransferDatabase &from, const TransferDatabase &to, bool replace,
                                  const CopyProgress &progress)
{
    if (sameDatabase(from, to))
        throw DbError(QCoreApplication::translate(
                          "Transfer", "The source and the target are the same database, %1. Nothing was copied.")
                          .arg(to.shown));
    TransferConnection source(from, SourceConnection, Creation::MustExist);
    if (const QStringList missing = Processing::MissingDirectoryTables(source.database()); !missing.isEmpty())
        throw DbError(refusalWithoutTables(source, missing, true));
    TransferConnection target(to, TargetConnection, Creation::MakeEmbedded);
    if (const QStringList missing = Processing::MissingDirectoryTables(target.database()); !missing.isEmpty())
        throw DbError(refusalWithoutTables(target, missing, false));

    const QList<DirectoryTable> &tables = Processing::DirectoryTables();
    DirectoryCopyResult result;
    try {
        beginReading(source);
        beginWriting(target);
        const Processing::DirectoryCounts held = Processing::CountDirectory(target.database());
        if (held.holdsDirectory() && !replace)
            throw Refusal{heldDirectory(to, held)};
        // What names a row goes after the row; the root and the cities the schema put there too.
        for (qsizetype t = tables.size() - 1; t >= 0; --t)
            execute(target.database(), Processing::DeleteRowsStatement(tables.at(t)),
                    QCoreApplication::translate("Transfer", "The target's %1 could not be replaced.")
                        .arg(tables.at(t).rows));
        QList<RowChecksum> sent;
        for (qsizetype t = 0; t < tables.size(); ++t) {
            sent.append(copyTable(source, target, tables.at(t), progress));
            result.tables.append({tables.at(t).counted, sent.last().rows()});
            result.checksum.combine(sent.last(), int(t));
        }
        check(target, sent, progress);
        commitWriting(target);
        rollBack(source);
    } catch (const Refusal &refusal) {
        rollBack(target);
        rollBack(source);
        throw DbError(refusal.text);
    } catch (const DbError &failure) {
        rollBack(target);
        rollBack(source);
        const bool made = target.madeFile();
        target.discardMadeFile();
        throw DbError(
            QCoreApplication::translate("Transfer", "The copy from %1 to %2 failed; nothing of it was stored%3.")
                .arg(from.shown, to.shown,
                     made ? QCoreApplication::translate("Transfer", ", and the file made for it was taken away again")
                          : QCoreApplication::translate("Transfer", ", and the target is as it was")),
            failure.message(), failure.sqlState(), failure.nativeCode());
    }
    return result;
}
