#pragma once

#include <QObject>

namespace Processing {

// Tells whoever listens (the main window's status bar) when the program's connection comes
// and goes, so that the data layer knows nothing of widgets.
class ConnectionStatus : public QObject
{
    Q_OBJECT

public:
    bool connected() const { return m_connected; }
    // Signals only a change.
    void set(bool connected);

Q_SIGNALS:
    void connectedChanged(bool connected);
    // A change was stored, but the server was so slow to confirm it that the wait was given up:
    // the text says so, for the user once the action is over.
    void storedSlowly(const QString &text);

private:
    bool m_connected = false;
};

} // namespace Processing
