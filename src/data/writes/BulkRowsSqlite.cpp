#include "data/DbError.h"
#include "data/drivers/SqliteFunctions.h"
#include "data/writes/BulkRows.h"

#include <QStringEncoder>

#include <sqlite3.h>
#include <vector>

// One prepared INSERT on the SQLite handle Qt's driver holds, bound and stepped for each row, as
// SQLite's own shell imports rows: no statement text and no QVariant per row.
namespace Processing {

namespace {

class InsertWriter final : public BulkRows::Writer
{
public:
    InsertWriter(sqlite3 *connection, const QString &table, const QStringList &columns)
        : m_connection(connection), m_what(QStringLiteral("The rows of %1 could not be written.").arg(table))
    {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks.append(QStringLiteral("?"));
        const QByteArray sql = QStringLiteral("INSERT INTO %1 ( %2 ) VALUES ( %3 )")
                                   .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
                                   .toUtf8();
        if (sqlite3_prepare_v2(m_connection, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK)
            throw failure();
        m_texts.resize(std::size_t(columns.size()));
    }
    ~InsertWriter() override { sqlite3_finalize(m_statement); }

    // In the file's own encoding, kept until the row is stepped: SQLite neither converts nor copies.
    void text(QStringView value) override
    {
        QByteArray &utf8 = m_texts[std::size_t(m_position)];
        utf8.resize(m_utf8.requiredSpace(value.size()));
        utf8.resize(m_utf8.appendToBuffer(utf8.data(), value) - utf8.constData());
        check(sqlite3_bind_text(m_statement, ++m_position, utf8.constData(), int(utf8.size()), SQLITE_STATIC));
    }
    void number(qint64 value) override { check(sqlite3_bind_int64(m_statement, ++m_position, value)); }
    void null() override { check(sqlite3_bind_null(m_statement, ++m_position)); }
    void endRow() override
    {
        m_position = 0;
        const int stepped = sqlite3_step(m_statement);
        if (stepped != SQLITE_DONE) {
            const DbError refused = failure();
            sqlite3_reset(m_statement);
            throw refused;
        }
        sqlite3_reset(m_statement);
    }
    void finish() override {}

private:
    void check(int result) const
    {
        if (result != SQLITE_OK)
            throw failure();
    }
    DbError failure() const
    {
        return DbError(m_what, QString::fromUtf8(sqlite3_errmsg(m_connection)), QString(),
                       QString::number(sqlite3_extended_errcode(m_connection)));
    }

    sqlite3 *m_connection;
    const QString m_what;
    sqlite3_stmt *m_statement = nullptr;
    int m_position = 0;
    std::vector<QByteArray> m_texts; // by column
    QStringEncoder m_utf8{QStringConverter::Utf8};
};

} // namespace

std::unique_ptr<BulkRows::Writer> SqliteInsertWriter(Connection &db, const QString &table, const QStringList &columns)
{
    const QSqlDatabase database = db.database();
    if (!database.isOpen() || database.driverName() != QLatin1StringView("QSQLITE"))
        return nullptr;
    sqlite3 *connection = SharedSqliteHandle(database);
    if (!connection)
        return nullptr;
    return std::make_unique<InsertWriter>(connection, table, columns);
}

} // namespace Processing
