#include "view/CExportTracklistDlg.h"

#include "ui_CExportTracklistDlg.h"

#include <QPushButton>

#include "platform/CPrompts.h"
#include "platform/FileUtil.h"

namespace {

// The combo box lists the formats in this order.
constexpr CTracklistWriter::Format kFormats[] = {
    CTracklistWriter::Format::YouTube, CTracklistWriter::Format::Audacity, CTracklistWriter::Format::FfMetadata,
    CTracklistWriter::Format::Matroska, CTracklistWriter::Format::Podcast, CTracklistWriter::Format::Csv};

} // namespace

CExportTracklistDlg::CExportTracklistDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CExportTracklistDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->browseButton, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_ui->fileEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_ui->buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.trimmed().isEmpty());
    });
    // A new format renames the file, unless the user typed another name.
    connect(m_ui->formatCombo, &QComboBox::currentIndexChanged, this, [this](int) {
        const std::string path = Path();
        for (CTracklistWriter::Format f : kFormats) {
            if (path == m_stem + CTracklistWriter::Extension(f)) {
                m_ui->fileEdit->setText(QString::fromStdString(m_stem + CTracklistWriter::Extension(Format())));
                return;
            }
        }
    });
}

CExportTracklistDlg::~CExportTracklistDlg() = default;

void CExportTracklistDlg::Load(const std::string& stem, CTracklistWriter::Format format)
{
    m_stem = stem;
    for (std::size_t i = 0; i < std::size(kFormats); ++i) {
        if (kFormats[i] == format)
            m_ui->formatCombo->setCurrentIndex(static_cast<int>(i));
    }
    m_ui->fileEdit->setText(QString::fromStdString(stem + CTracklistWriter::Extension(format)));
}

std::string CExportTracklistDlg::Path() const
{
    return m_ui->fileEdit->text().trimmed().toStdString();
}

CTracklistWriter::Format CExportTracklistDlg::Format() const
{
    const int i = m_ui->formatCombo->currentIndex();
    return i >= 0 && i < static_cast<int>(std::size(kFormats)) ? kFormats[i] : kFormats[0];
}

void CExportTracklistDlg::OnBrowse()
{
    FileDialogRequest request;
    request.title = "Export Tracklist";
    request.folder = ts::FolderOf(Path());
    request.fileName = ts::FileNameOf(Path());
    const std::string ext = CTracklistWriter::Extension(Format());
    request.filters = {{m_ui->formatCombo->currentText().toStdString() + " (*" + ext + ")", "*" + ext},
                       {"All files (*)", "*"}};
    if (const auto path = CPrompts::Current().AskSaveFile(request))
        m_ui->fileEdit->setText(QString::fromStdString(*path));
}
