#pragma once

#include "document/CAudioRelinker.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CMissingAudioDlg;
}

// Lists the FILE lines whose audio is missing with the file found for each,
// and a Browse button per line to pick one instead.
class CMissingAudioDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMissingAudioDlg)

public:
    // browse asks for a file for the FILE name given and returns the name
    // the FILE line gets, or nothing when the user cancels.
    using Browser = std::function<std::string(const std::string& name)>;

    CMissingAudioDlg(std::vector<CAudioRelinker::Fix> fixes, Browser browse, QWidget* parent);
    ~CMissingAudioDlg() override;

    // The fixes with the names the user kept or browsed to.
    const std::vector<CAudioRelinker::Fix>& Fixes() const { return m_fixes; }
    // Presses a row's Browse button, as a click does.
    void Browse(int row);

private:
    void Fill();

    std::unique_ptr<Ui::CMissingAudioDlg> m_ui;
    std::vector<CAudioRelinker::Fix> m_fixes;
    Browser m_browse;
};
