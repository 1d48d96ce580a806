#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueComment;

namespace Ui {
class CEditCommentDlg;
}

// Edits a comment line (or a blank line) of the sheet.
class CEditCommentDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditCommentDlg)

public:
    explicit CEditCommentDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditCommentDlg() override;

    void Load(const CCueComment& comment);
    // Sets the text when it was changed; true when the setter reported a
    // change. A change of letter case only is a change.
    bool Store(CCueComment& comment) const;

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditCommentDlg> m_ui;
    QString m_comment;
};
