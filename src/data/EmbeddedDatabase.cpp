#include "data/EmbeddedDatabase.h"

#include "data/DbError.h"
#include "data/FileAccess.h"
#include "data/SqlScript.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Processing {

namespace {

const QString CreationConnection = QStringLiteral("tarnwick-create");

void runScripts(QSqlDatabase &db, const QStringList &scripts)
{
    if (!db.transaction())
        throw DbError(QCoreApplication::translate("Processing", "The new database could not start its transaction."),
                      db.lastError().text());
    for (const QString &name : scripts) {
        for (const QString &statement : SqlStatements(SchemaScript(name))) {
            QSqlQuery query(db);
            if (!query.exec(statement)) {
                const QString text = query.lastError().text();
                db.rollback();
                throw DbError(
                    QCoreApplication::translate("Processing", "The new database could not be set up (%1).").arg(name),
                    text);
            }
        }
    }
    if (!db.commit())
        throw DbError(QCoreApplication::translate("Processing", "The new database could not be saved."),
                      db.lastError().text());
}

} // namespace

QStringList EmbeddedDatabaseScripts(bool withSample)
{
    QStringList scripts{QStringLiteral("sqlite-schema.sql"), QStringLiteral("root.sql"), QStringLiteral("cities.sql")};
    if (withSample)
        scripts.append(QStringLiteral("sample.sql"));
    return scripts;
}

void EnsureEmbeddedDatabase(const QString &path, const QStringList &scripts)
{
    RefuseLinkedDatabase(path);
    const QFileInfo info(path);
    bool made = false;
    if (!info.exists()) {
        // The user's data stays the user's, also on a shared machine and whatever the umask.
        const QString folder = info.absolutePath();
        if (const QString failed = MakeOwnerOnlyFolders(folder); !failed.isEmpty())
            throw DbError(QCoreApplication::translate("Processing", "The folder %1 for the database could not be made.")
                              .arg(failed));
        // Made where it belongs, never through a link someone planted at its name, and never
        // renamed into place (a rename that cannot replace falls back to a copy through the link).
        if (const QString why = CreateOwnerOnlyFile(path); !why.isEmpty()) {
            RefuseLinkedDatabase(path);
            throw DbError(
                QCoreApplication::translate("Processing", "The database file %1 could not be made.").arg(path), why);
        }
        made = true;
    } else if (!info.isFile() || (info.size() > 0 && !QFileInfo::exists(path + QStringLiteral("-journal")))) {
        return; // a database already, or no file to fill: the connection tells which
    }
    // A new file, or the empty one a start cut off while making it left behind (SQLite fills it
    // in one transaction, so it is either complete or empty again once its journal is rolled
    // back); a file that is no database is left alone for the connection to refuse.
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), CreationConnection);
            db.setDatabaseName(path);
            if (!db.open())
                throw DbError(
                    QCoreApplication::translate("Processing", "The database file %1 could not be made.").arg(path),
                    db.lastError().text());
            // Reading the schema rolls back what a start cut off had begun.
            QSqlQuery objects(db);
            const bool empty = made || (objects.exec(QStringLiteral("select count(*) from sqlite_master")) &&
                                        objects.next() && objects.value(0).toInt() == 0);
            objects = QSqlQuery();
            if (empty)
                runScripts(db, scripts);
            db.close();
        }
        QSqlDatabase::removeDatabase(CreationConnection);
    } catch (...) {
        if (QSqlDatabase::contains(CreationConnection)) {
            QSqlDatabase::database(CreationConnection, false).close();
            QSqlDatabase::removeDatabase(CreationConnection);
        }
        // Only a file this start made is taken away again.
        if (made) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-journal"));
        }
        throw;
    }
}

void RefuseLinkedDatabase(const QString &path)
{
    if (QFileInfo(path).isSymLink())
        throw DbError(QCoreApplication::translate(
                          "Processing", "The database file %1 is a symbolic link. The program does not follow a link "
                                        "to its database, since someone else may have put it there; give the path of "
                                        "the file itself.")
                          .arg(path));
    // SQLite writes its journals beside the database through whatever lies at their names.
    for (const QString &suffix : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo(path + suffix).isSymLink())
            throw DbError(QCoreApplication::translate(
                              "Processing", "The file %1 beside the database is a symbolic link, which SQLite would "
                                            "write through; it is not used until the link is taken away.")
                              .arg(path + suffix));
    }
}

} // namespace Processing
