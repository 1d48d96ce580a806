#include "view/CImageCommands.h"

#include "view/CommandFailure.h"

#include "model/TextUtil.h"

#include "discimage/CDiscImage.h"
#include "discimage/CGapConversion.h"
#include "discimage/CImageWriter.h"
#include "document/CQuillDoc.h"
#include "model/CCueItem.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"
#include "platform/CPrompts.h"
#include "platform/FileUtil.h"
#include "view/CConvertGapsDlg.h"
#include "view/CTrackCommands.h"

namespace {

const char* const kJoinCaption = "Join Into One Image";
const char* const kGapsCaption = "Convert Gaps";

std::string NumberList(const std::vector<int>& numbers)
{
    std::string list;
    for (const int n : numbers)
        list += (list.empty() ? "" : ", ") + std::string(n < 10 ? "0" : "") + std::to_string(n);
    return list;
}

// True when nothing is in the way, or the user lets the join replace it.
bool MayReplace(const std::vector<std::string>& existing, const char* caption)
{
    if (existing.empty())
        return true;
    std::string list;
    for (const std::string& path : existing)
        list += "\n" + path;
    const std::string text = existing.size() == 1 ? "This file exists already:" + list + "\n\nReplace it?"
                                                  : "These files exist already:" + list + "\n\nReplace them?";
    return ShowMessageBox(text, caption, PromptButtons::YesNo, PromptIcon::Warning) == PromptAnswer::Yes;
}

} // namespace

bool CImageCommands::RunWithProgress(QWidget* parent, const std::string& label, CImageWriter& writer,
                                     const std::function<bool()>& work)
{
    return CTrackCommands::RunWithProgress(
        parent, label, [&writer] { return std::pair{writer.BytesDone(), writer.BytesTotal()}; },
        [&writer] { writer.Cancel(); }, work);
}

void CImageCommands::JoinImage(QWidget* parent, const CQuillDoc& doc)
{
    CDiscImage disc;
    std::string error;
    if (!disc.Read(doc, error)) {
        ReportFailure(error);
        return;
    }
    FileDialogRequest request;
    request.title = kJoinCaption;
    request.folder = ts::FolderOf(doc.PathName());
    request.fileName = ts::StemOf(doc.PathName()) + " (image).bin";
    request.filters = {{"Disc image (*.bin)", "*.bin"}};
    std::optional<std::string> image = CPrompts::Current().AskSaveFile(request);
    if (!image)
        return;
    if (ts::FileNameOf(*image).find('.') == std::string::npos)
        *image += ".bin";
    const std::vector<std::string> existing = CImageWriter::ExistingJoinTargets(*image);
    if (!MayReplace(existing, kJoinCaption))
        return;
    CImageWriter writer;
    const bool ok = RunWithProgress(parent, "Writing " + ts::Quoted(ts::FileNameOf(*image)) + "...", writer,
                                    [&] { return writer.Join(disc, *image, !existing.empty(), error); });
    if (writer.Cancelled())
        return;
    if (!ok) {
        ReportFailure(error);
        return;
    }
    ShowMessageBox("Wrote " + ts::Quoted(*image) + " and its cue sheet " +
                       ts::Quoted(ts::FileNameOf(CImageWriter::SheetPathOf(*image))) + ".",
                   kJoinCaption, PromptButtons::Ok, PromptIcon::Information);
}

bool CImageCommands::CanConvertGaps(const CQuillDoc& doc)
{
    return !doc.PathName().empty() && CDiscImage::IsByteImage(doc);
}

CCueItem* CImageCommands::ConvertGaps(QWidget* parent, CQuillDoc& doc)
{
    if (!CanConvertGaps(doc))
        return nullptr;
    CConvertGapsDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const GapDirection direction = dialog.Direction();
    CDiscImage disc;
    CGapConversion conversion;
    std::string error;
    if (!disc.Read(doc, error) || !conversion.Build(doc, disc, direction, error)) {
        ShowMessageBox(error + ".", kGapsCaption, PromptButtons::Ok, PromptIcon::Information);
        return nullptr;
    }
    std::vector<std::string> existing;
    for (const ImageOutput& output : conversion.Outputs()) {
        std::vector<std::string> found = CImageWriter::ExistingJoinTargets(output.target);
        if (!found.empty() && found.front() == output.target)
            existing.push_back(output.target);
    }
    if (!MayReplace(existing, kGapsCaption))
        return nullptr;
    CImageWriter writer;
    const std::size_t count = conversion.Outputs().size();
    const bool ok = RunWithProgress(parent, "Writing " + std::to_string(count) + (count == 1 ? " file..." : " files..."),
                                    writer, [&] {
                                        return writer.WriteFiles(disc, conversion.Outputs(), !existing.empty(), error);
                                    });
    if (writer.Cancelled())
        return nullptr;
    if (!ok) {
        ReportFailure(error);
        return nullptr;
    }

    // The converted sheet takes the tree's place in one change. It is the
    // program's own text, so its read's messages are not shown.
    CQuillDoc converted;
    CCueLineSource source = CCueLineSource::FromText(conversion.SheetText());
    CCueReader::Read(source, converted, nullptr);
    CQuillDoc::Snapshot snapshot = converted.TakeSnapshot();
    snapshot.modified = true;
    doc.RestoreSnapshot(snapshot);

    std::string text = "Converted the gaps of track" + std::string(conversion.Converted().size() == 1 ? " " : "s ") +
                       NumberList(conversion.Converted()) + " into copies of " + std::to_string(count) +
                       (count == 1 ? " file." : " files.");
    if (!conversion.NotSilent().empty())
        text += "\nThe INDEX 00 gaps of track" + std::string(conversion.NotSilent().size() == 1 ? " " : "s ") +
                NumberList(conversion.NotSilent()) + " are not digital silence and stay as they are.";
    ShowMessageBox(text, kGapsCaption, PromptButtons::Ok, PromptIcon::Information);
    return doc.LineCount() > 0 ? doc.Line(0) : nullptr;
}
