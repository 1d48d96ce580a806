#include "view/CExportTracksDlg.h"

#include "ui_CExportTracksDlg.h"

#include <QPushButton>

namespace {

// The combo boxes list the formats and the gap rules in these orders.
constexpr TrackFormat kFormats[] = {TrackFormat::Flac, TrackFormat::Wav, TrackFormat::Opus, TrackFormat::Mp3};
constexpr GapRule kRules[] = {GapRule::Append, GapRule::Prepend, GapRule::Drop};

template <class T, std::size_t N>
int IndexOf(const T (&list)[N], T value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (list[i] == value)
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace

CExportTracksDlg::CExportTracksDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CExportTracksDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // No folder, nothing to export.
    connect(m_ui->folderEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_ui->buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.trimmed().isEmpty());
    });
}

CExportTracksDlg::~CExportTracksDlg() = default;

void CExportTracksDlg::Load(const std::string& folder, const CTrackPlan::Options& options)
{
    m_ui->folderEdit->setText(QString::fromStdString(folder));
    m_ui->formatCombo->setCurrentIndex(IndexOf(kFormats, options.format));
    m_ui->gapsCombo->setCurrentIndex(IndexOf(kRules, options.gaps));
}

std::string CExportTracksDlg::Folder() const
{
    return m_ui->folderEdit->text().trimmed().toStdString();
}

CTrackPlan::Options CExportTracksDlg::Options() const
{
    CTrackPlan::Options options;
    const int format = m_ui->formatCombo->currentIndex();
    const int rule = m_ui->gapsCombo->currentIndex();
    if (format >= 0 && format < static_cast<int>(std::size(kFormats)))
        options.format = kFormats[format];
    if (rule >= 0 && rule < static_cast<int>(std::size(kRules)))
        options.gaps = kRules[rule];
    return options;
}
