#include "data/BulkRows.h"
#include "data/DbError.h"
#include "data/Libpq.h"

#include <QByteArray>
#include <QStringEncoder>

// COPY on the connection Qt's PostgreSQL driver holds, through the libpq that driver was loaded
// with.
namespace Processing {

namespace {

// Bytes kept before they go to the server.
constexpr qsizetype BufferBytes = 8 * 1024;

class CopyWriter final : public BulkRows::Writer
{
public:
    CopyWriter(const Libpq &pq, void *connection, const QString &table, const QStringList &columns)
        : m_pq(pq), m_connection(connection), m_what(QStringLiteral("The rows of %1 could not be written.").arg(table))
    {
        const QByteArray copy =
            QStringLiteral("COPY %1 ( %2 ) FROM STDIN").arg(table, columns.join(QStringLiteral(", "))).toUtf8();
        void *result = m_pq.exec(m_connection, copy.constData());
        const int status = result ? m_pq.resultStatus(result) : 0;
        if (status != Libpq::CopyIn)
            throwFailure(result);
        m_pq.clear(result);
        m_copying = true;
        m_buffer.reserve(BufferBytes + 4096);
    }

    ~CopyWriter() override
    {
        // Given up: the server ends the copy with an error, and the transaction is rolled back.
        if (m_copying) {
            m_pq.putCopyEnd(m_connection, "given up");
            while (void *result = m_pq.getResult(m_connection))
                m_pq.clear(result);
        }
    }

    // COPY's text form: a backslash, a tab and the line breaks escaped, since they separate.
    void text(QStringView value) override
    {
        separate();
        qsizetype start = 0;
        for (qsizetype i = 0; i < value.size(); ++i) {
            const char16_t c = value[i].unicode();
            const char *escaped = c == u'\\'   ? "\\\\"
                                  : c == u'\t' ? "\\t"
                                  : c == u'\n' ? "\\n"
                                  : c == u'\r' ? "\\r"
                                               : nullptr;
            if (!escaped)
                continue;
            append(value.sliced(start, i - start));
            m_buffer.append(escaped);
            start = i + 1;
        }
        append(value.sliced(start));
    }
    void number(qint64 value) override
    {
        separate();
        m_buffer.append(QByteArray::number(value));
    }
    void null() override
    {
        separate();
        m_buffer.append("\\N");
    }
    void endRow() override
    {
        m_buffer.append('\n');
        m_firstValue = true;
        if (m_buffer.size() >= BufferBytes)
            send();
    }
    void finish() override
    {
        send();
        m_copying = false;
        if (m_pq.putCopyEnd(m_connection, nullptr) != 1)
            throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
        // The outcome of the copy, then nothing.
        std::optional<DbError> failure;
        while (void *result = m_pq.getResult(m_connection)) {
            if (m_pq.resultStatus(result) != Libpq::CommandOk && !failure)
                failure = errorOf(result);
            m_pq.clear(result);
        }
        if (failure)
            throw *failure;
    }

private:
    void separate()
    {
        if (!m_firstValue)
            m_buffer.append('\t');
        m_firstValue = false;
    }
    void append(QStringView part)
    {
        const qsizetype size = m_buffer.size();
        m_buffer.resize(size + m_utf8.requiredSpace(part.size()));
        char *end = m_utf8.appendToBuffer(m_buffer.data() + size, part);
        m_buffer.resize(end - m_buffer.constData());
    }
    void send()
    {
        if (m_buffer.isEmpty())
            return;
        if (m_pq.putCopyData(m_connection, m_buffer.constData(), int(m_buffer.size())) != 1)
            throw DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
        m_buffer.clear();
    }
    DbError errorOf(void *result) const
    {
        const char *state = m_pq.resultErrorField(result, Libpq::SqlStateField);
        return DbError(m_what, QString::fromUtf8(m_pq.resultErrorMessage(result)),
                       state ? QString::fromLatin1(state) : QString());
    }
    [[noreturn]] void throwFailure(void *result)
    {
        const DbError failure =
            result ? errorOf(result) : DbError(m_what, QString::fromUtf8(m_pq.errorMessage(m_connection)));
        if (result)
            m_pq.clear(result);
        throw failure;
    }

    const Libpq &m_pq;
    void *m_connection;
    const QString m_what;
    QByteArray m_buffer;
    QStringEncoder m_utf8{QStringConverter::Utf8};
    bool m_firstValue = true;
    bool m_copying = false;
};

} // namespace

std::unique_ptr<BulkRows::Writer> PostgreSQLCopyWriter(Connection &db, const QString &table, const QStringList &columns)
{
    void *connection = nullptr;
    const Libpq *pq = LibpqOf(db.database(), &connection);
    if (!pq)
        return nullptr;
    return std::make_unique<CopyWriter>(*pq, connection, table, columns);
}

} // namespace Processing
