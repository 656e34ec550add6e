#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringEncoder>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <string>

class QSqlDatabase;

namespace Processing {

struct Libpq;

// PostgreSQL's COPY in its text form, on the connection of Qt's PostgreSQL driver: what psql does
// with a file, without a statement or a QVariant per row. It runs in the transaction under way
// on that connection, and no query of the driver's may run meanwhile. Failures throw DbError,
// with `what` as its text and the server's message as its details.

// Rows into a table (COPY ... FROM STDIN). Left without finish(), the server ends the copy with
// an error: the transaction is then to be rolled back.
class CopyIn
{
public:
    // nullptr where the connection is not one of Qt's PostgreSQL driver, or libpq cannot be
    // reached from it.
    static std::unique_ptr<CopyIn> Start(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                                         const QString &what);
    ~CopyIn();
    CopyIn(const CopyIn &) = delete;
    CopyIn &operator=(const CopyIn &) = delete;

    void text(QByteArrayView utf8);
    void text(QStringView value);
    void number(qint64 value);
    void null();
    void endRow();
    void finish();

private:
    CopyIn(const Libpq &pq, void *connection, const QString &sql, const QString &what);
    void separate();
    void send();

    const Libpq &m_pq;
    void *m_connection;
    const QString m_what;
    std::string m_buffer;
    QByteArray m_utf8;
    QStringEncoder m_encoder{QStringConverter::Utf8};
    bool m_firstValue = true;
    bool m_copying = false;
};

// Rows out of a table (COPY ... TO STDOUT), each as one line of the text form: values between
// tabs, "\N" for NULL, a backslash, a tab and the line breaks escaped by a backslash.
class CopyOut
{
public:
    static std::unique_ptr<CopyOut> Start(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                                          const QString &what);
    ~CopyOut();
    CopyOut(const CopyOut &) = delete;
    CopyOut &operator=(const CopyOut &) = delete;

    // The next row's line without its line break, valid until the next call; false after the last.
    bool next(QByteArrayView &line);

private:
    CopyOut(const Libpq &pq, void *connection, const QString &sql, const QString &what);
    void release();

    const Libpq &m_pq;
    void *m_connection;
    const QString m_what;
    char *m_line = nullptr;
    bool m_copying = false;
};

} // namespace Processing
