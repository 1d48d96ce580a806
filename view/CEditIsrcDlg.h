#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueIsrc;

namespace Ui {
class CEditIsrcDlg;
}

// Edits an ISRC line: the code and its comment. A changed code must have
// the ISRC's form; blanks and dashes typed in it are left out and letters
// written in capitals, as the track table does. A code read from the sheet
// is kept as it is while it is not changed.
class CEditIsrcDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditIsrcDlg)

public:
    explicit CEditIsrcDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditIsrcDlg() override;

    void Load(const CCueIsrc& isrc);
    // Sets what was changed, the code first, then the comment.
    bool Store(CCueIsrc& isrc) const;

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditIsrcDlg> m_ui;
    QString m_code;
    QString m_comment;
};
