#include "data/rows/TextRows.h"

#include "data/connection/Connection.h"
#include "data/rows/SqliteTextRows.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace Processing {

namespace {

// Any driver, through Qt SQL.
class QtSqlTextRows final : public TextRows
{
public:
    explicit QtSqlTextRows(QSqlQuery query) : m_query(std::move(query)), m_texts(std::size_t(m_query.record().count()))
    {}

    bool next() override { return DbConn().nextRow(m_query); }

    TextCell text(int position) override
    {
        const QVariant value = m_query.value(position);
        QString &text = m_texts[std::size_t(position)];
        text = value.isNull() ? QString() : value.toString();
        return {text.utf16(), text.size(), true};
    }

    QVariant value(int position) override { return m_query.value(position); }

    QString failure() const override { return DbConn().rowsFailure(m_query); }

private:
    QSqlQuery m_query;
    std::vector<QString> m_texts; // the current row's, by position
};

} // namespace

QString TextOf(const TextCell &cell)
{
    if (cell.size == 0)
        return QString();
    return cell.wide ? QString(static_cast<const QChar *>(cell.data), cell.size)
                     : QString::fromLatin1(static_cast<const char *>(cell.data), cell.size);
}

std::unique_ptr<TextRows> ReadTextRows(QSqlQuery query, const QSqlDatabase &db)
{
    if (std::unique_ptr<TextRows> native = ReadSqliteTextRows(query, db))
        return native;
    return std::make_unique<QtSqlTextRows>(std::move(query));
}

} // namespace Processing
