#include "view/CEditTrackDlg.h"

#include "ui_CEditTrackDlg.h"

#include "model/CCueFile.h"
#include "model/CCueTrack.h"
#include "view/DialogText.h"

namespace {

// The list holds the types a sheet can name, so its row is the type's code.
int TypeRow(TrackType type)
{
    const int row = static_cast<int>(type);
    return row <= static_cast<int>(TrackType::Cdi_2352) ? row : -1;
}

} // namespace

CEditTrackDlg::CEditTrackDlg(QWidget* parent, const ISheetCodec& codec)
    : QDialog(parent)
    , m_codec(codec)
    , m_ui(std::make_unique<Ui::CEditTrackDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CEditTrackDlg::~CEditTrackDlg() = default;

void CEditTrackDlg::Load(const CCueTrack& track)
{
    m_type = TypeRow(track.Type());
    m_comment = ts::ItemText(m_codec, track.Comment());
    m_ui->trackValue->setText(QString::asprintf("%.2d", track.Number()));
    m_ui->fileValue->setText(track.File() ? ts::ItemText(m_codec, track.File()->Name()) : QString());
    m_ui->typeCombo->setCurrentIndex(m_type);
    m_ui->commentEdit->setText(m_comment);
}

bool CEditTrackDlg::Store(CCueTrack& track) const
{
    bool changed = false;
    if (m_ui->commentEdit->text() != m_comment)
        changed |= track.SetComment(ts::ItemBytes(m_codec, m_ui->commentEdit->text()));
    // A type outside the list shows no row and is kept unless one is picked.
    const int type = m_ui->typeCombo->currentIndex();
    if (type >= 0 && type != m_type)
        changed |= track.SetType(static_cast<TrackType>(type));
    return changed;
}

void CEditTrackDlg::accept()
{
    if (ts::FieldsAcceptable(*this, m_codec, {ts::CommentField(m_ui->commentEdit)}))
        QDialog::accept();
}
