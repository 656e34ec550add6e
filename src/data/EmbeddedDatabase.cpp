#include "data/EmbeddedDatabase.h"

#include "data/DbError.h"
#include "data/SqlScript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Processing {

namespace {

const QString CreationConnection = QStringLiteral("tarnwick-create");
constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

void runScripts(QSqlDatabase &db, const QStringList &scripts)
{
    if (!db.transaction())
        throw DbError(QStringLiteral("The new database could not start its transaction."), db.lastError().text());
    for (const QString &name : scripts) {
        for (const QString &statement : SqlStatements(SchemaScript(name))) {
            QSqlQuery query(db);
            if (!query.exec(statement)) {
                const QString text = query.lastError().text();
                db.rollback();
                throw DbError(QStringLiteral("The new database could not be set up (%1).").arg(name), text);
            }
        }
    }
    if (!db.commit())
        throw DbError(QStringLiteral("The new database could not be saved."), db.lastError().text());
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
    if (QFileInfo::exists(path))
        return;
    const QFileInfo info(path);
    // The directory is the user's own: only they may read it, also on a shared machine. A
    // folder that is there already keeps its rights.
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir() &&
        (!QDir().mkpath(QFileInfo(folder).absolutePath()) || !QDir().mkdir(folder, OwnerOnly | QFile::ExeOwner)))
        throw DbError(QStringLiteral("The folder %1 for the database could not be made.").arg(folder));

    // Built under another name and renamed when complete, so a half-made file never passes
    // for a database at the next start.
    const QString partial = path + QStringLiteral(".creating");
    QFile::remove(partial);
    try {
        {
            // Made empty with the owner's rights only before SQLite fills it; its journal takes
            // the same rights, and the rename keeps them.
            QFile file(partial);
            if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly))
                throw DbError(QStringLiteral("The database file %1 could not be made.").arg(path), file.errorString());
            file.close();
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), CreationConnection);
            db.setDatabaseName(partial);
            if (!db.open())
                throw DbError(QStringLiteral("The database file %1 could not be made.").arg(path),
                              db.lastError().text());
            runScripts(db, scripts);
            db.close();
        }
        QSqlDatabase::removeDatabase(CreationConnection);
        if (!QFile::rename(partial, path))
            throw DbError(QStringLiteral("The database file %1 could not be put in place.").arg(path));
    } catch (...) {
        if (QSqlDatabase::contains(CreationConnection)) {
            QSqlDatabase::database(CreationConnection, false).close();
            QSqlDatabase::removeDatabase(CreationConnection);
        }
        QFile::remove(partial);
        throw;
    }
}

} // namespace Processing
