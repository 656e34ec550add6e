#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One run of another program, as a whole process: how long it took, the most memory it held
// resident (its high-water mark, as last read while it ran, every 5 ms), and what it said on
// standard error.
struct ChildRun
{
    int exitCode = -1; // -1 when it did not end by itself
    double ms = 0;
    qint64 peakBytes = 0;
    QByteArray errors;
};

// environment: KEY=VALUE pairs put over this process's own. Standard output goes nowhere;
// standard input comes from inputFile, or from nothing. Throws std::runtime_error when the
// program cannot be started.
ChildRun RunChild(const QString &program, const QStringList &arguments, const QStringList &environment = {},
                  const QString &inputFile = QString());
