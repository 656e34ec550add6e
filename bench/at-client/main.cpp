// An assistive technology's side of the accessibility bus, reduced to what makes the program
// do a screen reader's work: it registers for the events a screen reader follows and takes
// delivery of them. Without a listener registered, Qt's bridge sends no events at all.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusReply<QString> address = QDBusConnection::sessionBus().call(ask);
    if (!address.isValid()) {
        std::fprintf(stderr, "no accessibility bus: %s\n", qPrintable(address.error().message()));
        return 1;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(address.value(), QStringLiteral("a11y"));
    if (!bus.isConnected()) {
        std::fprintf(stderr, "cannot connect to the accessibility bus at %s\n", qPrintable(address.value()));
        return 1;
    }
    // Every event arrives here, as at a screen reader's connection.
    bus.interface()->call(QStringLiteral("AddMatch"), QStringLiteral("type='signal'"));
    for (const char *event : {"object:", "window:", "focus:", "document:"}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
        call << QString::fromLatin1(event) << QStringList() << QString();
        const QDBusMessage reply = bus.call(call);
        if (reply.type() == QDBusMessage::ErrorMessage) {
            std::fprintf(stderr, "the registry refused %s: %s\n", event, qPrintable(reply.errorMessage()));
            return 1;
        }
    }
    std::printf("listening\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
