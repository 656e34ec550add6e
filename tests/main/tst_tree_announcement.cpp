#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QTest>
#include <QTreeView>

// Hears the accessibility bus as a screen reader does: registered for object events, it keeps
// every state change it is sent.
class StateListener : public QObject
{
    Q_OBJECT

public:
    struct Change
    {
        QString path;
        QString state;
        int value = 0;
    };
    QList<Change> changes;

public Q_SLOTS:
    void stateChanged(const QDBusMessage &message)
    {
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() >= 2)
            changes.append({message.path(), arguments.at(0).toString(), arguments.at(1).toInt()});
    }
};

// A screen reader on the real AT-SPI bridge hears a category open and close from the keyboard:
// the item it has in focus changes its state "expanded", and says so when asked. Runs on an X server with the bridge
// on, on a D-Bus session of its own (see the test's command).
class TestTreeAnnouncement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QDBusMessage reply = QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                           QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(reply.arguments().value(0).toString(), QStringLiteral("screen reader")));
        QVERIFY(m_bus->isConnected());
        // Asked for its address, the session starts the accessibility bus; the bridge then
        // reaches it.
        QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "the accessibility bridge is off", 10000);
        QVERIFY(m_bus->connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                               QStringLiteral("StateChanged"), &m_listener, SLOT(stateChanged(QDBusMessage))));
        QDBusMessage registration = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
        registration << QStringLiteral("object:") << QStringList() << QString();
        QCOMPARE(m_bus->call(registration).type(), QDBusMessage::ReplyMessage);

        TestDatabase::ResetWithSample();
        m_window = std::make_unique<frmMain>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // No window manager on the test's X server: the window takes the focus itself.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_tree = m_window->findChild<QTreeView *>(QStringLiteral("CatTree"));
        const QModelIndex category = m_tree->model()->index(0, 0, m_tree->model()->index(0, 0));
        QVERIFY(m_tree->model()->hasChildren(category));
        QVERIFY(!m_tree->isExpanded(category));
        BrowsingFixture::ClickNode(m_tree, category);
        QCOMPARE(m_tree->currentIndex(), category);
        QTRY_VERIFY(!m_window->ListLoading());
        // The bridge sends events once it knows someone listens: the focus's arrives.
        QTRY_VERIFY_WITH_TIMEOUT(heard(QStringLiteral("focused"), 1), 10000);
    }

    void openAndCloseAreHeard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expanded");
        QTest::newRow("Right opens") << int(Qt::Key_Right) << 1;
        QTest::newRow("Left closes") << int(Qt::Key_Left) << 0;
    }

    void openAndCloseAreHeard()
    {
        QFETCH(int, key);
        QFETCH(int, expanded);
        m_listener.changes.clear();

        // The bridge hands each key to the screen reader first, and Qt delivers it once answered.
        QTest::keyClick(m_tree, Qt::Key(key));
        QTRY_COMPARE(m_tree->isExpanded(m_tree->currentIndex()), expanded == 1);
        // The item the keyboard is on tells that it opened or closed, and a screen reader asks it
        // at once for what it says: its name, and whether it is open.
        QTRY_VERIFY_WITH_TIMEOUT(heard(QStringLiteral("expanded"), expanded), 10000);
        const QString item =
            std::find_if(m_listener.changes.cbegin(), m_listener.changes.cend(), [expanded](const auto &change) {
                return change.state == QStringLiteral("expanded") && change.value == expanded;
            })->path;
        QCOMPARE(ask(item, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                     {QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("Name")})
                     .value<QDBusVariant>()
                     .variant()
                     .toString(),
                 m_tree->currentIndex().data().toString());
        const uint low = qdbus_cast<QList<uint>>(
                             ask(item, QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetState"), {}))
                             .value(0);
        QVERIFY(low & (1u << Expandable));
        QCOMPARE(bool(low & (1u << Expanded)), expanded == 1);
    }

    void cleanupTestCase() { m_window.reset(); }

private:
    // AT-SPI's state numbers.
    static constexpr int Expandable = 9;
    static constexpr int Expanded = 10;

    // Asks the program's object at path over the accessibility bus, as a screen reader does,
    // without blocking the program that answers; the answer's first value.
    QVariant ask(const QString &path, const QString &interface, const QString &method, const QVariantList &arguments)
    {
        QDBusMessage question = QDBusMessage::createMethodCall(QDBusConnection(QStringLiteral("a11y")).baseService(),
                                                               path, interface, method);
        question.setArguments(arguments);
        QDBusPendingCall answer = m_bus->asyncCall(question);
        if (!QTest::qWaitFor([&answer] { return answer.isFinished(); }, 10000) || answer.isError()) {
            qWarning("%s on %s: %s", qPrintable(method), qPrintable(path), qPrintable(answer.error().message()));
            return QVariant();
        }
        return answer.reply().arguments().value(0);
    }

    bool heard(const QString &state, int value, const QString &path = QString()) const
    {
        return std::any_of(m_listener.changes.cbegin(), m_listener.changes.cend(), [&](const auto &change) {
            return change.state == state && change.value == value && (path.isEmpty() || change.path == path);
        });
    }

    StateListener m_listener;
    std::unique_ptr<QDBusConnection> m_bus;
    std::unique_ptr<frmMain> m_window;
    QTreeView *m_tree = nullptr;
};

TARNWICK_TEST_MAIN(TestTreeAnnouncement)
#include "tst_tree_announcement.moc"
