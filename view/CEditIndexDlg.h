#pragma once

#include "document/CUtf8Codec.h"

#include <functional>
#include <memory>

#include <QDialog>
#include <QString>

#include "model/CCueTime.h"

class CCueIndex;
class CWavePos;
class IWavePlayer;

namespace Ui {
class CEditIndexDlg;
}

// Edits an INDEX line: whether it is INDEX 00 or numbered automatically,
// its time and its comment. A typed time outside the range the neighbouring
// tracks leave is questioned when the Time box loses the focus. With a wave
// player the dialog plays from the typed time and takes the play position
// as the new time: while it is open the player reports its position to the
// dialog and the position control shows no file; both are given back when
// the dialog closes, however it closes.
class CEditIndexDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditIndexDlg)

public:
    // player and position may be null. reconnect makes the frame the
    // player's position listener again.
    CEditIndexDlg(CCueIndex& index, IWavePlayer* player, CWavePos* position, std::function<void()> reconnect,
                  QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditIndexDlg() override;

    // Sets what was changed in the order number choice, comment, time; true
    // when any setter reported a change.
    bool Store();

    bool ZeroAllowed() const { return m_zeroAllowed; }
    const CCueTime& RangeStart() const { return m_rangeStart; }
    const CCueTime& RangeEnd() const { return m_rangeEnd; }
    const QString& RangeText() const { return m_rangeText; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool WithinRange(const CCueTime& time) const;
    void ShowTime(const QString& text);
    bool CheckTime(); // false when the typed time is refused
    void OnStep(int delta);
    void OnPlay();
    void OnSetTo();
    void RefreshSetTo(const CCueTime& position);
    void GiveBackPlayer();

    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditIndexDlg> m_ui;
    CCueIndex& m_index;
    IWavePlayer* m_player;
    CWavePos* m_position;
    std::function<void()> m_reconnect;
    bool m_holdsPlayer = false;
    QString m_savedFileName; // the position control's file while we hold it

    int m_loadedChoice = 0; // 0 for "00", 1 for automatic numbering
    bool m_zeroAllowed = false;
    QString m_loadedTime;
    QString m_timeText; // the Time box as last confirmed: focus loss, arrows, Set to
    QString m_loadedComment;
    CCueTime m_rangeStart;
    CCueTime m_rangeEnd;
    QString m_rangeText;
    QString m_setToText;
};
