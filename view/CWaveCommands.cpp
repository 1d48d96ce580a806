#include "view/CWaveCommands.h"

#include "view/CWaitCursor.h"
#include "view/CommandFailure.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include <QCoreApplication>
#include <QApplication>
#include <QProgressDialog>

#include "view/CTimeIntervalDlg.h"
#include "player/CTimeDlg.h"
#include "audio/CWaveFile.h"
#include "player/CWavePos.h"
#include "audio/IWavePlayer.h"
#include "audio/WaveOperations.h"
#include "model/CCueFile.h"
#include "model/CCueItem.h"
#include "model/CCueTime.h"
#include "platform/CPrompts.h"
#include "view/CQuillView.h"
#include "view/IViewFrame.h"

namespace {

// The sample data of a wave file that parses; reported when it does not.
struct WaveShape {
    std::uint32_t frames = 0;
    std::uint32_t blockAlign = 0;
    std::uint32_t rate = 0;
};

// The wave file the command is to change; refused with the reason before
// any dialog when its samples are not PCM. verb: "truncated", "silenced".
std::optional<WaveShape> ParsedWave(const std::string& path, const char* verb)
{
    CWaveFile wave(path);
    if (!wave.Open(CWaveFile::kRead)) {
        ReportFailure(ts::Quoted(path) + " " + wave.FailureReason());
        return std::nullopt;
    }
    std::string reason;
    if (!wave.IsEditable(reason)) {
        ReportFailure(ts::Quoted(path) + " cannot be " + verb + ": " + reason + ".");
        return std::nullopt;
    }
    WaveShape shape{wave.FrameCount(), wave.BlockAlign(), wave.SamplesPerSecond()};
    wave.Close();
    return shape;
}

QString PositionText(const IViewFrame& frame)
{
    QString text;
    frame.PositionControl()->FormatPosition(text);
    return text;
}

// A progress dialog for long work, without a cancel button: a write that
// stopped halfway would leave a file half silenced.
class WorkProgress
{
public:
    WorkProgress(QWidget* parent, std::uint64_t bytes, const QString& label)
    {
        if (bytes <= CWaveCommands::kProgressBytes)
            return;
        m_dialog.emplace(label, QString(), 0, kSteps, parent);
        m_dialog->setWindowTitle(QStringLiteral("Tracksmith"));
        m_dialog->setCancelButton(nullptr);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setValue(0);
    }

    WaveProgress Callback()
    {
        if (!m_dialog)
            return {};
        return [this](std::uint64_t done, std::uint64_t total) {
            m_dialog->setValue(total == 0 ? kSteps : static_cast<int>(done * kSteps / total));
        };
    }

private:
    static constexpr int kSteps = 1000;
    std::optional<QProgressDialog> m_dialog;
};

QString FileNameOf(const std::string& path)
{
    return QString::fromStdString(std::filesystem::path(path).filename().string());
}

} // namespace

std::string CWaveCommands::WavePathOf(const CQuillView& view)
{
    const CCueItem* item = view.CurrentItem();
    const CCueFile* file = item ? item->OwningFile() : nullptr;
    if (!file || file->Name().empty())
        return {};
    return view.ResolvePath(file->Name());
}

std::string CWaveCommands::TruncatedPath(const std::string& source)
{
    const std::filesystem::path path(source);
    return (path.parent_path() / (path.stem().string() + "-truncated.wav")).string();
}

void CWaveCommands::Truncate(IViewFrame& frame, const CQuillView& view)
{
    const std::string source = WavePathOf(view);
    if (source.empty())
        return;
    const std::optional<WaveShape> shape = ParsedWave(source, "truncated");
    if (!shape)
        return;

    CTimeDlg dlg(frame.Window());
    dlg.SetTime(PositionText(frame));
    if (dlg.exec() != QDialog::Accepted)
        return;
    const CCueTime at = CWavePos::ParseWaveTime(dlg.Time());
    if (ShowMessageBox("Truncate at " + at.Text() + "?", "Verify truncation", PromptButtons::YesNo,
                       PromptIcon::Question, true) != PromptAnswer::Yes)
        return;

    const std::filesystem::path proposed(TruncatedPath(source));
    FileDialogRequest request;
    request.title = "Save Truncated Copy As";
    request.folder = proposed.parent_path().string();
    request.fileName = proposed.filename().string();
    request.filters = {{"Wave files (*.wav)", "*.wav"}, {"All Files (*.*)", "*.*"}};
    const std::optional<std::string> output = CPrompts::Current().AskSaveFile(request);
    if (!output)
        return;

    std::uint32_t frames = 0;
    CWaveFile::FramesAt(at, shape->rate, frames);
    const std::uint64_t kept = std::min<std::uint64_t>(std::uint64_t{frames} + 1, shape->frames);
    WaveResult result;
    {
        const CWaitCursor wait;
        WorkProgress progress(frame.Window(), kept * shape->blockAlign,
                              QCoreApplication::translate("CWaveCommands", "Writing %1...").arg(FileNameOf(*output)));
        result = TruncateWaveFile(source, at, *output, {}, progress.Callback());
    }
    if (!result.ok)
        ReportFailure(result.reason);
}

void CWaveCommands::WriteSilence(IViewFrame& frame, const CQuillView& view)
{
    const std::string path = WavePathOf(view);
    if (path.empty())
        return;
    const std::optional<WaveShape> shape = ParsedWave(path, "silenced");
    if (!shape)
        return;

    CTimeIntervalDlg dlg(frame.Window());
    const QString position = PositionText(frame);
    dlg.SetStart(position);
    dlg.SetStop(position);
    dlg.SetOkCaption(QCoreApplication::translate("CWaveCommands", "Write silence"));
    if (dlg.exec() != QDialog::Accepted)
        return;
    const CCueTime start = CWavePos::ParseWaveTime(dlg.Start());
    const CCueTime stop = CWavePos::ParseWaveTime(dlg.Stop());
    if (CCueTime::Compare(stop, start) < 0) {
        ReportFailure("The stop time " + stop.Text() + " is before the start time " + start.Text() +
                      "; nothing was written to " + ts::Quoted(path) + ".");
        return;
    }

    // The player lets go of the file; the position control goes blank.
    frame.ShowWave(std::string(), CCueTime());

    std::uint32_t first = 0;
    std::uint32_t last = 0;
    CWaveFile::FramesAt(start, shape->rate, first);
    CWaveFile::FramesAt(stop, shape->rate, last);
    const std::uint64_t frames = std::min(last, shape->frames) - std::min(first, shape->frames);
    WaveResult result;
    {
        const CWaitCursor wait;
        WorkProgress progress(frame.Window(), frames * shape->blockAlign,
                              QCoreApplication::translate("CWaveCommands", "Writing silence to %1...").arg(FileNameOf(path)));
        result = WriteWaveSilence(path, start, stop, {}, progress.Callback());
    }
    if (!result.ok)
        ReportFailure(result.reason);
}

void CWaveCommands::GotoPosition(IViewFrame& frame, CCueTime& lastGoto)
{
    if (!frame.Player())
        return;
    CTimeDlg dlg(frame.Window());
    dlg.SetTime(CWavePos::WaveTimeText(lastGoto));
    if (dlg.exec() != QDialog::Accepted)
        return;
    lastGoto = CWavePos::ParseWaveTime(dlg.Time());
    if (IWavePlayer* player = frame.Player())
        player->Seek(lastGoto);
}
