#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "album/CTracklistWriter.h"

namespace Ui {
class CExportTracklistDlg;
}

// Asks which tracklist format to write and where.
class CExportTracklistDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CExportTracklistDlg)

public:
    explicit CExportTracklistDlg(QWidget* parent);
    ~CExportTracklistDlg() override;

    // The stem gets the format's extension as the format changes.
    void Load(const std::string& stem, CTracklistWriter::Format format);
    std::string Path() const;
    CTracklistWriter::Format Format() const;

private:
    void OnBrowse();

    std::unique_ptr<Ui::CExportTracklistDlg> m_ui;
    std::string m_stem;
};
