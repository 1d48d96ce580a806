#pragma once

#include <functional>
#include <memory>

#include <QDialog>

class CDiscLayout;
class CQuillDoc;
class QUrl;
struct DiscIds;

namespace Ui {
class CDiscInfoDlg;
}

// File > Disc Information: the table of contents of the disc the sheet
// describes and its IDs, each with a Copy button, and the way to the disc
// at MusicBrainz.
class CDiscInfoDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDiscInfoDlg)

public:
    // Opens a web address in the browser, or says why it cannot.
    using Launcher = std::function<void(const QUrl& url)>;

    CDiscInfoDlg(QWidget* parent, Launcher launch);
    ~CDiscInfoDlg() override;

    void Load(const CDiscLayout& layout, const DiscIds& ids);

    // Reads the sheet's files for their lengths and shows the dialog, or
    // says why the sheet has no disc IDs.
    static void Run(QWidget* parent, const CQuillDoc& doc, Launcher launch);

private:
    std::unique_ptr<Ui::CDiscInfoDlg> m_ui;
    Launcher m_launch;
    QString m_lookupUrl;
};
