#include "view/CImportTracklistDlg.h"

#include "ui_CImportTracklistDlg.h"

#include "album/AlbumTime.h"

namespace {

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

CImportTracklistDlg::CImportTracklistDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CImportTracklistDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CImportTracklistDlg::~CImportTracklistDlg() = default;

void CImportTracklistDlg::Load(const std::string& listName, const std::string& audioName, const Tracklist& list,
                               const std::vector<Micros>& starts)
{
    std::string kind = list.format == "text" ? "a text tracklist" :
                       list.format == "csv" ? "a CSV tracklist" :
                       list.format == "audacity" ? "Audacity labels" :
                       list.format == "ffmetadata" ? "FFmpeg chapters" :
                       list.format == "matroska" ? "Matroska chapters" : "the chapters of a media file";
    if (list.durations)
        kind += " of durations";
    m_ui->summaryLabel->setText(QString::fromStdString(
        "\"" + listName + "\" is read as " + kind + ": " + std::to_string(starts.size()) + " tracks for \"" +
        audioName + "\", " + std::to_string(list.skipped.size()) + " lines skipped."));
    m_ui->tracksTable->setRowCount(static_cast<int>(starts.size()));
    for (std::size_t i = 0; i < starts.size() && i < list.entries.size(); ++i) {
        const int row = static_cast<int>(i);
        m_ui->tracksTable->setItem(row, 0, Cell(std::to_string(i + 1)));
        m_ui->tracksTable->setItem(row, 1, Cell(ts::ClockTextMillis(starts[i])));
        m_ui->tracksTable->setItem(row, 2, Cell(list.entries[i].performer));
        m_ui->tracksTable->setItem(row, 3, Cell(list.entries[i].title));
    }
    m_ui->skippedTable->setRowCount(static_cast<int>(list.skipped.size()));
    for (std::size_t i = 0; i < list.skipped.size(); ++i) {
        const int row = static_cast<int>(i);
        m_ui->skippedTable->setItem(row, 0, Cell(std::to_string(list.skipped[i].line)));
        m_ui->skippedTable->setItem(row, 1, Cell(list.skipped[i].reason));
        m_ui->skippedTable->setItem(row, 2, Cell(list.skipped[i].text));
    }
    m_ui->tracksTable->resizeColumnsToContents();
    m_ui->skippedTable->resizeColumnsToContents();
}
