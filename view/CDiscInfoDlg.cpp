#include "view/CDiscInfoDlg.h"

#include "ui_CDiscInfoDlg.h"

#include <cstdio>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QUrl>

#include "document/CQuillDoc.h"
#include "platform/CPrompts.h"
#include "tracks/CRipReader.h"
#include "tracks/DiscIds.h"
#include "verify/CDiscLayout.h"

namespace {

const char* const kDiscInfoCaption = "Disc Information";

std::string Msf(std::uint64_t sectors)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", static_cast<unsigned>(sectors / 4500),
                  static_cast<unsigned>(sectors / 75 % 60), static_cast<unsigned>(sectors % 75));
    return text;
}

} // namespace

CDiscInfoDlg::CDiscInfoDlg(QWidget* parent, Launcher launch)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CDiscInfoDlg>())
    , m_launch(std::move(launch))
{
    m_ui->setupUi(this);
    m_ui->tocText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const std::pair<QPushButton*, QLineEdit*> copies[] = {{m_ui->musicBrainzCopy, m_ui->musicBrainzEdit},
                                                          {m_ui->freedbCopy, m_ui->freedbEdit},
                                                          {m_ui->accurateRipCopy, m_ui->accurateRipEdit},
                                                          {m_ui->ctdbCopy, m_ui->ctdbEdit}};
    for (const auto& [button, edit] : copies) {
        connect(button, &QPushButton::clicked, this,
                [edit = edit] { QApplication::clipboard()->setText(edit->text()); });
    }
    connect(m_ui->lookUpButton, &QPushButton::clicked, this, [this] {
        if (m_launch)
            m_launch(QUrl(m_lookupUrl));
    });
}

CDiscInfoDlg::~CDiscInfoDlg() = default;

void CDiscInfoDlg::Load(const CDiscLayout& layout, const DiscIds& ids)
{
    const CDiscToc& toc = layout.Toc();
    // The columns line up in the fixed font: the heading's translation
    // keeps each column's width.
    QString text = tr("Track   Start      Length     Sector") + QLatin1Char('\n');
    for (int i = 0; i < toc.TrackCount(); ++i) {
        const std::uint32_t start = toc.Offsets()[static_cast<std::size_t>(i)];
        const std::uint32_t end = i + 1 < toc.TrackCount() ? toc.Offsets()[static_cast<std::size_t>(i + 1)] : toc.LeadOut();
        char line[80];
        std::snprintf(line, sizeof line, "  %02d    %s   %s   %6u\n", layout.Tracks()[static_cast<std::size_t>(i)].number,
                      Msf(start).c_str(), Msf(end - start).c_str(), static_cast<unsigned>(start));
        text += QString::fromLatin1(line);
    }
    char leadOut[80];
    std::snprintf(leadOut, sizeof leadOut, "Lead-out  %s              %6u\n", Msf(toc.LeadOut()).c_str(),
                  static_cast<unsigned>(toc.LeadOut()));
    text += QString::fromLatin1(leadOut);
    if (layout.HiddenFrames() > 0)
        text += tr("Hidden track before track 1: %1")
                    .arg(QString::fromStdString(Msf(layout.HiddenFrames() / CDiscLayout::kSamplesPerSector)))
            + QLatin1Char('\n');
    text += QStringLiteral("MusicBrainz TOC: ") + QString::fromStdString(ids.toc) + QLatin1Char('\n');
    m_ui->tocText->setPlainText(text);
    m_ui->musicBrainzEdit->setText(QString::fromStdString(ids.musicBrainz));
    m_ui->freedbEdit->setText(QString::fromStdString(ids.FreedbText()));
    m_ui->accurateRipEdit->setText(QString::fromStdString(ids.accurateRip));
    m_ui->ctdbEdit->setText(QString::fromStdString(ids.ctdbToc));
    m_lookupUrl = QString::fromStdString(ids.lookupUrl);
}

void CDiscInfoDlg::Run(QWidget* parent, const CQuillDoc& doc, Launcher launch)
{
    if (doc.PathName().empty()) {
        ShowMessageBox("Save the cue sheet first: its audio files are found in the folder it is saved in.", kDiscInfoCaption,
                       PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    CRipReader reader;
    DiscIds ids;
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = reader.Open(doc, error) && ts::ComputeDiscIds(reader.Layout().Toc(), ids, error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        ShowMessageBox(error + ".", kDiscInfoCaption, PromptButtons::Ok, PromptIcon::Error, true);
        return;
    }
    CDiscInfoDlg dialog(parent, std::move(launch));
    dialog.Load(reader.Layout(), ids);
    dialog.exec();
}
