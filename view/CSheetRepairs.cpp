#include "view/CSheetRepairs.h"

#include "document/CAudioRelinker.h"
#include "document/CEditSession.h"
#include "document/CQuillDoc.h"
#include "document/CSheetEditor.h"
#include "document/IAudioFacts.h"
#include "platform/CPrompts.h"
#include "res/CommandIds.h"
#include "tracks/CDecodedAudioFacts.h"
#include "view/CEditFileDlg.h"
#include "view/CListingEdit.h"
#include "view/CMessageText.h"
#include "view/CMissingAudioDlg.h"
#include "view/CQuillView.h"
#include "view/DialogText.h"

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <tuple>

namespace {

// The decoder's facts, kept per file until the file changes: the check
// runs again after every edit, and decoding the start of each file each
// time would make typing wait.
class CCachedAudioFacts final : public IAudioFacts
{
public:
    AudioFacts Read(const std::string& path) override
    {
        std::error_code ec;
        const auto time = std::filesystem::last_write_time(path, ec);
        const auto size = ec ? 0 : std::filesystem::file_size(path, ec);
        const Stamp stamp{ec ? std::filesystem::file_time_type() : time, ec ? 0 : size};
        const auto it = m_known.find(path);
        if (it != m_known.end() && !ec && it->second.first == stamp)
            return it->second.second;
        AudioFacts facts = m_decoder.Read(path);
        if (!ec)
            m_known[path] = {stamp, facts};
        return facts;
    }

private:
    using Stamp = std::pair<std::filesystem::file_time_type, std::uintmax_t>;
    CDecodedAudioFacts m_decoder;
    std::map<std::string, std::pair<Stamp, AudioFacts>> m_known;
};

enum Column { kLine, kSeverity, kText, kReaders, kFix };

} // namespace

CSheetRepairs::CSheetRepairs(QMainWindow& frame, CEditSession& session, CQuillView& view)
    : QObject(&frame)
    , m_frame(frame)
    , m_session(session)
    , m_doc(session.Doc())
    , m_view(view)
    , m_facts(std::make_unique<CCachedAudioFacts>())
    , m_dock(new QDockWidget(tr("Check Sheet"), &frame))
    , m_label(new QLabel(m_dock))
    , m_list(new QTreeWidget(m_dock))
{
    m_dock->setObjectName(QStringLiteral("checkSheetDock"));
    auto* body = new QWidget(m_dock);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_label);
    layout->addWidget(m_list);
    m_list->setObjectName(QStringLiteral("findings"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Line"), tr("Severity"), tr("Finding"),
                             tr("Programs"), QString()});
    m_list->header()->setSectionResizeMode(kText, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    m_dock->setWidget(body);
    frame.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { GoTo(m_list->indexOfTopLevelItem(item)); });
    // The findings follow the sheet: checked again after each change.
    connect(&m_view, &CQuillView::CurrentLineChanged, this, [this] {
        if (m_dock->isVisible() && (!m_checked || m_doc.ChangeCount() != m_checkedChange))
            Refresh();
    });

    MapCommand(cmd::FindMissingAudio, [this](int) { FindMissingAudio(); });
    MapCommand(cmd::CheckSheet, [this](int) { CheckSheet(); });
}

CSheetRepairs::~CSheetRepairs() = default;

void CSheetRepairs::Refresh()
{
    m_findings = CSheetChecker::Check(m_doc, m_facts.get());
    m_checkedChange = m_doc.ChangeCount();
    m_checked = true;
    Fill();
}

void CSheetRepairs::Fill()
{
    m_label->setText(m_findings.empty() ? tr("Nothing found that other programs will get wrong.")
                                        : tr("What other programs will refuse or read wrong."));
    m_list->clear();
    for (std::size_t i = 0; i < m_findings.size(); ++i) {
        const SheetFinding& finding = m_findings[i];
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(kLine, QString::number(finding.line));
        row->setText(kSeverity, ts::TranslateMessage(QString::fromLatin1(CSheetChecker::SeverityText(finding.severity))));
        row->setText(kText, ts::TranslateMessage(QString::fromStdString(finding.text)));
        row->setText(kReaders, ts::TranslateMessage(QString::fromStdString(finding.readers)));
        if (finding.fix != FindingFix::None) {
            auto* button = new QPushButton(tr("Fix"), m_list);
            button->setObjectName(QStringLiteral("fix%1").arg(i));
            button->setToolTip(ts::TranslateMessage(QString::fromLatin1(CSheetChecker::FixText(finding.fix))));
            const int at = static_cast<int>(i);
            // Queued: the fix fills the list again, which deletes the button.
            connect(button, &QPushButton::clicked, this, [this, at] { Fix(at); }, Qt::QueuedConnection);
            m_list->setItemWidget(row, kFix, button);
        }
    }
    for (int c = kLine; c <= kFix; ++c) {
        if (c != kText)
            m_list->resizeColumnToContents(c);
    }
    emit FindingsChanged();
}

void CSheetRepairs::CheckSheet()
{
    Refresh();
    m_dock->show();
    m_dock->raise();
}

bool CSheetRepairs::Fix(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_findings.size())
        return false;
    const SheetFinding finding = m_findings[static_cast<std::size_t>(row)];
    const bool changed = m_session.Apply([this, &finding](CSheetEditor&) -> CCueItem* {
        return CSheetChecker::ApplyFix(m_doc, finding) ? finding.item : m_view.CurrentItem();
    });
    Refresh();
    return changed;
}

void CSheetRepairs::GoTo(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_findings.size())
        return;
    const CCueItem* item = m_findings[static_cast<std::size_t>(row)].item;
    if (!item || m_doc.LineOf(item) < 0)
        return;
    m_view.SetCurrentItem(item);
    m_view.Listing()->setFocus();
}

void CSheetRepairs::SheetOpened()
{
    std::vector<CAudioRelinker::Fix> found = CAudioRelinker::MissingFiles(m_doc);
    std::erase_if(found, [](const CAudioRelinker::Fix& fix) { return fix.newName.empty(); });
    if (!found.empty()) {
        std::string text = "Audio files were found for FILE lines whose files are missing:\n\n";
        for (const CAudioRelinker::Fix& fix : found)
            text += "\"" + (fix.oldName.empty() ? std::string("(not named yet)") : fix.oldName) + "\" \xE2\x86\x92 \""
                + fix.newName + "\"\n";
        text += "\nFix all of them? No keeps the sheet as it is.";
        if (ShowMessageBox(text, "Find Missing Audio", PromptButtons::YesNo, PromptIcon::Question, true)
            == PromptAnswer::Yes)
            m_session.Apply([this, &found](CSheetEditor&) -> CCueItem* {
                CAudioRelinker::Apply(m_doc, found);
                return m_view.CurrentItem();
            });
    }
    if (m_dock->isVisible()) {
        Refresh();
        return;
    }
    // Only what stops playback is shown on open, in the status bar, so
    // that the listing keeps its size; the full check is asked for.
    std::vector<SheetFinding> stops = CSheetChecker::Check(m_doc, m_facts.get());
    std::erase_if(stops, [](const SheetFinding& f) { return !f.stopsPlayback; });
    m_stopsMessage.clear();
    if (!stops.empty()) {
        // A finding may quote a name of megabytes: it is cut before it is
        // decoded and matched against the translations, then cut again
        // with the rest of the message, which keeps the same two ends.
        m_stopsMessage = tr("Line %1: %2")
                             .arg(stops.front().line)
                             .arg(ts::TranslateMessage(ts::ShownText(ts::ShownEnds(stops.front().text))));
        if (stops.size() > 1)
            m_stopsMessage += tr(" (and %1 more)").arg(stops.size() - 1);
        m_stopsMessage += tr(" \u2014 Tools > Check Sheet lists them.");
        m_stopsMessage = ts::ShownText(m_stopsMessage);
        m_frame.statusBar()->showMessage(m_stopsMessage);
    }
}

void CSheetRepairs::FindMissingAudio()
{
    std::vector<CAudioRelinker::Fix> fixes = CAudioRelinker::MissingFiles(m_doc);
    if (fixes.empty()) {
        ShowMessageBox("Every FILE line's audio file is there.", "Find Missing Audio", PromptButtons::Ok,
                       PromptIcon::Information);
        return;
    }
    const std::string folder = CAudioRelinker::SheetFolder(m_doc).string();
    CMissingAudioDlg dialog(
        std::move(fixes),
        [this, folder](const std::string&) {
            const std::optional<std::string> path = CPrompts::Current().AskOpenFile(CEditFileDlg::BrowseRequest(folder));
            return path ? m_doc.NameForPath(*path) : std::string();
        },
        &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_session.Apply([this, &dialog](CSheetEditor&) -> CCueItem* {
        CAudioRelinker::Apply(m_doc, dialog.Fixes());
        return m_view.CurrentItem();
    });
    if (m_dock->isVisible())
        Refresh();
}
