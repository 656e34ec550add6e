#include "data/DbError.h"
#include "data/Libpq.h"
#include "transfer/RowStreams.h"

#include <optional>

// Rows by PostgreSQL's COPY in its text form, on the connection of Qt's PostgreSQL driver: what
// psql does with a file, without a statement or a QVariant per row.
namespace {

using Processing::DbError;
using Processing::Libpq;

// Bytes gathered before they go to the server.
constexpr std::size_t SendBytes = 256 * 1024;

DbError resultFailure(const Libpq &pq, void *result, void *connection, const QString &what)
{
    if (!result)
        return DbError(what, QString::fromUtf8(pq.errorMessage(connection)));
    const char *state = pq.resultErrorField(result, Libpq::SqlStateField);
    return DbError(what, QString::fromUtf8(pq.resultErrorMessage(result)),
                   state ? QString::fromLatin1(state) : QString());
}

// Starts a COPY and checks that the server is ready for its rows.
void start(const Libpq &pq, void *connection, const QString &sql, int ready, const QString &what)
{
    void *result = pq.exec(connection, sql.toUtf8().constData());
    if (!result || pq.resultStatus(result) != ready) {
        const DbError failed = resultFailure(pq, result, connection, what);
        if (result)
            pq.clear(result);
        // A COPY the server did take up is ended, so that the connection can say more.
        while (void *rest = pq.getResult(connection))
            pq.clear(rest);
        throw failed;
    }
    pq.clear(result);
}

// The outcome of a COPY once its rows are through: the first failure, if any.
void finishCommand(const Libpq &pq, void *connection, const QString &what)
{
    std::optional<DbError> failed;
    while (void *result = pq.getResult(connection)) {
        if (pq.resultStatus(result) != Libpq::CommandOk && !failed)
            failed = resultFailure(pq, result, connection, what);
        pq.clear(result);
    }
    if (failed)
        throw *failed;
}

QString columnsOf(const Processing::DirectoryTable &table)
{
    return table.columns.join(QStringLiteral(", "));
}

class Reader final : public RowReader
{
public:
    Reader(const Libpq &pq, void *connection, const Processing::DirectoryTable &table)
        : m_pq(pq), m_connection(connection), m_what(QStringLiteral("The %1 could not be read.").arg(table.rows))
    {
        start(pq, connection, QStringLiteral("COPY %1 (%2) TO STDOUT").arg(table.name, columnsOf(table)),
              Libpq::CopyOut, m_what);
        m_copying = true;
    }
    ~Reader() override
    {
        // Read to its end, so that the connection is free for the next statement.
        char *line = nullptr;
        while (m_copying && m_pq.getCopyData(m_connection, &line, 0) > 0)
            m_pq.freemem(line);
        if (m_copying)
            while (void *result = m_pq.getResult(m_connection))
                m_pq.clear(result);
    }

    bool next(CopyRow &row) override
    {
        if (!m_copying)
            return false;
        char *line = nullptr;
        const int bytes = m_pq.getCopyData(m_connection, &line, 0);
        if (bytes < 0) {
            m_copying = false;
            if (bytes == -2)
                throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
            finishCommand(m_pq, m_connection, m_what);
            return false;
        }
        row.clear();
        decode(line, line + bytes, row);
        m_pq.freemem(line);
        return true;
    }

private:
    // One line of COPY's text form: values between tabs, "\N" for NULL, backslash escapes.
    static void decode(const char *at, const char *end, CopyRow &row)
    {
        if (end > at && end[-1] == '\n')
            --end;
        std::string &bytes = row.bytes();
        while (true) {
            const char *stop = at;
            while (stop < end && *stop != '\t')
                ++stop;
            if (stop - at == 2 && at[0] == '\\' && at[1] == 'N') {
                row.appendNull();
            } else {
                for (const char *c = at; c < stop; ++c) {
                    if (*c != '\\' || c + 1 == stop) {
                        bytes.push_back(*c);
                        continue;
                    }
                    ++c;
                    switch (*c) {
                    case 'b':
                        bytes.push_back('\b');
                        break;
                    case 'f':
                        bytes.push_back('\f');
                        break;
                    case 'n':
                        bytes.push_back('\n');
                        break;
                    case 'r':
                        bytes.push_back('\r');
                        break;
                    case 't':
                        bytes.push_back('\t');
                        break;
                    case 'v':
                        bytes.push_back('\v');
                        break;
                    default:
                        bytes.push_back(*c); // "\\" and any other character as itself
                    }
                }
                row.endValue();
            }
            if (stop == end)
                break;
            at = stop + 1;
        }
    }

    const Libpq &m_pq;
    void *m_connection;
    const QString m_what;
    bool m_copying = false;
};

class Writer final : public RowWriter
{
public:
    Writer(const Libpq &pq, void *connection, const Processing::DirectoryTable &table)
        : m_pq(pq), m_connection(connection), m_what(QStringLiteral("The %1 could not be written.").arg(table.rows))
    {
        start(pq, connection, QStringLiteral("COPY %1 (%2) FROM STDIN").arg(table.name, columnsOf(table)),
              Libpq::CopyIn, m_what);
        m_copying = true;
        m_buffer.reserve(SendBytes + 64 * 1024);
    }
    ~Writer() override
    {
        // Given up: the server ends the copy with an error, and the transaction is rolled back.
        if (m_copying) {
            m_pq.putCopyEnd(m_connection, "given up");
            while (void *result = m_pq.getResult(m_connection))
                m_pq.clear(result);
        }
    }

    void write(const CopyRow &row) override
    {
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0)
                m_buffer.push_back('\t');
            if (row.isNull(c)) {
                m_buffer.append("\\N", 2);
                continue;
            }
            // A backslash, a tab and the line breaks are escaped, since they separate.
            for (const char ch : row.value(c)) {
                switch (ch) {
                case '\\':
                    m_buffer.append("\\\\", 2);
                    break;
                case '\t':
                    m_buffer.append("\\t", 2);
                    break;
                case '\n':
                    m_buffer.append("\\n", 2);
                    break;
                case '\r':
                    m_buffer.append("\\r", 2);
                    break;
                default:
                    m_buffer.push_back(ch);
                }
            }
        }
        m_buffer.push_back('\n');
        if (m_buffer.size() >= SendBytes)
            send();
    }

    void finish() override
    {
        send();
        m_copying = false;
        if (m_pq.putCopyEnd(m_connection, nullptr) != 1)
            throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
        finishCommand(m_pq, m_connection, m_what);
    }

private:
    void send()
    {
        if (m_buffer.empty())
            return;
        if (m_pq.putCopyData(m_connection, m_buffer.data(), int(m_buffer.size())) != 1)
            throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
        m_buffer.clear();
    }

    const Libpq &m_pq;
    void *m_connection;
    const QString m_what;
    std::string m_buffer;
    bool m_copying = false;
};

} // namespace

std::unique_ptr<RowReader> PostgreSQLRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    void *connection = nullptr;
    const Libpq *pq = Processing::LibpqOf(db, &connection);
    return pq ? std::make_unique<Reader>(*pq, connection, table) : nullptr;
}

std::unique_ptr<RowWriter> PostgreSQLRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    void *connection = nullptr;
    const Libpq *pq = Processing::LibpqOf(db, &connection);
    return pq ? std::make_unique<Writer>(*pq, connection, table) : nullptr;
}
