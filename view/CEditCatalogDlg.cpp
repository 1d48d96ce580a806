#include "view/CEditCatalogDlg.h"

#include "ui_CEditCatalogDlg.h"

#include "model/CCueCatalog.h"
#include "view/DialogText.h"

CEditCatalogDlg::CEditCatalogDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditCatalogDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditCatalogDlg::~CEditCatalogDlg() = default;

void CEditCatalogDlg::Load(const CCueCatalog& catalog)
{
    m_number = ts::ItemText(m_codec, catalog.Number());
    m_comment = ts::ItemText(m_codec, catalog.Comment());
    m_ui->numberEdit->setText(m_number);
    m_ui->commentEdit->setText(m_comment);
}

bool CEditCatalogDlg::Store(CCueCatalog& catalog) const
{
    bool changed = false;
    if (m_ui->numberEdit->text() != m_number)
        changed |= catalog.SetNumber(ts::ItemBytes(m_codec, m_ui->numberEdit->text()));
    if (m_ui->commentEdit->text() != m_comment)
        changed |= catalog.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    return changed;
}

void CEditCatalogDlg::accept()
{
    if (ts::FieldsAcceptable(*this, m_codec, {{m_ui->numberEdit, "catalog number", true, false, true}, ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
