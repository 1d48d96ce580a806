#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "album/Tracklist.h"

namespace Ui {
class CImportTracklistDlg;
}

// Shows what a tracklist was understood to say before anything changes:
// the track each entry gives (start, performer, title) and every line that
// was skipped, with the reason.
class CImportTracklistDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CImportTracklistDlg)

public:
    explicit CImportTracklistDlg(QWidget* parent);
    ~CImportTracklistDlg() override;

    void Load(const std::string& listName, const std::string& audioName, const Tracklist& list,
              const std::vector<Micros>& starts);

private:
    std::unique_ptr<Ui::CImportTracklistDlg> m_ui;
};
