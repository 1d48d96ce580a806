#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QDialog>

#include "tracks/CSilenceDetector.h"

namespace Ui {
class CDetectTracksDlg;
}

// Lists the track starts a detector proposes for the analysed file, and
// proposes them again as the threshold and the minimum lengths change.
// Accept hands the chosen proposal, Accept All every one listed, to the
// accept function, which adds them to the sheet; accepted ones leave the
// list.
class CDetectTracksDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDetectTracksDlg)

public:
    using Accept = std::function<void(const std::vector<CSilenceDetector::Proposal>&)>;

    CDetectTracksDlg(QWidget* parent, const CSilenceDetector& detector, const CSilenceDetector::Options& options,
                     Accept accept);
    ~CDetectTracksDlg() override;

    CSilenceDetector::Options Options() const;
    const std::vector<CSilenceDetector::Proposal>& Proposals() const { return m_shown; }

Q_SIGNALS:
    // The list of proposals changed: new settings, or some were accepted.
    void ProposalsChanged();

private:
    void Propose();
    void AcceptRows(bool all);

    std::unique_ptr<Ui::CDetectTracksDlg> m_ui;
    const CSilenceDetector& m_detector;
    Accept m_accept;
    std::vector<CSilenceDetector::Proposal> m_shown;
    std::vector<Micros> m_accepted; // starts taken into the sheet
};
