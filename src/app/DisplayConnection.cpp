#include "app/DisplayConnection.h"

#include "data/safety/Redaction.h"

#include <QList>
#include <QMutex>

#include <cstdio>
#include <cstdlib>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage> &held()
{
    static QList<HeldMessage> messages;
    return messages;
}

// The font configuration is read on a thread of its own meanwhile.
QMutex &heldLock()
{
    static QMutex lock;
    return lock;
}

QString &program()
{
    static QString name;
    return name;
}

QtMessageHandler &passedOnTo()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

QString why()
{
    // The platform's own words, such as "could not connect to display :1".
    QString reason = QStringLiteral("the window system could not be reached");
    for (const HeldMessage &message : std::as_const(held())) {
        if (message.category.startsWith("qt.qpa") && !message.text.trimmed().isEmpty()) {
            reason = message.text.simplified();
            break;
        }
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        reason += QStringLiteral("; neither DISPLAY nor WAYLAND_DISPLAY is set");
#endif
    return reason;
}

void holdBack(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QMutexLocker locker(&heldLock());
    if (type != QtFatalMsg) {
        held().append({type, QByteArray(context.category), text});
        return;
    }
    const QString line = QStringLiteral("%1: cannot show its window: %2.\n").arg(program(), why());
    std::fputs(Processing::Redacted(line).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    // Nothing of the program has started yet that an ordinary exit would have to end.
    std::_Exit(1);
}

} // namespace

DisplayConnection::DisplayConnection(const QString &programName)
{
    program() = programName;
    passedOnTo() = qInstallMessageHandler(holdBack);
}

DisplayConnection::~DisplayConnection()
{
    qInstallMessageHandler(passedOnTo());
    QList<HeldMessage> messages;
    {
        const QMutexLocker locker(&heldLock());
        messages = std::exchange(held(), {});
    }
    for (const HeldMessage &message : std::as_const(messages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}
