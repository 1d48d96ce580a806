#pragma once

#include <QObject>

class QProcess;

// Makes Tracksmith the desktop's program for cue sheets
// (application/x-cue), but only when no program is set for them or it is
// already Tracksmith: another program's claim is left alone. Runs in the
// background through xdg-mime and only when the desktop file is installed.
class CFileAssociation final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFileAssociation)

public:
    static constexpr const char* kDesktopFile = "tracksmith.desktop";
    static constexpr const char* kMimeType = "application/x-cue";

    explicit CFileAssociation(QObject* parent);

    // Starts the check; does nothing when the desktop file or xdg-mime is
    // missing.
    void Claim();

    // Whether a current default (xdg-mime's answer) may be replaced.
    static bool MayClaim(const QString& currentDefault);

private:
    QProcess* m_query = nullptr;
};
