#include "view/CEditIsrcDlg.h"

#include "ui_CEditIsrcDlg.h"

#include "album/CTrackTable.h"
#include "model/CCueIsrc.h"
#include "platform/CPrompts.h"
#include "view/DialogText.h"

CEditIsrcDlg::CEditIsrcDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditIsrcDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditIsrcDlg::~CEditIsrcDlg() = default;

void CEditIsrcDlg::Load(const CCueIsrc& isrc)
{
    m_code = ts::ItemText(m_codec, isrc.Code());
    m_comment = ts::ItemText(m_codec, isrc.Comment());
    m_ui->trackValue->setText(ts::TrackText(isrc.Track()));
    m_ui->isrcEdit->setText(m_code);
    m_ui->commentEdit->setText(m_comment);
}

bool CEditIsrcDlg::Store(CCueIsrc& isrc) const
{
    bool changed = false;
    if (m_ui->isrcEdit->text() != m_code)
        changed |= isrc.SetCode(CTrackTable::IsrcOf(ts::ItemBytes(m_codec, m_ui->isrcEdit->text())));
    if (m_ui->commentEdit->text() != m_comment)
        changed |= isrc.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    return changed;
}

void CEditIsrcDlg::accept()
{
    if (!ts::FieldsAcceptable(*this, m_codec, {{m_ui->isrcEdit, "ISRC number", true, false, true}, ts::CommentField(m_ui->commentEdit)}))
        return;
    const QString typed = m_ui->isrcEdit->text();
    if (typed != m_code) {
        const std::string problem = CTrackTable::IsrcProblem(CTrackTable::IsrcOf(ts::ItemBytes(m_codec, typed)));
        if (!problem.empty()) {
            ShowMessageBox("The ISRC number\n" + typed.toStdString() + "\ncannot be written in a cue sheet: " + problem
                               + ".",
                           windowTitle().toStdString(), PromptButtons::Ok, PromptIcon::Error);
            m_ui->isrcEdit->setFocus();
            m_ui->isrcEdit->selectAll();
            return;
        }
    }
    QDialog::accept();
}
