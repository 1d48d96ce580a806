#include "app/CFileAssociation.h"

#include <QProcess>
#include <QStandardPaths>

CFileAssociation::CFileAssociation(QObject* parent)
    : QObject(parent)
{
}

bool CFileAssociation::MayClaim(const QString& currentDefault)
{
    const QString current = currentDefault.trimmed();
    return current.isEmpty() || current == QLatin1String(kDesktopFile);
}

void CFileAssociation::Claim()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()
        || QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QLatin1String(kDesktopFile)).isEmpty())
        return;
    m_query = new QProcess(this);
    connect(m_query, &QProcess::finished, this, [this, xdgMime](int exitCode, QProcess::ExitStatus status) {
        const QString current = QString::fromLocal8Bit(m_query->readAllStandardOutput());
        m_query->deleteLater();
        m_query = nullptr;
        if (status != QProcess::NormalExit || exitCode != 0 || !MayClaim(current))
            return;
        QProcess::startDetached(xdgMime, {QStringLiteral("default"), QLatin1String(kDesktopFile),
                                          QLatin1String(kMimeType)});
    });
    m_query->start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QLatin1String(kMimeType)});
}
