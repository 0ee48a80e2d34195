#pragma once
// A scripted HTTP server on 127.0.0.1 (port chosen by the system) for tests
// of the program's downloads. Runs on the test's own event loop.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>

class QTcpServer;
class QTcpSocket;

struct THttpScriptedResponse {
    int Status = 200;
    QByteArray Reason = "OK";
    QList<QPair<QByteArray, QByteArray>> Headers;
    QByteArray Body;
    // Keep the connection open without an answer until ReleaseHeld().
    bool Hold = false;
};

struct TRecordedRequest {
    QByteArray Method;
    QByteArray Path;
    QByteArray Version;
    QMap<QByteArray, QByteArray> Headers; // names lower-cased
};

class TLoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    TLoopbackHttpServer();
    ~TLoopbackHttpServer() override;

    quint16 Port() const;
    // "http://127.0.0.1:<port>/"
    QString BaseURL() const;

    // The answer for `path` ("/x/y"); an unscripted path answers 404.
    void SetResponse(const QByteArray& path, THttpScriptedResponse response);
    void SetBody(const QByteArray& path, const QByteArray& body);
    // /chain/1 .. /chain/<hops> each redirect (302) to the next, and
    // /chain/<hops> redirects to `target`. Returns the first address.
    QString AddRedirectChain(int hops, const QByteArray& target);

    const QList<TRecordedRequest>& Requests() const { return FRequests; }
    // Sends the held answers.
    void ReleaseHeld();

    // A port on 127.0.0.1 where nothing listens.
    static quint16 ClosedPort();

signals:
    void RequestReceived();

private:
    void OnNewConnection();
    void OnReadyRead(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const THttpScriptedResponse& response);

    QTcpServer* FServer = nullptr;
    QMap<QByteArray, THttpScriptedResponse> FResponses;
    QList<TRecordedRequest> FRequests;
    QMap<QTcpSocket*, QByteArray> FPending;
    QList<QPair<QTcpSocket*, THttpScriptedResponse>> FHeld;
};
