#include "data/setup/EmbeddedDatabase.h"

#include "data/DbError.h"
#include "data/safety/FileAccess.h"
#include "data/setup/SqlScript.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Processing {

namespace {

const QString CreationConnection = QStringLiteral("tarnwick-create");

// Another start making the same file holds it this long at most, also on a slow machine.
constexpr int CreationBusyTimeoutMs = 30000;

void exec(QSqlDatabase &db, const QString &statement, const QString &what)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        throw DbError(what, query.lastError().text());
}

// Whether the file needs its tables is learnt in the same exclusive transaction that makes them:
// two first starts at once would otherwise both see an empty file, and the second would fail on
// tables the first had just made. Reading the schema rolls back what a start cut off had begun.
void fill(QSqlDatabase &db, const QString &path, const QStringList &scripts)
{
    exec(db, QStringLiteral("BEGIN EXCLUSIVE"),
         QCoreApplication::translate("Processing", "The new database %1 could not be locked for making it.").arg(path));
    try {
        QSqlQuery objects(db);
        if (!objects.exec(QStringLiteral("select count(*) from sqlite_master")) || !objects.next())
            throw DbError(
                QCoreApplication::translate("Processing", "The database file %1 could not be read.").arg(path),
                objects.lastError().text());
        const bool empty = objects.value(0).toInt() == 0;
        objects = QSqlQuery();
        if (empty) {
            for (const QString &name : scripts) {
                for (const QString &statement : SqlStatements(SchemaScript(name)))
                    exec(db, statement,
                         QCoreApplication::translate("Processing", "The new database %1 could not be set up (%2).")
                             .arg(path, name));
            }
        }
        exec(db, QStringLiteral("COMMIT"),
             QCoreApplication::translate("Processing", "The new database %1 could not be saved.").arg(path));
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

} // namespace

QStringList EmbeddedDatabaseScripts(bool withSample)
{
    QStringList scripts{QStringLiteral("sqlite-schema.sql"), QStringLiteral("root.sql"), QStringLiteral("cities.sql")};
    if (withSample)
        scripts.append(QStringLiteral("sample.sql"));
    return scripts;
}

void MakeDatabaseFolder(const QString &path)
{
    // The user's data stays the user's, also on a shared machine and whatever the umask.
    QString why;
    if (const QString failed = MakeOwnerOnlyFolders(QFileInfo(path).absolutePath(), &why); !failed.isEmpty())
        throw DbError(QCoreApplication::translate("Processing", "The folder %1 for the database could not be made: %2.")
                          .arg(failed, why));
}

void EnsureEmbeddedDatabase(const QString &path, const QStringList &scripts)
{
    RefuseLinkedDatabase(path);
    bool made = false;
    if (!QFileInfo::exists(path)) {
        MakeDatabaseFolder(path);
        // Made where it belongs, never through a link someone planted at its name, and never
        // renamed into place (a rename that cannot replace falls back to a copy through the link).
        const QString why = CreateOwnerOnlyFile(path);
        made = why.isEmpty();
        // Something there now was put there meanwhile: another start's file is used as it is.
        RefuseLinkedDatabase(path);
        if (!made && !QFileInfo::exists(path))
            throw DbError(
                QCoreApplication::translate("Processing", "The database file %1 could not be made.").arg(path), why);
    }
    if (!made) {
        if (const QString why = RegularFileProblem(path); !why.isEmpty())
            throw DbError(
                QCoreApplication::translate("Processing", "The database file %1 cannot be used: %2.").arg(path, why));
        // A database already; what else it may be, the connection tells.
        const qint64 size = QFileInfo(path).size();
        if (size > 0 && !QFileInfo::exists(path + QStringLiteral("-journal")))
            return;
        // An empty file someone else left at the path will hold the user's data: it becomes the
        // user's own, as a file this program makes. Done before SQLite opens it, since closing
        // any other handle on the file would drop SQLite's locks on it.
        if (const QString why = size == 0 ? NarrowToOwnerOnly(path) : QString(); !why.isEmpty())
            throw DbError(QCoreApplication::translate(
                              "Processing",
                              "The database file %1 cannot be used: it could not be made readable and writable "
                              "by its owner only: %2.")
                              .arg(path, why));
    }
    // A new file, or the empty one a start cut off while making it left behind (SQLite fills it
    // in one transaction, so it is either complete or empty again once its journal is rolled
    // back), or one another start is making now. The file is never taken away again: another
    // start may be using it already.
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), CreationConnection);
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(CreationBusyTimeoutMs));
            if (!db.open())
                throw DbError(
                    QCoreApplication::translate("Processing", "The database file %1 could not be opened.").arg(path),
                    db.lastError().text());
            fill(db, path, scripts);
            db.close();
        }
        QSqlDatabase::removeDatabase(CreationConnection);
    } catch (...) {
        if (QSqlDatabase::contains(CreationConnection)) {
            QSqlDatabase::database(CreationConnection, false).close();
            QSqlDatabase::removeDatabase(CreationConnection);
        }
        throw;
    }
}

QString ReadOnlyDatabaseReason(const QString &path)
{
    if (const QString why = WriteProblem(path); !why.isEmpty())
        return QCoreApplication::translate("Processing", "The file %1 cannot be written: %2.").arg(path, why);
    const QString folder = QFileInfo(path).absolutePath();
    if (const QString why = WriteProblem(folder); !why.isEmpty())
        return QCoreApplication::translate(
                   "Processing", "The folder %1 cannot be written: %2. SQLite keeps the journal of every change "
                                 "there, beside the file.")
            .arg(folder, why);
    return QString();
}

} // namespace Processing
