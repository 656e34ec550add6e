#include "ScreenReaderQuery.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QWidget>

#include <stdexcept>

ScreenReaderQuery::ScreenReaderQuery(QWidget *list) : m_list(list)
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    if (reply.type() != QDBusMessage::ReplyMessage)
        return;
    QDBusConnection bus = QDBusConnection::connectToBus(reply.arguments().value(0).toString(),
                                                        QStringLiteral("tarnwick-bench screen reader"));
    if (bus.isConnected())
        m_bus = bus;
}

void ScreenReaderQuery::ask(const QElapsedTimer &clock, qint64 rows)
{
    m_clock = &clock;
    m_rows = rows;
    m_answered = -1;
    m_failure.clear();
    // Qt's bridge names each object by its accessibility id.
    m_path = QStringLiteral("/org/a11y/atspi/accessible/") +
             QString::number(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(m_list)));
    send();
}

void ScreenReaderQuery::send()
{
    QDBusMessage question =
        QDBusMessage::createMethodCall(QDBusConnection(QStringLiteral("a11y")).baseService(), m_path,
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    question << QStringLiteral("org.a11y.atspi.Table") << QStringLiteral("NRows");
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(question));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        if (reply.isError())
            m_failure = reply.error().message();
        else if (reply.value().variant().toLongLong() == m_rows)
            m_answered = double(m_clock->nsecsElapsed()) / 1e6;
        else
            send();
    });
}

double ScreenReaderQuery::answer()
{
    QElapsedTimer waited;
    waited.start();
    while (m_answered < 0) {
        if (!m_failure.isEmpty())
            throw std::runtime_error("the list did not answer a screen reader: " + m_failure.toStdString());
        if (waited.elapsed() > 120000)
            throw std::runtime_error("the list never told a screen reader all its rows");
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return m_answered;
}
