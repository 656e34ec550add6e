#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Puts the program's database (DbConn) out of order the ways a real one goes: the PostgreSQL
// server drops the connection and takes no new one; the SQLite file turns read-only, or another connection holds it
// locked in an open write transaction (readers shut out too, or only writers). A connection of
// its own watches the tables throughout, also while the program's connection is dead.
class DatabaseFaults
{
public:
    enum class Kind { ServerGone, ReadOnly, Locked, LockedForWrites };

    // The faults the current backend can suffer.
    static QList<Kind> ForBackend();
    static QString Name(Kind kind);

    DatabaseFaults();
    ~DatabaseFaults();
    DatabaseFaults(const DatabaseFaults &) = delete;
    DatabaseFaults &operator=(const DatabaseFaults &) = delete;

    void inject(Kind kind);
    // Ends the fault, so the program's next statement works again (on a server, once the
    // program has opened its connection anew).
    void lift();
    // Whether the program can still read while the fault lasts.
    static bool ReadsWork(Kind kind) { return kind == Kind::ReadOnly || kind == Kind::LockedForWrites; }
    int injected() const { return m_injected; }

    // Every row of the five tables, through the watching connection.
    QList<QList<QStringList>> snapshot();
    // Runs a statement on the watching connection (to set a fault up); throws on failure.
    void exec(const QString &sql);

private:
    QString m_name;
    bool m_locked = false;
    bool m_readOnly = false;
    bool m_refusingSessions = false;
    int m_injected = 0;
};
