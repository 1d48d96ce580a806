#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueCdText;

namespace Ui {
class CEditCdTextDlg;
}

// Edits a CD-TEXT line: its keyword, its text and its comment.
class CEditCdTextDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditCdTextDlg)

public:
    explicit CEditCdTextDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditCdTextDlg() override;

    // The keyword list offers CDTEXTFILE only at disc level; a keyword
    // outside the list is offered as it was written.
    void Load(const CCueCdText& text);
    // Sets what was changed; true when a setter reported a change. The
    // text is saved in double quotes when it was quoted before or holds a
    // blank or a semicolon.
    bool Store(CCueCdText& text) const;

    // Refuses a changed text that would not read back as typed: one the
    // sheet's encoding cannot hold, or a double quote inside a value that
    // is written in double quotes, where it would end the value early.
    void accept() override;

private:
    bool WrittenQuoted(const QString& typed) const;

    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditCdTextDlg> m_ui;
    QString m_keyword;
    QString m_text;
    QString m_comment;
    bool m_quoted = false;
};
