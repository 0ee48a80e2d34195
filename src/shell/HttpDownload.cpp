#include "shell/HttpDownload.h"

#include "store/FileIO.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

THttpDownload::THttpDownload(QNetworkAccessManager& http, QString sourceURL, QString localPath,
                             THttpSettings settings)
    : FHttp(http)
    , FSourceURL(std::move(sourceURL))
    , FLocalPath(std::move(localPath))
    , FSettings(settings)
    , FFile(FLocalPath)
{
    FDeadline.setSingleShot(true);
    connect(&FDeadline, &QTimer::timeout, this, [this] {
        if (FReply)
            FReply->abort();
    });
}

THttpDownload::~THttpDownload()
{
    if (FRunning)
        Abandon();
}

void THttpDownload::Start()
{
    if (FRunning)
        return;
    if (QFile::exists(FLocalPath))
        QFile::remove(FLocalPath);
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TFileError("Cannot create file \"" + FLocalPath.toStdString() + "\". "
                         + FFile.errorString().toStdString());
    FRunning = true;
    FTooLarge = false;

    const QUrl url(FSourceURL);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        // Reported from the event loop, as every other outcome is.
        QMetaObject::invokeMethod(this, &THttpDownload::Fail, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(FSettings.MaxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(UserAgent));
    request.setRawHeader("Accept", Accept);
    // One request per connection: the client disconnects after each.
    request.setRawHeader("Connection", "close");
    FHttp.setProxy(QNetworkProxy::NoProxy);

    FReply = FHttp.get(request);
    connect(FReply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > FSettings.MaxBodyBytes && FReply) {
            FTooLarge = true;
            FReply->abort();
        }
    });
    connect(FReply, &QNetworkReply::finished, this, &THttpDownload::OnReplyFinished);
    FDeadline.start(FSettings.TransferTimeoutMs);
}

void THttpDownload::OnReplyFinished()
{
    FDeadline.stop();
    QNetworkReply* reply = FReply;
    FReply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299 || FTooLarge) {
        Fail();
        return;
    }
    const QByteArray body = reply->readAll();
    if (body.size() > FSettings.MaxBodyBytes || FFile.write(body) != body.size() || !FFile.flush()) {
        Fail();
        return;
    }
    FFile.close();
    FRunning = false;
    emit Finished(true);
}

void THttpDownload::Fail()
{
    Abandon();
    emit Finished(false);
}

void THttpDownload::Abandon()
{
    FDeadline.stop();
    if (FReply) {
        FReply->disconnect(this);
        FReply->abort();
        FReply->deleteLater();
        FReply = nullptr;
    }
    FFile.close();
    QFile::remove(FLocalPath);
    FRunning = false;
}
