#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueFlags;

namespace Ui {
class CEditFlagsDlg;
}

// Edits a FLAGS line: the three flags and its comment.
class CEditFlagsDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditFlagsDlg)

public:
    explicit CEditFlagsDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditFlagsDlg() override;

    void Load(const CCueFlags& flags);
    // Sets the three flags together, then the comment when it was changed.
    bool Store(CCueFlags& flags) const;

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditFlagsDlg> m_ui;
    QString m_comment;
};
