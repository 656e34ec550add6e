#include "data/rows/SqliteTextRows.h"

#include "data/drivers/SqliteFunctions.h"

#include <QByteArray>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlResult>

#include <cstring>
#include <sqlite3.h>
#include <vector>

namespace Processing {

namespace {

bool ascii(const unsigned char *text, qsizetype size)
{
    // Eight bytes at a time: most texts of a directory are plain ASCII and this runs for each.
    constexpr quint64 HighBits = 0x8080808080808080u;
    quint64 seen = 0;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, text + i, sizeof word);
        seen |= word;
    }
    for (; i < size; ++i)
        seen |= text[i];
    return (seen & HighBits) == 0;
}

// The statement Qt's SQLite driver runs the query with; nullptr once it holds none.
sqlite3_stmt *statementOf(const QSqlQuery &query)
{
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt *const *>(handle.constData());
}

// Reads on from where Qt's driver left the statement: its exec() has stepped to the first row
// already. Every value comes out as Qt's driver turns it into a QVariant and QVariant into text,
// so the list cannot tell which reader filled it.
class SqliteTextRows final : public TextRows
{
public:
    SqliteTextRows(QSqlQuery query, sqlite3_stmt *statement)
        : m_query(std::move(query)), m_statement(statement), m_converted(std::size_t(sqlite3_column_count(statement)))
    {}

    bool next() override
    {
        if (m_done)
            return false;
        // Closing the connection finalizes its statements: the query then holds none, and the
        // reading ends as Qt's driver ends it.
        if (statementOf(m_query) != m_statement) {
            m_done = true;
            m_failure = fetchFailure(QStringLiteral("No query"));
            return false;
        }
        if (m_onFirst) {
            m_onFirst = false;
            // A statement that found no row was reset by the driver.
            m_done = !sqlite3_stmt_busy(m_statement);
            return !m_done;
        }
        const int result = sqlite3_step(m_statement);
        if (result == SQLITE_ROW)
            return true;
        m_done = true;
        if (result != SQLITE_DONE)
            m_failure = stepFailure(result);
        return false;
    }

    TextCell text(int position) override
    {
        // One call that locks the connection per value; the value's own functions lock nothing
        // and are used on this thread only, which alone reads the statement.
        sqlite3_value *value = sqlite3_column_value(m_statement, position);
        switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_FLOAT:
            return converted(position,
                             QString::number(sqlite3_value_double(value), 'g', QLocale::FloatingPointShortest));
        case SQLITE_BLOB: {
            const auto *bytes = static_cast<const unsigned char *>(sqlite3_value_blob(value));
            const qsizetype size = sqlite3_value_bytes(value);
            if (ascii(bytes, size))
                return {bytes, size, false};
            return converted(position, QString::fromUtf8(reinterpret_cast<const char *>(bytes), size));
        }
        default: {
            // Integers read as their digits, as QVariant writes a 64-bit integer.
            const unsigned char *utf8 = sqlite3_value_text(value);
            const qsizetype size = sqlite3_value_bytes(value);
            if (ascii(utf8, size))
                return {utf8, size, false};
            // SQLite's own conversion, as Qt's driver asks for it, also for malformed UTF-8.
            const void *utf16 = sqlite3_value_text16(value);
            return {utf16, sqlite3_value_bytes16(value) / 2, true};
        }
        }
    }

    QVariant value(int position) override
    {
        sqlite3_value *value = sqlite3_column_value(m_statement, position);
        switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        case SQLITE_INTEGER:
            return qint64(sqlite3_value_int64(value));
        case SQLITE_FLOAT:
            return sqlite3_value_double(value);
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char *>(sqlite3_value_blob(value)), sqlite3_value_bytes(value));
        default:
            return QString(static_cast<const QChar *>(sqlite3_value_text16(value)), sqlite3_value_bytes16(value) / 2);
        }
    }

    QString failure() const override { return m_failure; }

private:
    TextCell converted(int position, QString text)
    {
        QString &kept = m_converted[std::size_t(position)];
        kept = std::move(text);
        return {kept.utf16(), kept.size(), true};
    }

    // Worded as Qt's driver words a failed fetch and the connection reports it, so a failure
    // reads the same whichever reader met it.
    QString stepFailure(int result)
    {
        sqlite3 *connection = sqlite3_db_handle(m_statement);
        // A generic error says what it was only once the statement is reset.
        if (result == SQLITE_ERROR || result == SQLITE_CONSTRAINT)
            sqlite3_reset(m_statement);
        const QString text = QString(static_cast<const QChar *>(sqlite3_errmsg16(connection)));
        sqlite3_reset(m_statement);
        return fetchFailure(text);
    }

    static QString fetchFailure(const QString &databaseText)
    {
        const QString text = databaseText.trimmed();
        const QString driver = QStringLiteral("Unable to fetch row");
        if (text.isEmpty())
            return driver;
        return text.contains(driver) ? text : driver + QStringLiteral(": ") + text;
    }

    QSqlQuery m_query; // owns the statement
    sqlite3_stmt *m_statement;
    std::vector<QString> m_converted; // the current row's texts made here, by position
    QString m_failure;
    bool m_onFirst = true;
    bool m_done = false;
};

} // namespace

std::unique_ptr<TextRows> ReadSqliteTextRows(QSqlQuery &query, const QSqlDatabase &db)
{
    if (!query.isActive() || !query.isSelect() || db.driverName() != QLatin1StringView("QSQLITE"))
        return nullptr;
    sqlite3_stmt *statement = statementOf(query);
    sqlite3 *connection = SharedSqliteHandle(db);
    // Only a statement of the program's own library, on this connection, is read here.
    if (!statement || !connection || sqlite3_db_handle(statement) != connection)
        return nullptr;
    return std::make_unique<SqliteTextRows>(std::move(query), statement);
}

} // namespace Processing
