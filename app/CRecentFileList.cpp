#include "app/CRecentFileList.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("Recent File List");
}

void CRecentFileList::Load(QSettings& settings)
{
    m_files.clear();
    settings.beginGroup(kSection);
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
    settings.endGroup();
}

void CRecentFileList::Save(QSettings& settings) const
{
    settings.beginGroup(kSection);
    for (int i = 1; i <= kSize; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_files.size())
            settings.setValue(key, m_files[i - 1]);
        else
            settings.remove(key);
    }
    settings.endGroup();
}

void CRecentFileList::Add(const QString& path)
{
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kSize)
        m_files.removeLast();
}

void CRecentFileList::Remove(const QString& path)
{
    m_files.removeAll(path);
}

QString CRecentFileList::DisplayName(const QString& path)
{
    if (path.size() <= kDisplayLength)
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = slash < 0 ? path : path.mid(slash + 1);
    const QString ellipsis = QStringLiteral("...");
    if (name.size() + ellipsis.size() + 1 > kDisplayLength)
        return name.size() <= kDisplayLength ? name : name.left(kDisplayLength - ellipsis.size()) + ellipsis;
    // Keep the first folder (or the root) and as many trailing folders as fit.
    const qsizetype firstEnd = path.indexOf(QLatin1Char('/'), path.startsWith(QLatin1Char('/')) ? 1 : 0);
    const QString head = firstEnd < 0 ? QString() : path.left(firstEnd + 1);
    QString tail = QLatin1Char('/') + name;
    qsizetype cut = slash;
    while (cut > firstEnd) {
        const qsizetype previous = path.lastIndexOf(QLatin1Char('/'), cut - 1);
        if (previous <= firstEnd)
            break;
        const QString longer = path.mid(previous, slash - previous) + QLatin1Char('/') + name;
        if (head.size() + ellipsis.size() + longer.size() > kDisplayLength)
            break;
        tail = longer;
        cut = previous;
    }
    if (head.size() + ellipsis.size() + tail.size() > kDisplayLength)
        return ellipsis + tail;
    return head + ellipsis + tail;
}
