#include "data/statements/Dialect.h"

#include <QRegularExpression>

namespace Processing {

namespace {

const QLatin1StringView AnyForm("= any (");
const QLatin1StringView InForm(" in (");

// The code just before a literal that makes it the pattern of a like: "like '" or
// "like upper ('".
bool endsWithLike(QStringView code)
{
    static const QRegularExpression likeBefore(QStringLiteral("(?:^|[^A-Za-z0-9_])like\\s*(?:upper\\s*\\(\\s*)?$"),
                                               QRegularExpression::CaseInsensitiveOption);
    return likeBefore.match(code).hasMatch();
}

} // namespace

QString AdaptSql(const QString &sql, Dialect dialect)
{
    if (dialect == Dialect::Oracle)
        return sql;
    // SQLite has no "= any (", and PostgreSQL accepts it only over an array or a subquery,
    // not a plain value; "in (" means the same on both.
    const bool hasAny = sql.contains(AnyForm, Qt::CaseInsensitive);
    // PostgreSQL reads a backslash in a like pattern as an escape, so a typed "\" would match
    // the character after it instead of itself; doubled, it stands for itself, as on Oracle
    // and SQLite.
    const bool hasPatternEscape = dialect == Dialect::PostgreSQL && sql.contains(QLatin1Char('\\'));
    if (!hasAny && !hasPatternEscape)
        return sql;

    QString adapted;
    adapted.reserve(sql.size() + 8);
    bool inLiteral = false;
    bool inPattern = false;
    qsizetype codeStart = 0; // where the code since the last literal begins in adapted
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            if (!inLiteral) {
                inPattern = hasPatternEscape && endsWithLike(QStringView(adapted).mid(codeStart));
                inLiteral = true;
            } else if (i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char('\'')) {
                // A doubled quote stands for one quote inside the literal.
                adapted += QLatin1StringView("''");
                ++i;
                continue;
            } else {
                inLiteral = false;
                codeStart = adapted.size() + 1;
            }
        } else if (inLiteral) {
            if (inPattern && c == QLatin1Char('\\'))
                adapted += c;
        } else if (hasAny && QStringView(sql).mid(i).startsWith(AnyForm, Qt::CaseInsensitive)) {
            adapted += InForm;
            i += AnyForm.size() - 1;
            continue;
        }
        adapted += c;
    }
    return adapted;
}

} // namespace Processing
