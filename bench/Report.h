#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cmath>
#include <vector>

// A limit on one measured ratio, e.g. "≤ 1.25× Qt SQL".
struct Target
{
    QString against; // what the ratio is taken to: "Qt SQL", "sqlite3", "std::sort", ...
    double ratio = 0;
    double limit = 0;

    bool met() const { return ratio <= limit; }
};

// One operation's median beside its floors (NaN where a floor does not apply).
struct Measurement
{
    QString backend;   // "sqlite" or "postgresql"
    QString id;        // stable name for tracking, e.g. "list_all_100000"
    QString operation; // for people
    QString unit = QStringLiteral("ms");
    double median = 0;
    std::vector<double> samples;
    // The window's layout and paint right after the operation returned: what a user waits
    // for on top of it, apart because no floor has it.
    double paint = NAN;
    double qtSql = NAN;
    double shell = NAN;
    double stdSort = NAN;
    double window = NAN; // the start of a window the program's start is held to
    qint64 rows = -1;
    QString note;
    std::vector<Target> targets;

    double ratioToQtSql() const { return median / qtSql; }
};

// Everything one run measured, what went wrong, and how it is shown.
class Report
{
public:
    void add(Measurement measurement) { m_measurements.push_back(std::move(measurement)); }
    // A result the program got wrong (not a slow one): always a failure of the run.
    void problem(const QString &text) { m_problems.append(text); }

    const std::vector<Measurement> &measurements() const { return m_measurements; }
    const QStringList &problems() const { return m_problems; }
    bool targetsMet() const;

    // A Markdown table, one line per operation.
    QString table() const;
    QByteArray json(const QString &machine) const;

private:
    std::vector<Measurement> m_measurements;
    QStringList m_problems;
};
