#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueIsrc;

namespace Ui {
class CEditIsrcDlg;
}

// Edits an ISRC line: the code, kept as typed, and its comment.
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
