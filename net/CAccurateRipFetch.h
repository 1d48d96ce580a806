#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>

// Fetches a disc's file from the AccurateRip database over HTTP on a
// thread of its own, so that neither the window nor a long wait on the
// network holds anything else up. The database's address is the setting
// AccurateRip/BaseUrl of QSettings("Kestrel", "Tracksmith").
class CAccurateRipFetch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAccurateRipFetch)

public:
    enum class Outcome { Found, NotFound, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QByteArray data;
        QString message; // why it failed, for the user
    };

    static constexpr const char* kSettingKey = "AccurateRip/BaseUrl";
    static constexpr const char* kDefaultBaseUrl = "http://www.accuraterip.com/accuraterip";
    static QString BaseUrl();

    explicit CAccurateRipFetch(QObject* parent);
    ~CAccurateRipFetch() override;

    // path: "x/y/z/dBAR-....bin". Finished follows once, on this object's
    // thread.
    void Start(const QString& path);
    // Start, then wait for the answer in a local event loop.
    Result Fetch(const QString& path);

signals:
    void Finished(const CAccurateRipFetch::Result& result);

private:
    QThread m_thread;
};
