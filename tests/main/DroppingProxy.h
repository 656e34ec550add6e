#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <atomic>

// A relay on the loopback interface, on a free port, to a server on another: it passes the
// bytes of every connection through as they are (TLS included) until told to drop them all,
// as a network that goes away drops them, without a word from either side, or to fall silent: to
// pass nothing on while every connection stays open, as a pulled cable or a firewall that drops
// does, until told to pass again. It runs on a thread
// of its own, since the program waits for the server's answer on the main one.
class DroppingProxy
{
public:
    explicit DroppingProxy(quint16 serverPort)
    {
        m_context = new QObject;
        m_context->moveToThread(&m_thread);
        // With its sockets, in its thread, as the thread ends.
        QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
        m_thread.start();
        onThread([this, serverPort] {
            auto *server = new QTcpServer(m_context);
            QObject::connect(server, &QTcpServer::newConnection, m_context, [this, server, serverPort] {
                while (QTcpSocket *client = server->nextPendingConnection())
                    relay(client, serverPort);
            });
            if (server->listen(QHostAddress::LocalHost, 0))
                m_port = server->serverPort();
        });
    }

    ~DroppingProxy()
    {
        m_thread.quit();
        m_thread.wait();
    }

    // 0 when it could not listen.
    quint16 port() const { return m_port; }
    int connections() const { return m_connections; }

    // Ends every connection it relays at once.
    void drop()
    {
        onThread([this] {
            for (QTcpSocket *socket : m_context->findChildren<QTcpSocket *>())
                socket->abort();
        });
    }

    // Passes nothing on, either way, from now on; pass() hands on what waited meanwhile.
    void fallSilent() { m_silent = true; }
    void pass()
    {
        m_silent = false;
        onThread([this] {
            for (QTcpSocket *socket : m_context->findChildren<QTcpSocket *>())
                Q_EMIT socket->readyRead();
        });
    }

private:
    template<typename Work> void onThread(Work work)
    {
        QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
    }

    void relay(QTcpSocket *client, quint16 serverPort)
    {
        ++m_connections;
        client->setParent(m_context);
        auto *server = new QTcpSocket(m_context);
        // Written before the connection is made, the bytes wait in the socket until it is.
        server->connectToHost(QHostAddress::LocalHost, serverPort);
        const auto pass = [this](QTcpSocket *from, QTcpSocket *to) {
            QObject::connect(from, &QTcpSocket::readyRead, to, [this, from, to] {
                if (!m_silent)
                    to->write(from->readAll());
            });
            QObject::connect(from, &QTcpSocket::disconnected, to, [to] { to->disconnectFromHost(); });
        };
        pass(client, server);
        pass(server, client);
    }

    QThread m_thread;
    QObject *m_context = nullptr;
    quint16 m_port = 0;
    std::atomic<int> m_connections = 0;
    std::atomic<bool> m_silent = false;
};
