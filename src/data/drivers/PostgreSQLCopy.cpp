#include "data/drivers/PostgreSQLCopy.h"

#include "data/DbError.h"
#include "data/drivers/Libpq.h"

#include <QSqlDatabase>

#include <charconv>
#include <optional>

namespace Processing {

namespace {

// Bytes gathered before they go to the server: few calls into libpq, little memory.
constexpr std::size_t SendBytes = 256 * 1024;

DbError failureOf(const Libpq &pq, void *result, void *connection, const QString &what)
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
        const DbError failed = failureOf(pq, result, connection, what);
        if (result)
            pq.clear(result);
        // Whatever else the server answered is taken, so that the connection can say more.
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
            failed = failureOf(pq, result, connection, what);
        pq.clear(result);
    }
    if (failed)
        throw *failed;
}

QString statement(const char *form, const QString &table, const QStringList &columns)
{
    return QString::fromLatin1(form).arg(table, columns.join(QStringLiteral(", ")));
}

} // namespace

std::unique_ptr<CopyIn> CopyIn::Start(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                                      const QString &what)
{
    void *connection = nullptr;
    const Libpq *pq = LibpqOf(db, &connection);
    if (!pq)
        return nullptr;
    return std::unique_ptr<CopyIn>(
        new CopyIn(*pq, connection, statement("COPY %1 (%2) FROM STDIN", table, columns), what));
}

CopyIn::CopyIn(const Libpq &pq, void *connection, const QString &sql, const QString &what)
    : m_pq(pq), m_connection(connection), m_what(what)
{
    start(m_pq, m_connection, sql, Libpq::CopyIn, m_what);
    m_copying = true;
    m_buffer.reserve(SendBytes + 64 * 1024);
}

CopyIn::~CopyIn()
{
    if (m_copying) {
        m_pq.putCopyEnd(m_connection, "given up");
        while (void *result = m_pq.getResult(m_connection))
            m_pq.clear(result);
    }
}

void CopyIn::text(QByteArrayView utf8)
{
    separate();
    // A backslash, a tab and the line breaks are escaped, since they separate. No byte of a
    // character beyond ASCII in UTF-8 is one of them.
    for (const char c : utf8) {
        switch (c) {
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
            m_buffer.push_back(c);
        }
    }
}

void CopyIn::text(QStringView value)
{
    m_utf8.resize(m_encoder.requiredSpace(value.size()));
    char *end = m_encoder.appendToBuffer(m_utf8.data(), value);
    text(QByteArrayView(m_utf8.constData(), end - m_utf8.constData()));
}

void CopyIn::number(qint64 value)
{
    separate();
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    m_buffer.append(digits, std::size_t(written.ptr - digits));
}

void CopyIn::null()
{
    separate();
    m_buffer.append("\\N", 2);
}

void CopyIn::endRow()
{
    m_buffer.push_back('\n');
    m_firstValue = true;
    if (m_buffer.size() >= SendBytes)
        send();
}

void CopyIn::finish()
{
    send();
    m_copying = false;
    if (m_pq.putCopyEnd(m_connection, nullptr) != 1)
        throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
    finishCommand(m_pq, m_connection, m_what);
}

void CopyIn::separate()
{
    if (!m_firstValue)
        m_buffer.push_back('\t');
    m_firstValue = false;
}

void CopyIn::send()
{
    if (m_buffer.empty())
        return;
    if (m_pq.putCopyData(m_connection, m_buffer.data(), int(m_buffer.size())) != 1)
        throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
    m_buffer.clear();
}

std::unique_ptr<CopyOut> CopyOut::Start(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                                        const QString &what)
{
    void *connection = nullptr;
    const Libpq *pq = LibpqOf(db, &connection);
    if (!pq)
        return nullptr;
    return std::unique_ptr<CopyOut>(
        new CopyOut(*pq, connection, statement("COPY %1 (%2) TO STDOUT", table, columns), what));
}

CopyOut::CopyOut(const Libpq &pq, void *connection, const QString &sql, const QString &what)
    : m_pq(pq), m_connection(connection), m_what(what)
{
    start(m_pq, m_connection, sql, Libpq::CopyOut, m_what);
    m_copying = true;
}

CopyOut::~CopyOut()
{
    release();
    // Read to its end, so that the connection is free for the next statement.
    if (!m_copying)
        return;
    char *line = nullptr;
    while (m_pq.getCopyData(m_connection, &line, 0) > 0)
        m_pq.freemem(line);
    while (void *result = m_pq.getResult(m_connection))
        m_pq.clear(result);
}

bool CopyOut::next(QByteArrayView &line)
{
    release();
    if (!m_copying)
        return false;
    const int bytes = m_pq.getCopyData(m_connection, &m_line, 0);
    if (bytes < 0) {
        m_copying = false;
        if (bytes == -2)
            throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
        finishCommand(m_pq, m_connection, m_what);
        return false;
    }
    line = QByteArrayView(m_line, bytes > 0 && m_line[bytes - 1] == '\n' ? bytes - 1 : bytes);
    return true;
}

void CopyOut::release()
{
    if (m_line)
        m_pq.freemem(m_line);
    m_line = nullptr;
}

} // namespace Processing
