#include "LoopbackHttpServer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <stdexcept>
#include <utility>

TLoopbackHttpServer::TLoopbackHttpServer()
    : FServer(new QTcpServer(this))
{
    if (!FServer->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("cannot listen on 127.0.0.1");
    connect(FServer, &QTcpServer::newConnection, this, &TLoopbackHttpServer::OnNewConnection);
}

TLoopbackHttpServer::~TLoopbackHttpServer()
{
    FServer->close();
}

quint16 TLoopbackHttpServer::Port() const
{
    return FServer->serverPort();
}

QString TLoopbackHttpServer::BaseURL() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(Port());
}

void TLoopbackHttpServer::SetResponse(const QByteArray& path, THttpScriptedResponse response)
{
    FResponses[path] = std::move(response);
}

void TLoopbackHttpServer::SetBody(const QByteArray& path, const QByteArray& body)
{
    THttpScriptedResponse response;
    response.Body = body;
    SetResponse(path, response);
}

QString TLoopbackHttpServer::AddRedirectChain(int hops, const QByteArray& target)
{
    for (int i = 1; i <= hops; ++i) {
        THttpScriptedResponse response;
        response.Status = 302;
        response.Reason = "Found";
        const QByteArray next = i == hops ? target : "/chain/" + QByteArray::number(i + 1);
        response.Headers.append({"Location", next});
        SetResponse("/chain/" + QByteArray::number(i), response);
    }
    return BaseURL() + QStringLiteral("chain/1");
}

void TLoopbackHttpServer::ReleaseHeld()
{
    const auto held = std::exchange(FHeld, {});
    for (const auto& [socket, response] : held) {
        THttpScriptedResponse answer = response;
        answer.Hold = false;
        Answer(socket, answer);
    }
}

quint16 TLoopbackHttpServer::ClosedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("cannot listen on 127.0.0.1");
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void TLoopbackHttpServer::OnNewConnection()
{
    while (QTcpSocket* socket = FServer->nextPendingConnection()) {
        socket->setParent(this);
        FPending[socket] = {};
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] {
            FPending.remove(socket);
            FHeld.removeIf([socket](const auto& entry) { return entry.first == socket; });
        });
    }
}

void TLoopbackHttpServer::OnReadyRead(QTcpSocket* socket)
{
    if (!FPending.contains(socket))
        return;
    QByteArray& buffer = FPending[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    FPending.remove(socket);

    TRecordedRequest request;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.Method = first.value(0);
    request.Path = first.value(1);
    request.Version = first.value(2);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            request.Headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    FRequests.append(request);

    THttpScriptedResponse response;
    if (auto found = FResponses.constFind(request.Path); found != FResponses.constEnd()) {
        response = *found;
    } else {
        response.Status = 404;
        response.Reason = "Not Found";
        response.Body = "not found";
    }
    if (response.Hold)
        FHeld.append({socket, response});
    else
        Answer(socket, response);
    emit RequestReceived();
}

void TLoopbackHttpServer::Answer(QTcpSocket* socket, const THttpScriptedResponse& response)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(response.Status) + ' ' + response.Reason + "\r\n";
    for (const auto& [name, value] : response.Headers)
        out += name + ": " + value + "\r\n";
    out += "Content-Length: " + QByteArray::number(response.Body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += response.Body;
    socket->write(out);
    socket->disconnectFromHost();
}
