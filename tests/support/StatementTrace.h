#pragma once

#include <QStringList>

#include <functional>

// Records every statement SQLite runs on the program's connection (DbConn) while it lives, as
// evidence of what reached the database. On another backend, or where Qt's SQLite driver does not
// run on the program's SQLite library, it records nothing.
class StatementTrace
{
public:
    // The observer, when given, hears of each statement as it starts.
    explicit StatementTrace(std::function<void(const QString &)> observer = {});
    ~StatementTrace();
    StatementTrace(const StatementTrace &) = delete;
    StatementTrace &operator=(const StatementTrace &) = delete;

    bool active() const { return m_active; }
    // Why a test skips where it is not active, once the checks that need no trace have run.
    static constexpr const char *NotSeen = "The statements sent were not checked: only SQLite's trace shows them; "
                                           "the rest of the test ran.";
    const QStringList &statements() const { return m_statements; }
    void clear() { m_statements.clear(); }

    // The statements with the contents of their text literals left out and every number
    // outside them written as "#": what is left is what typed text must never change.
    QStringList skeletons() const;
    static QString Skeleton(const QString &sql);

    void record(const QString &sql);

private:
    std::function<void(const QString &)> m_observer;
    bool m_active = false;
    QStringList m_statements;
};
