#include "net/CAccurateRipFetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QUrl>

namespace {

constexpr int kTimeoutMs = 20000;

} // namespace

QString CAccurateRipFetch::BaseUrl()
{
    const QSettings settings(QStringLiteral("Kestrel"), QStringLiteral("Tracksmith"));
    QString url = settings.value(QLatin1StringView(kSettingKey), QLatin1StringView(kDefaultBaseUrl)).toString();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

CAccurateRipFetch::CAccurateRipFetch(QObject* parent)
    : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("AccurateRip fetch"));
}

CAccurateRipFetch::~CAccurateRipFetch()
{
    m_thread.quit();
    m_thread.wait();
}

void CAccurateRipFetch::Start(const QString& path)
{
    const QUrl url(BaseUrl() + QLatin1Char('/') + path);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        Result result;
        result.message = QStringLiteral("The AccurateRip address \"%1\" is no HTTP address").arg(BaseUrl());
        QMetaObject::invokeMethod(this, [this, result] { emit Finished(result); }, Qt::QueuedConnection);
        return;
    }
    if (!m_thread.isRunning())
        m_thread.start();
    // The manager and its reply live on the fetch thread; the answer comes
    // back to this object's thread through a queued call.
    auto* manager = new QNetworkAccessManager;
    manager->moveToThread(&m_thread);
    // A fetch still waiting when this object goes ends with the thread.
    connect(&m_thread, &QThread::finished, manager, &QObject::deleteLater);
    QMetaObject::invokeMethod(manager, [this, manager, url] {
        QNetworkRequest request(url);
        request.setTransferTimeout(kTimeoutMs);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        QNetworkReply* reply = manager->get(request);
        QObject::connect(reply, &QNetworkReply::finished, manager, [this, manager, reply, url] {
            Result result;
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (status == 404) {
                result.outcome = Outcome::NotFound;
            } else if (reply->error() != QNetworkReply::NoError) {
                result.message = QStringLiteral("The AccurateRip database at \"%1\" cannot be reached: %2")
                                     .arg(url.host(), reply->errorString());
            } else {
                result.outcome = Outcome::Found;
                result.data = reply->readAll();
            }
            reply->deleteLater();
            manager->deleteLater();
            QMetaObject::invokeMethod(this, [this, result] { emit Finished(result); }, Qt::QueuedConnection);
        });
    });
}

CAccurateRipFetch::Result CAccurateRipFetch::Fetch(const QString& path)
{
    Result result;
    QEventLoop loop;
    const QMetaObject::Connection done = connect(this, &CAccurateRipFetch::Finished, &loop, [&](const Result& r) {
        result = r;
        loop.quit();
    });
    Start(path);
    loop.exec();
    disconnect(done);
    return result;
}
