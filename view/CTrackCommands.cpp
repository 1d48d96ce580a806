#include "view/CTrackCommands.h"

#include "view/CWaitCursor.h"
#include "view/CommandFailure.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include <QCoreApplication>
#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include "discimage/CDiscImage.h"
#include "document/CQuillDoc.h"
#include "platform/CPrompts.h"
#include "platform/FileUtil.h"
#include "tracks/CJoinPlan.h"
#include "tracks/CTrackPlan.h"
#include "tracks/CTrackSplitter.h"
#include "view/CExportTracksDlg.h"
#include "view/CImageCommands.h"
#include "view/CMessageText.h"

namespace {

const char* const kExportTracksCaption = "Export Tracks";
const char* const kJoinCaption = "Join Into One Image";
constexpr int kExportSteps = 1000;
constexpr int kPollMs = 50;

// The sheet's FILE names are found beside it, so it must have a place.
bool HasFolder(const CQuillDoc& doc, const char* caption)
{
    if (!doc.PathName().empty())
        return true;
    ShowMessageBox("Save the cue sheet first: its audio files are found in the folder it is saved in.", caption,
                   PromptButtons::Ok, PromptIcon::Information);
    return false;
}

// True when nothing is in the way, or the user lets the run replace it.
bool MayReplace(const std::vector<std::string>& existing, const std::string& where, const char* caption)
{
    if (existing.empty())
        return true;
    std::string list;
    const std::size_t shown = std::min<std::size_t>(existing.size(), 5);
    for (std::size_t i = 0; i < shown; ++i)
        list += "\n" + existing[i];
    if (existing.size() > shown)
        list += "\n...";
    const std::string text = existing.size() == 1
        ? ts::Quoted(where) + " already holds this file:" + list + "\n\nReplace it?"
        : ts::Quoted(where) + " already holds " + std::to_string(existing.size()) + " of these files:" + list +
              "\n\nReplace them?";
    return ShowMessageBox(text, caption, PromptButtons::YesNo, PromptIcon::Warning) == PromptAnswer::Yes;
}

// The choices of the last export, offered again in this session.
CTrackPlan::Options g_lastOptions;

} // namespace

bool CTrackCommands::CanRun(const CQuillDoc& doc)
{
    return doc.FileCount() > 0;
}

bool CTrackCommands::RunWithProgress(QWidget* parent, const std::string& label, CTrackSplitter& splitter,
                                     const std::function<bool()>& work)
{
    return RunWithProgress(
        parent, label, [&splitter] { return std::pair{splitter.FramesDone(), splitter.FramesTotal()}; },
        [&splitter] { splitter.Cancel(); }, work);
}

bool CTrackCommands::RunWithProgress(QWidget* parent, const std::string& label,
                                     const std::function<std::pair<std::uint64_t, std::uint64_t>()>& progressOf,
                                     const std::function<void()>& cancel, const std::function<bool()>& work)
{
    QProgressDialog progress(ts::TranslateMessage(QString::fromStdString(label)), QCoreApplication::translate("CTrackCommands", "Cancel"), 0, kExportSteps, parent);
    progress.setWindowTitle(QStringLiteral("Tracksmith"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);

    std::atomic<bool> finished{false};
    bool ok = false;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
        const auto [done, total] = progressOf();
        if (total > 0)
            progress.setValue(static_cast<int>(std::min<std::uint64_t>(done * kExportSteps / total, kExportSteps - 1)));
        if (finished)
            loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        cancel();
        progress.setLabelText(QCoreApplication::translate("CTrackCommands", "Cancelling..."));
    });
    std::thread worker([&] {
        ok = work();
        finished = true;
    });
    poll.start();
    loop.exec();
    worker.join();
    return ok;
}

void CTrackCommands::ExportTracks(QWidget* parent, const CQuillDoc& doc)
{
    if (!CanRun(doc) || !HasFolder(doc, kExportTracksCaption))
        return;
    CExportTracksDlg dialog(parent);
    const std::string sheetFolder = ts::FolderOf(doc.PathName());
    dialog.Load((sheetFolder.empty() ? std::string() : sheetFolder + "/") + ts::StemOf(doc.PathName()), g_lastOptions);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string folder = dialog.Folder();
    g_lastOptions = dialog.Options();

    CTrackPlan plan;
    std::string error;
    {
        CWaitCursor wait;
        if (!plan.Build(doc, g_lastOptions, error)) {
            ReportFailure(error);
            return;
        }
    }
    const std::vector<std::string> existing = CTrackSplitter::ExistingTargets(plan, folder);
    if (!MayReplace(existing, folder, kExportTracksCaption))
        return;
    CTrackSplitter splitter;
    const bool ok = RunWithProgress(parent, "Writing " + std::to_string(plan.Tracks().size()) + " track files...",
                                    splitter, [&] { return splitter.Split(plan, folder, !existing.empty(), error); });
    if (splitter.Cancelled())
        return;
    if (!ok) {
        ReportFailure(error);
        return;
    }
    ShowMessageBox("Wrote " + std::to_string(plan.Tracks().size()) + " track files and " + ts::Quoted(plan.SheetName()) +
                       " into " + ts::Quoted(folder) + ".",
                   kExportTracksCaption, PromptButtons::Ok, PromptIcon::Information);
}

void CTrackCommands::JoinImage(QWidget* parent, const CQuillDoc& doc)
{
    if (!CanRun(doc) || !HasFolder(doc, kJoinCaption))
        return;
    if (CDiscImage::IsByteImage(doc))
        return CImageCommands::JoinImage(parent, doc);
    FileDialogRequest request;
    request.title = kJoinCaption;
    request.folder = ts::FolderOf(doc.PathName());
    request.fileName = ts::StemOf(doc.PathName()) + " (image).flac";
    request.filters = {{"FLAC image (*.flac)", "*.flac"}, {"WAVE image (*.wav)", "*.wav"}};
    std::optional<std::string> image = CPrompts::Current().AskSaveFile(request);
    if (!image)
        return;
    if (ts::FileNameOf(*image).find('.') == std::string::npos)
        *image += ".flac";

    CJoinPlan plan;
    std::string error;
    {
        CWaitCursor wait;
        if (!plan.Build(doc, *image, error)) {
            ReportFailure(error);
            return;
        }
    }
    const std::vector<std::string> existing = CTrackSplitter::ExistingTargets(plan);
    if (!MayReplace(existing, ts::FolderOf(*image), kJoinCaption))
        return;
    CTrackSplitter splitter;
    const bool ok = RunWithProgress(parent, "Writing " + ts::Quoted(ts::FileNameOf(*image)) + "...", splitter,
                                    [&] { return splitter.Join(plan, !existing.empty(), error); });
    if (splitter.Cancelled())
        return;
    if (!ok) {
        ReportFailure(error);
        return;
    }
    std::string text = "Wrote " + ts::Quoted(*image) + " and its cue sheet " + ts::Quoted(ts::FileNameOf(plan.SheetPath())) + ".";
    if (plan.RoundedIndexes() > 0)
        text += "\n" + std::to_string(plan.RoundedIndexes()) +
                " indexes fall between two CD frames in the image and were moved to the nearest.";
    ShowMessageBox(text, kJoinCaption, PromptButtons::Ok, PromptIcon::Information);
}
