#pragma once
// One HTTP GET of a small file into a local file, without blocking: the
// event loop keeps running and Finished reports the outcome.

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QNetworkAccessManager;
class QNetworkReply;

struct THttpSettings {
    int MaxRedirects = 15;
    // The whole transfer, connecting included: a site that never answers
    // must not keep a check waiting for ever.
    int TransferTimeoutMs = 60000;
    // Far above any update file: a larger answer is no update file.
    qint64 MaxBodyBytes = 1024 * 1024;
};

class THttpDownload : public QObject {
    Q_OBJECT
public:
    static constexpr const char* UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    static constexpr const char* Accept = "text/html, */*";

    THttpDownload(QNetworkAccessManager& http, QString sourceURL, QString localPath, THttpSettings settings = {});
    // A transfer still running is abandoned and its partial file deleted.
    ~THttpDownload() override;

    // Deletes the local file, creates it empty and starts the GET. A file
    // that cannot be created throws TFileError and starts nothing.
    void Start();
    bool Running() const { return FRunning; }

signals:
    // True when the body is in the local file; on false the local file is gone.
    void Finished(bool ok);

private:
    void OnReplyFinished();
    void Fail();
    void Abandon();

    QNetworkAccessManager& FHttp;
    QString FSourceURL;
    QString FLocalPath;
    THttpSettings FSettings;
    QFile FFile;
    QPointer<QNetworkReply> FReply;
    QTimer FDeadline;
    bool FRunning = false;
    bool FTooLarge = false;
};
