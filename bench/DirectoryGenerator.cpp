#include "DirectoryGenerator.h"

#include "data/DbError.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/SqlScript.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include "BatchInsert.h"
#include "DirectoryContent.h"
#include <stdexcept>

namespace {

const QString GeneratorConnection = QStringLiteral("tarnwick-bench-generator");
const QString AdminConnection = QStringLiteral("tarnwick-bench-admin");

[[noreturn]] void fail(const QString &what, const QSqlError &error)
{
    throw std::runtime_error((what + QStringLiteral(": ") + error.text()).toStdString());
}

void exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        fail(QStringLiteral("generator statement refused: ") + sql.left(200), query.lastError());
}

QSqlDatabase openPostgresql(const QString &connection, const QUrl &url)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(url.path().mid(1));
    if (!db.open())
        fail(QStringLiteral("cannot reach the PostgreSQL server"), db.lastError());
    return db;
}

// Closes and forgets a named connection once the last handle to it is gone.
void drop(const QString &connection)
{
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

} // namespace

class DirectoryGenerator::Writer
{
public:
    Writer(QSqlDatabase db, const DirectoryShape &shape, int rowsPerStatement)
        : m_db(std::move(db)), m_content(shape), m_shape(shape), m_rowsPerStatement(rowsPerStatement)
    {}

    // Every row in one transaction; returns the bytes of text the places list will show.
    qint64 write()
    {
        if (!m_db.transaction())
            fail(QStringLiteral("cannot start the generator's transaction"), m_db.lastError());

        BatchInsert categories(m_db, QStringLiteral("places_root"),
                               QStringLiteral("(BRANCH_ID, BRANCH_NAME, PARENT_ID, BRANCH_FLAG, BRANCH_RANK)"), 5,
                               m_rowsPerStatement);
        for (const CategoryRow &row : m_content.categories())
            categories.add({row.id, row.name, row.parentId, QStringLiteral("N"), 1});
        categories.finish();

        BatchInsert cities(m_db, QStringLiteral("cm_city"), QStringLiteral("(CODE, ENAME)"), 2, m_rowsPerStatement);
        for (int i = 0; i < m_content.cityNames().size(); ++i)
            cities.add({i + 1, m_content.cityNames().at(i)});
        cities.finish();

        BatchInsert districts(m_db, QStringLiteral("places_district"),
                              QStringLiteral("(DISTRICT_ID, DISTRICT_NAME, city_id)"), 3, m_rowsPerStatement);
        for (const DistrictRow &row : m_content.districts())
            districts.add({row.id, row.name, row.cityCode});
        districts.finish();

        BatchInsert places(
            m_db, QStringLiteral("places_leaves"),
            QStringLiteral("(LEAF_ID, LEAF_NAME, ADDRESS, TELEPHONE, CITY, DISTRICT, MORE_DATA, WEB_LINK)"), 8,
            m_rowsPerStatement);
        BatchInsert links(m_db, QStringLiteral("places_branch_leaves"), QStringLiteral("(BRANCH_ID, LEAF_ID)"), 2,
                          m_rowsPerStatement);
        const QVariant noLink(QMetaType::fromType<QString>());
        qint64 textBytes = 0;
        for (int i = 0; i < m_shape.places; ++i) {
            const PlaceRow place = m_content.nextPlace();
            places.add({place.leafId, place.name, place.telephoneText, place.addressText, place.cityCode,
                        place.districtId, place.more, place.webLink.isNull() ? noLink : QVariant(place.webLink)});
            links.add({place.branchId, place.leafId});
            textBytes += m_content.listedTextBytes(place);
        }
        places.finish();
        links.finish();

        if (!m_db.commit())
            fail(QStringLiteral("cannot commit the generated directory"), m_db.lastError());
        return textBytes;
    }

private:
    QSqlDatabase m_db;
    DirectoryContent m_content;
    DirectoryShape m_shape;
    int m_rowsPerStatement;
};

GeneratedDirectory DirectoryGenerator::writeSqlite(const QString &path) const
{
    GeneratedDirectory result;
    result.shape = m_shape;
    result.sqlitePath = path;
    result.descriptor = QStringLiteral("sqlite:") + path;
    QFile::remove(path);
    try {
        // The tables and the root row exactly as the program makes a new embedded database.
        Processing::EnsureEmbeddedDatabase(path, {QStringLiteral("sqlite-schema.sql"), QStringLiteral("root.sql")});
    } catch (const Processing::DbError &error) {
        throw std::runtime_error(error.message().toStdString());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), GeneratorConnection);
        db.setDatabaseName(path);
        if (!db.open())
            fail(QStringLiteral("cannot open the new directory"), db.lastError());
        try {
            result.textBytes = Writer(db, m_shape, 200).write();
        } catch (...) {
            db = QSqlDatabase();
            drop(GeneratorConnection);
            throw;
        }
    }
    drop(GeneratorConnection);
    return result;
}

GeneratedDirectory DirectoryGenerator::writePostgresql(const QString &serverUrl, const QString &databaseName) const
{
    const QUrl server(serverUrl);
    QUrl target(server);
    target.setPath(QLatin1Char('/') + databaseName);

    GeneratedDirectory result;
    result.shape = m_shape;
    result.descriptor = target.toString();

    {
        QSqlDatabase admin = openPostgresql(AdminConnection, server);
        QSqlQuery found(admin);
        found.exec(QStringLiteral("select 1 from pg_database where datname = '%1'").arg(databaseName));
        if (!found.next())
            exec(admin, QStringLiteral("create database %1 encoding 'UTF8' template template0").arg(databaseName));
    }
    drop(AdminConnection);

    {
        QSqlDatabase db = openPostgresql(GeneratorConnection, target);
        try {
            exec(db, QStringLiteral("set client_min_messages = warning"));
            exec(db, QStringLiteral("drop table if exists places_root, places_leaves, places_branch_leaves, "
                                    "places_district, cm_city cascade"));
            // The same scripts an administrator runs on a server database.
            for (const QString &script : {QStringLiteral("postgresql.sql"), QStringLiteral("root.sql")}) {
                for (const QString &statement : Processing::SqlStatements(Processing::SchemaScript(script)))
                    exec(db, statement);
            }
            result.textBytes = Writer(db, m_shape, 500).write();
            // A served database has its statistics; without them the planner guesses.
            exec(db, QStringLiteral("analyze"));
        } catch (const Processing::DbError &error) {
            db = QSqlDatabase();
            drop(GeneratorConnection);
            throw std::runtime_error(error.message().toStdString());
        } catch (...) {
            db = QSqlDatabase();
            drop(GeneratorConnection);
            throw;
        }
    }
    drop(GeneratorConnection);
    return result;
}
