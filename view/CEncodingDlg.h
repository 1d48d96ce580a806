#pragma once

#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class CEncodingDlg;
}

// View > Encoding: the character set a sheet's 8-bit text is shown and
// typed in. Shows a sample line of the sheet in the selected one.
class CEncodingDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEncodingDlg)

public:
    // sample: bytes of the sheet to preview (its first line that is not
    // ASCII); charset: the one in use, selected (and added when the list
    // lacks it).
    CEncodingDlg(const std::string& charset, std::string sample, QWidget* parent);
    ~CEncodingDlg() override;

    std::string Charset() const;

private:
    void ShowSample();

    std::unique_ptr<Ui::CEncodingDlg> m_ui;
    std::string m_sample;
};
