#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// Another user of the test's database, on a connection and in a thread of its own. It begins a
// transaction, runs its statements and holds what they wrote and locked until the program's
// connection waits for it, then commits. On the PostgreSQL server the wait is seen in the
// server's list of sessions, on SQLite as the program's connection sleeping in its busy handler.
class SecondUser
{
public:
    // Returns once the statements ran, uncommitted; throws std::runtime_error when they fail.
    explicit SecondUser(const QStringList &statements);
    ~SecondUser();
    SecondUser(const SecondUser &) = delete;
    SecondUser &operator=(const SecondUser &) = delete;

    // Waits for the commit. True when the program's connection was seen waiting for this one
    // before it.
    bool finish();

    // What the thread and the test share.
    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
};
