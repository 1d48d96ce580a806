#include "view/CImportTracklistDlg.h"

#include "ui_CImportTracklistDlg.h"
#include "view/CMessageText.h"

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
    QString kind = list.format == "text" ? tr("a text tracklist") :
                   list.format == "csv" ? tr("a CSV tracklist") :
                   list.format == "audacity" ? tr("Audacity labels") :
                   list.format == "ffmetadata" ? tr("FFmpeg chapters") :
                   list.format == "matroska" ? tr("Matroska chapters") : tr("the chapters of a media file");
    if (list.durations)
        kind = tr("%1 of durations").arg(kind);
    m_ui->summaryLabel->setText(tr("\"%1\" is read as %2: %3 tracks for \"%4\", %5 lines skipped.")
                                    .arg(QString::fromStdString(listName), kind, QString::number(starts.size()),
                                         QString::fromStdString(audioName), QString::number(list.skipped.size())));
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
        m_ui->skippedTable->item(row, 1)->setText(ts::TranslateMessage(QString::fromStdString(list.skipped[i].reason)));
        m_ui->skippedTable->setItem(row, 2, Cell(list.skipped[i].text));
    }
    m_ui->tracksTable->resizeColumnsToContents();
    m_ui->skippedTable->resizeColumnsToContents();
}
