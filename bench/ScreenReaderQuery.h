#pragma once

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QString>

#include <optional>

class QWidget;

// A screen reader's question to the places list over the accessibility bus: how many rows it
// has, asked again at every answer until it has them all. Asked from a connection of its own,
// as a screen reader's process would, while the program (this process) runs its click; the
// answer counts once the program has sent it, from its own event loop.
class ScreenReaderQuery
{
public:
    explicit ScreenReaderQuery(QWidget *list);

    // Whether there is an accessibility bus to ask over.
    bool available() const { return m_bus.has_value(); }
    // Sends the first question; the clock is the click's.
    void ask(const QElapsedTimer &clock, qint64 rows);
    // Runs the event loop until an answer gives all the rows; ms on the click's clock.
    double answer();

private:
    void send();

    QWidget *m_list;
    std::optional<QDBusConnection> m_bus;
    QString m_path;
    const QElapsedTimer *m_clock = nullptr;
    qint64 m_rows = 0;
    double m_answered = -1;
    QString m_failure;
};
