#include "data/Dialect.h"

namespace Processing {

namespace {

const QLatin1StringView AnyForm("= any (");
const QLatin1StringView InForm(" in (");

} // namespace

QString AdaptSql(const QString &sql, Dialect dialect)
{
    // SQLite has no "= any (", and PostgreSQL accepts it only over an array or a subquery,
    // not a plain value; "in (" means the same on both.
    if (dialect == Dialect::Oracle || !sql.contains(AnyForm, Qt::CaseInsensitive))
        return sql;

    QString adapted;
    adapted.reserve(sql.size());
    bool inLiteral = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            // A doubled quote inside a literal toggles twice and so stays inside.
            inLiteral = !inLiteral;
        } else if (!inLiteral && QStringView(sql).mid(i).startsWith(AnyForm, Qt::CaseInsensitive)) {
            adapted += InForm;
            i += AnyForm.size() - 1;
            continue;
        }
        adapted += c;
    }
    return adapted;
}

} // namespace Processing
