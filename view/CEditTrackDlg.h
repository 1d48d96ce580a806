#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueTrack;

namespace Ui {
class CEditTrackDlg;
}

// Edits a TRACK line: its type and comment; number and file are shown only.
class CEditTrackDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditTrackDlg)

public:
    explicit CEditTrackDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditTrackDlg() override;

    void Load(const CCueTrack& track);
    // Sets what was changed, comment first, then the type.
    bool Store(CCueTrack& track) const;

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditTrackDlg> m_ui;
    int m_type = -1;
    QString m_comment;
};
