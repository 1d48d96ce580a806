#include "view/CEditFlagsDlg.h"

#include "ui_CEditFlagsDlg.h"

#include "model/CCueFlags.h"
#include "view/DialogText.h"

CEditFlagsDlg::CEditFlagsDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditFlagsDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditFlagsDlg::~CEditFlagsDlg() = default;

void CEditFlagsDlg::Load(const CCueFlags& flags)
{
    m_comment = ts::ItemText(m_codec, flags.Comment());
    m_ui->trackValue->setText(ts::TrackText(flags.Track()));
    m_ui->dcpCheck->setChecked(flags.Dcp());
    m_ui->fourChannelCheck->setChecked(flags.FourChannel());
    m_ui->preEmphasisCheck->setChecked(flags.PreEmphasis());
    m_ui->commentEdit->setText(m_comment);
}

bool CEditFlagsDlg::Store(CCueFlags& flags) const
{
    // The setter compares each flag and tells the document once.
    bool changed = flags.Set(m_ui->dcpCheck->isChecked(), m_ui->fourChannelCheck->isChecked(),
                             m_ui->preEmphasisCheck->isChecked());
    if (m_ui->commentEdit->text() != m_comment)
        changed |= flags.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    return changed;
}

void CEditFlagsDlg::accept()
{
    if (ts::FieldsAcceptable(*this, m_codec, {ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
