#include "view/CEditCommentDlg.h"

#include "ui_CEditCommentDlg.h"

#include "model/CCueComment.h"
#include "view/DialogText.h"

CEditCommentDlg::CEditCommentDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditCommentDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditCommentDlg::~CEditCommentDlg() = default;

void CEditCommentDlg::Load(const CCueComment& comment)
{
    m_comment = ts::ItemText(m_codec, comment.Comment());
    m_ui->commentEdit->setText(m_comment);
}

bool CEditCommentDlg::Store(CCueComment& comment) const
{
    if (m_ui->commentEdit->text() == m_comment)
        return false;
    return comment.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
}

void CEditCommentDlg::accept()
{
    if (ts::FieldsAcceptable(*this, m_codec, {ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
