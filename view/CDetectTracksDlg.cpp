#include "view/CDetectTracksDlg.h"

#include "ui_CDetectTracksDlg.h"

#include <algorithm>

#include <QPushButton>

#include "album/AlbumTime.h"

CDetectTracksDlg::CDetectTracksDlg(QWidget* parent, const CSilenceDetector& detector,
                                   const CSilenceDetector::Options& options, Accept accept)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CDetectTracksDlg>())
    , m_detector(detector)
    , m_accept(std::move(accept))
{
    m_ui->setupUi(this);
    m_ui->thresholdSpin->setValue(options.threshold);
    m_ui->minSilenceSpin->setValue(options.minSilence);
    m_ui->minTrackSpin->setValue(options.minTrack);
    for (QDoubleSpinBox* spin : {m_ui->thresholdSpin, m_ui->minSilenceSpin, m_ui->minTrackSpin})
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this](double) { Propose(); });
    connect(m_ui->acceptButton, &QPushButton::clicked, this, [this] { AcceptRows(false); });
    connect(m_ui->acceptAllButton, &QPushButton::clicked, this, [this] { AcceptRows(true); });
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->proposalsList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_ui->acceptButton->setEnabled(row >= 0); });
    Propose();
}

CDetectTracksDlg::~CDetectTracksDlg() = default;

CSilenceDetector::Options CDetectTracksDlg::Options() const
{
    CSilenceDetector::Options options;
    options.threshold = m_ui->thresholdSpin->value();
    options.minSilence = m_ui->minSilenceSpin->value();
    options.minTrack = m_ui->minTrackSpin->value();
    return options;
}

void CDetectTracksDlg::Propose()
{
    m_shown.clear();
    for (const auto& p : m_detector.Propose(Options())) {
        const bool taken = std::any_of(m_accepted.begin(), m_accepted.end(), [&](Micros start) {
            return ts::CdFramesOf(start) == ts::CdFramesOf(p.start);
        });
        if (!taken)
            m_shown.push_back(p);
    }
    m_ui->proposalsList->clear();
    for (const auto& p : m_shown)
        m_ui->proposalsList->addItem(tr("%1  (silent from %2)")
                                         .arg(QString::fromStdString(ts::ClockTextMillis(p.start)),
                                              QString::fromStdString(ts::ClockTextMillis(p.gapStart))));
    m_ui->acceptButton->setEnabled(false);
    m_ui->acceptAllButton->setEnabled(!m_shown.empty());
    m_ui->countLabel->setText(tr("%1 track starts proposed; silence below %2 dBFS")
                                  .arg(m_shown.size())
                                  .arg(static_cast<int>(m_detector.SilenceLevel(Options()) - 0.5)));
    Q_EMIT ProposalsChanged();
}

void CDetectTracksDlg::AcceptRows(bool all)
{
    std::vector<CSilenceDetector::Proposal> chosen;
    const int row = m_ui->proposalsList->currentRow();
    if (all)
        chosen = m_shown;
    else if (row >= 0 && row < static_cast<int>(m_shown.size()))
        chosen.push_back(m_shown[static_cast<std::size_t>(row)]);
    if (chosen.empty())
        return;
    m_accept(chosen);
    for (const auto& p : chosen)
        m_accepted.push_back(p.start);
    Propose();
}
