#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny web server on the loopback interface, on a free port: answers each page it knows
// with its HTML and anything else with 404, and counts the requests for every path. Pages are
// never cached, so each navigation reaches the server.
class PageServer
{
public:
    PageServer()
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    bool listening() const { return m_server.isListening(); }
    void addPage(const QString &path, const QString &title, const QString &body = QString(),
                 const QString &style = QString())
    {
        m_pages.insert(
            path,
            QStringLiteral("<!DOCTYPE html><html><head><title>%1</title></head><body style=\"%3\">%2</body></html>")
                .arg(title, body.isEmpty() ? title : body, style));
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    int requests(const QString &path) const { return m_requests.value(path); }

private:
    void serve(QTcpSocket *socket)
    {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &request = m_partial[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
            m_partial.remove(socket);
            const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine.at(1)) : QString();
            m_requests[path] += 1;
            const bool known = m_pages.contains(path);
            const QByteArray body = known ? m_pages.value(path).toUtf8() : QByteArrayLiteral("not here");
            QByteArray response =
                known ? QByteArrayLiteral("HTTP/1.1 200 OK\r\n") : QByteArrayLiteral("HTTP/1.1 404 Not Found\r\n");
            response += "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                        "Connection: close\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\n\r\n" + body;
            socket->write(response);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QHash<QString, QString> m_pages;
    QHash<QString, int> m_requests;
    QHash<QTcpSocket *, QByteArray> m_partial;
};
