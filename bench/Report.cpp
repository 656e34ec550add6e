#include "Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString number(double value)
{
    if (std::isnan(value))
        return QStringLiteral("—");
    if (value >= 100)
        return QString::number(value, 'f', 0);
    if (value >= 10)
        return QString::number(value, 'f', 1);
    return QString::number(value, 'f', 2);
}

QString withUnit(double value, const QString &unit)
{
    return std::isnan(value) ? number(value) : number(value) + QLatin1Char(' ') + unit;
}

QString targetsText(const Measurement &m)
{
    QStringList parts;
    for (const Target &t : m.targets) {
        parts.append(QStringLiteral("%1× %2 ≤ %3 %4")
                         .arg(QString::number(t.ratio, 'f', 2), t.against, QString::number(t.limit, 'g', 3),
                              t.met() ? QStringLiteral("ok") : QStringLiteral("**missed**")));
    }
    return parts.join(QStringLiteral("; "));
}

QJsonValue jsonNumber(double value)
{
    return std::isnan(value) ? QJsonValue() : QJsonValue(value);
}

} // namespace

bool Report::targetsMet() const
{
    for (const Measurement &m : m_measurements) {
        for (const Target &t : m.targets) {
            if (!t.met())
                return false;
        }
    }
    return true;
}

QString Report::table() const
{
    QStringList lines;
    lines.append(QStringLiteral("| backend | operation | rows | median | then paint | Qt SQL floor | sqlite3 floor "
                                "| std::sort floor | window floor | × Qt SQL | targets |"));
    lines.append(QStringLiteral("|---|---|--:|--:|--:|--:|--:|--:|--:|--:|---|"));
    for (const Measurement &m : m_measurements) {
        QString operation = m.operation;
        if (!m.note.isEmpty())
            operation += QStringLiteral(" (") + m.note + QLatin1Char(')');
        lines.append(QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 | %9 | %10 | %11 |")
                         .arg(m.backend, operation, m.rows >= 0 ? QString::number(m.rows) : QStringLiteral("—"),
                              withUnit(m.median, m.unit), withUnit(m.paint, m.unit), withUnit(m.qtSql, m.unit),
                              withUnit(m.shell, m.unit), withUnit(m.stdSort, m.unit), withUnit(m.window, m.unit))
                         .arg(std::isnan(m.qtSql) ? QStringLiteral("—") : number(m.ratioToQtSql()), targetsText(m)));
    }
    for (const QString &p : m_problems)
        lines.append(QStringLiteral("\nWRONG: ") + p);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray Report::json(const QString &machine) const
{
    QJsonArray operations;
    for (const Measurement &m : m_measurements) {
        QJsonArray samples;
        for (double s : m.samples)
            samples.append(s);
        QJsonArray targets;
        for (const Target &t : m.targets)
            targets.append(QJsonObject{{QStringLiteral("against"), t.against},
                                       {QStringLiteral("ratio"), t.ratio},
                                       {QStringLiteral("limit"), t.limit},
                                       {QStringLiteral("met"), t.met()}});
        operations.append(QJsonObject{{QStringLiteral("backend"), m.backend},
                                      {QStringLiteral("id"), m.id},
                                      {QStringLiteral("operation"), m.operation},
                                      {QStringLiteral("note"), m.note},
                                      {QStringLiteral("unit"), m.unit},
                                      {QStringLiteral("rows"), m.rows},
                                      {QStringLiteral("median"), m.median},
                                      {QStringLiteral("samples"), samples},
                                      {QStringLiteral("paint"), jsonNumber(m.paint)},
                                      {QStringLiteral("qtSqlFloor"), jsonNumber(m.qtSql)},
                                      {QStringLiteral("sqlite3Floor"), jsonNumber(m.shell)},
                                      {QStringLiteral("stdSortFloor"), jsonNumber(m.stdSort)},
                                      {QStringLiteral("windowFloor"), jsonNumber(m.window)},
                                      {QStringLiteral("targets"), targets}});
    }
    const QJsonObject root{{QStringLiteral("machine"), machine},
                           {QStringLiteral("operations"), operations},
                           {QStringLiteral("problems"), QJsonArray::fromStringList(m_problems)},
                           {QStringLiteral("targetsMet"), targetsMet()}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
