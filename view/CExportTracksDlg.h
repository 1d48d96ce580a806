#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "tracks/CTrackPlan.h"

namespace Ui {
class CExportTracksDlg;
}

// Asks where the track files of a split go, in which format, and where
// the gaps go.
class CExportTracksDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CExportTracksDlg)

public:
    explicit CExportTracksDlg(QWidget* parent);
    ~CExportTracksDlg() override;

    void Load(const std::string& folder, const CTrackPlan::Options& options);
    std::string Folder() const;
    CTrackPlan::Options Options() const;

private:
    std::unique_ptr<Ui::CExportTracksDlg> m_ui;
};
