#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueItem;
class CCuePostgap;
class CCuePregap;
class CCueTime;
class CCueTrack;

namespace Ui {
class CEditGapDlg;
}

// Edits a PREGAP or POSTGAP line: its time and comment. The title names
// the kind of gap.
class CEditGapDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditGapDlg)

public:
    explicit CEditGapDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditGapDlg() override;

    void Load(const CCuePregap& gap);
    void Load(const CCuePostgap& gap);
    // Sets what was changed, time first, then the comment.
    bool Store(CCuePregap& gap) const;
    bool Store(CCuePostgap& gap) const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    void LoadGap(const QString& title, const CCueTrack* track, const CCueTime& time, const CCueItem& gap);
    template <typename Gap>
    bool StoreGap(Gap& gap) const;
    bool NormaliseTime(); // false when the typed time is refused

    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditGapDlg> m_ui;
    QString m_loadedTime;
    QString m_timeText; // what the Time box held when it last lost the focus
    QString m_comment;
};
