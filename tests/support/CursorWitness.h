#pragma once

#include "support/StatementTrace.h"

#include <QList>

// Notes the pointer shape the program shows (its override cursor, or none) at every statement
// that SQLite runs on the program's connection (DbConn) while the witness lives: proof that a
// load or a write ran under the wait cursor. On another backend it notes nothing.
// It takes the connection's trace hook, so it cannot be used together with StatementTrace.
class CursorWitness
{
public:
    CursorWitness();

    bool active() const { return m_trace.active(); }
    // One entry per statement: the shape of the override cursor, or -1 for none.
    const QList<int> &shapes() const { return m_shapes; }

private:
    QList<int> m_shapes;
    StatementTrace m_trace; // last: it calls back into m_shapes until it is gone
};
