#include "support/StatementTrace.h"

#include "data/connection/Connection.h"
#include "data/drivers/SqliteFunctions.h"

#include <sqlite3.h>

namespace {

sqlite3 *programConnection()
{
    if (Processing::DbConn().dialect() != Processing::Dialect::SQLite || !Processing::DbConn().isOpen())
        return nullptr;
    // Never through a second copy of SQLite: then the trace stays inactive.
    return Processing::SharedSqliteHandle(Processing::DbConn().database());
}

int traced(unsigned type, void *context, void *, void *text)
{
    if (type == SQLITE_TRACE_STMT)
        static_cast<StatementTrace *>(context)->record(QString::fromUtf8(static_cast<const char *>(text)));
    return 0;
}

} // namespace

StatementTrace::StatementTrace(std::function<void(const QString &)> observer) : m_observer(std::move(observer))
{
    if (sqlite3 *db = programConnection())
        m_active = sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, this) == SQLITE_OK;
}

StatementTrace::~StatementTrace()
{
    if (sqlite3 *db = m_active ? programConnection() : nullptr)
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
}

void StatementTrace::record(const QString &sql)
{
    m_statements.append(sql);
    if (m_observer)
        m_observer(sql);
}

QStringList StatementTrace::skeletons() const
{
    QStringList result;
    for (const QString &sql : m_statements)
        result.append(Skeleton(sql));
    return result;
}

QString StatementTrace::Skeleton(const QString &sql)
{
    QString skeleton;
    bool inLiteral = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            if (inLiteral && i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char('\'')) {
                ++i; // a doubled quote inside the literal
                continue;
            }
            inLiteral = !inLiteral;
            skeleton += c;
        } else if (inLiteral) {
            continue;
        } else if (c.isDigit()) {
            if (!skeleton.endsWith(QLatin1Char('#')))
                skeleton += QLatin1Char('#');
        } else {
            skeleton += c;
        }
    }
    return skeleton;
}
