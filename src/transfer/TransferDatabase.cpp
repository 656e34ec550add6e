#include "transfer/TransferDatabase.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/connection/DriverSetup.h"
#include "data/safety/FileAccess.h"
#include "data/safety/Redaction.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/Environment.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

const QString Production = QStringLiteral("production");
const QString Development = QStringLiteral("development");

// The embedded database's scripts, without the sample directory.
void prepareFile(const TransferDatabase &database, Creation creation, bool *made)
{
    if (database.descriptor.kind != Processing::DatabaseDescriptor::Kind::SQLite)
        return;
    const QString &path = database.descriptor.path;
    Processing::RefuseLinkedDatabase(path);
    const bool existed = QFileInfo::exists(path);
    if (!existed && creation == Creation::MustExist)
        throw Processing::DbError(
            QCoreApplication::translate("Transfer", "The database file %1 does not exist.").arg(path));
    Processing::EnsureEmbeddedDatabase(path, Processing::EmbeddedDatabaseScripts(false));
    if (made)
        *made = !existed;
}

} // namespace

bool IsEnvironmentName(const QString &name)
{
    return name == Production || name == Development;
}

TransferDatabase ResolveDatabase(const QString &name)
{
    TransferDatabase database;
    if (!IsEnvironmentName(name)) {
        database.descriptor = Processing::DatabaseDescriptor::parse(name);
        database.shown = Processing::ShownDescriptor(name.trimmed());
        return database;
    }
    database.development = name == Development;
    const Processing::Environment environment =
        database.development ? Processing::DevelopmentEnvironment() : Processing::ProductionEnvironment();
    if (!environment.refusal.isEmpty())
        throw Processing::DbError(environment.refusal);
    try {
        database.descriptor = Processing::DatabaseDescriptor::parse(environment.descriptor);
    } catch (const Processing::DbError &error) {
        if (environment.origin.isEmpty())
            throw;
        throw Processing::DbError(
            QCoreApplication::translate("Transfer", "%1 It is set by %2.").arg(error.message(), environment.origin));
    }
    database.shown = QStringLiteral("%1 (%2)").arg(name, Processing::ShownDescriptor(environment.descriptor.trimmed()));
    return database;
}

void OpenProgramConnection(const TransferDatabase &database, Creation creation)
{
    prepareFile(database, creation, nullptr);
    Processing::DbConn().open(database.descriptor);
}

TransferConnection::TransferConnection(const TransferDatabase &database, const QString &name, Creation creation)
    : m_named(database), m_name(name)
{
    prepareFile(database, creation, &m_madeFile);
    try {
        m_dialect = Processing::OpenDatabase(database.descriptor, name);
    } catch (...) {
        discardMadeFile();
        throw;
    }
}

TransferConnection::~TransferConnection()
{
    close();
}

QSqlDatabase TransferConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

void TransferConnection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = database();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void TransferConnection::discardMadeFile()
{
    close();
    if (!m_madeFile)
        return;
    const QString &path = m_named.descriptor.path;
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
    m_madeFile = false;
}
