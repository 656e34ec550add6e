#include "data/writes/BulkRows.h"

#include "data/statements/SqlText.h"

namespace Processing {

namespace {

// INSERT statements of many rows, where the database has them; Oracle gets one row a statement.
class StatementWriter final : public BulkRows::Writer
{
public:
    StatementWriter(Connection &db, const QString &table, const QStringList &columns)
        : m_db(db),
          m_head(QStringLiteral("INSERT INTO %1 ( %2 ) VALUES ").arg(table, columns.join(QStringLiteral(", ")))),
          m_rowsPerStatement(db.dialect() == Dialect::Oracle ? 1 : 200)
    {}

    void text(QStringView value) override { add(QLatin1Char('\'') + SqlText(value.toString()) + QLatin1Char('\'')); }
    void number(qint64 value) override { add(QString::number(value)); }
    void null() override { add(QStringLiteral("NULL")); }
    void endRow() override
    {
        m_values += QLatin1Char(')');
        m_firstValue = true;
        if (++m_rows == m_rowsPerStatement)
            send();
    }
    void finish() override { send(); }

private:
    void add(const QString &literal)
    {
        m_values += m_firstValue ? (m_rows == 0 ? QStringLiteral("(") : QStringLiteral(", (")) : QStringLiteral(", ");
        m_firstValue = false;
        m_values += literal;
    }
    void send()
    {
        if (m_rows == 0)
            return;
        const QString statement = m_head + m_values;
        m_values.clear();
        m_rows = 0;
        m_db.execute(statement);
    }

    Connection &m_db;
    const QString m_head;
    const int m_rowsPerStatement;
    QString m_values;
    int m_rows = 0;
    bool m_firstValue = true;
};

} // namespace

BulkRows::BulkRows(Connection &db, const QString &table, const QStringList &columns)
{
    m_writer = PostgreSQLCopyWriter(db, table, columns);
    if (!m_writer)
        m_writer = SqliteInsertWriter(db, table, columns);
    if (!m_writer)
        m_writer = std::make_unique<StatementWriter>(db, table, columns);
}

BulkRows::~BulkRows() = default;

void BulkRows::text(QStringView value)
{
    m_writer->text(value);
}

void BulkRows::number(qint64 value)
{
    m_writer->number(value);
}

void BulkRows::null()
{
    m_writer->null();
}

void BulkRows::endRow()
{
    m_writer->endRow();
}

void BulkRows::finish()
{
    m_writer->finish();
}

} // namespace Processing
