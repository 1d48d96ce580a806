#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most recently opened sheets, most recent first, at most four. Stored
// under "Recent File List" as "File1" to "File4".
class CRecentFileList final
{
public:
    static constexpr int kSize = 4;
    static constexpr int kDisplayLength = 30;

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

    // The path shortened for the menu to at most kDisplayLength characters:
    // the root and the file name stay, folders in between become "...".
    static QString DisplayName(const QString& path);

private:
    QStringList m_files;
};
