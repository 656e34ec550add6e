#pragma once

#include <QStringList>

// Records the statements SQLite runs on the program's connection while it lives: the very
// texts a floor has to run. Records nothing on another backend.
class StatementCapture
{
public:
    StatementCapture();
    ~StatementCapture();
    StatementCapture(const StatementCapture &) = delete;
    StatementCapture &operator=(const StatementCapture &) = delete;

    const QStringList &statements() const { return m_statements; }
    void record(const QString &sql) { m_statements.append(sql); }

private:
    bool m_active = false;
    QStringList m_statements;
};
