#pragma once

#include "document/CUtf8Codec.h"

#include <memory>

#include <QDialog>
#include <QString>

class CCueCatalog;

namespace Ui {
class CEditCatalogDlg;
}

// Edits the CATALOG line: the catalog number, kept as typed, and its comment.
class CEditCatalogDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditCatalogDlg)

public:
    explicit CEditCatalogDlg(QWidget* parent, const ISheetCodec& codec = CUtf8Codec::Instance());
    ~CEditCatalogDlg() override;

    void Load(const CCueCatalog& catalog);
    // Sets what was changed, the number first, then the comment.
    bool Store(CCueCatalog& catalog) const;

    // Refuses OK while a box holds what the sheet cannot take.
    void accept() override;

private:
    const ISheetCodec& m_codec;
    std::unique_ptr<Ui::CEditCatalogDlg> m_ui;
    QString m_number;
    QString m_comment;
};
