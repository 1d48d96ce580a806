#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include "model/CCueTime.h"

// The wave position control on the wavebar: the wave file's name, the
// current position in bold and the file's length in parentheses. It keeps
// the program's current wave position, repaints only when a value really
// changes and neither takes the focus nor reacts to the mouse.
class CWavePos final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWavePos)

public:
    explicit CWavePos(QWidget* parent = nullptr);

    // The default GUI font at a 16 pixel cell height, normal and bold, and
    // the gap: the width of one blank in the bold font.
    bool InitFonts();

    // Each setter stores and repaints only on a real change: the name
    // compared as the file system compares names (by letter case except on
    // Windows), times through milliseconds. A default-constructed time is a
    // cleared one. A new name clears the reason.
    bool SetFileName(const QString& fileName);
    // Why the named file cannot be played; the control then shows the name
    // greyed with the reason instead of the figures. Empty when it can.
    bool SetReason(const QString& reason);
    const QString& GetReason() const { return m_reason; }
    // What the control reads as text: the name and the reason, or the name,
    // the position and the length.
    QString Text() const;
    bool SetPosition(const CCueTime& position);
    bool SetLength(const CCueTime& length);

    const QString& GetFileName() const { return m_fileName; }
    const QString& GetDisplayName() const { return m_displayName; }
    CCueTime GetPosition() const { return m_position; }
    CCueTime GetLength() const { return m_length; }
    const QFont& NormalFont() const { return m_normalFont; }
    const QFont& BoldFont() const { return m_boldFont; }
    int GetGap() const { return m_gap; }

    // "mm:ss:ff" at 75 frames a second; false for a time of unknown format.
    bool FormatPosition(QString& text) const;
    // "(mm:ss:ff)" only when one part is not zero; otherwise the text is
    // left as it was.
    bool FormatLength(QString& text) const;

    // The display name as painted: shortened in the middle when the whole
    // line would not fit the control's width.
    QString ShownName() const;

    // A wave time as "mm:ss:ff" at 75 frames a second with whole minutes,
    // so that a five-hour file reads 300:00:00. Empty for a time of
    // unknown format.
    static QString WaveTimeText(const CCueTime& time);
    // Reads such a text back; anything else as a cue time reads.
    static CCueTime ParseWaveTime(const QString& text);

    // The name without drive and folders, for '\\' and '/' alike.
    static QString DisplayNameOf(const QString& fileName);

Q_SIGNALS:
    // A setter changed the content and asked for a repaint.
    void ContentChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Changed();

    QString m_fileName;
    QString m_displayName;
    QString m_reason;
    CCueTime m_position;
    CCueTime m_length;
    QFont m_normalFont;
    QFont m_boldFont;
    int m_gap = 0;
};
