#include "view/CAlbumCommands.h"

#include "view/CWaitCursor.h"
#include "view/CommandFailure.h"

#include <algorithm>
#include <cctype>

#include <QApplication>

#include "album/AlbumTime.h"
#include "album/CAlbumSheet.h"
#include "album/CTracklistReader.h"
#include "album/CTracklistWriter.h"
#include "document/CCueMessageBox.h"
#include "document/CEditSession.h"
#include "document/CQuillDoc.h"
#include "document/CSheetEditor.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"
#include "model/CCueTime.h"
#include "model/CCueTrack.h"
#include "platform/CPrompts.h"
#include "platform/FileUtil.h"
#include "tracks/AlbumTasks.h"
#include "tracks/CChapterMuxer.h"
#include "tracks/CSilenceDetector.h"
#include "view/CDetectTracksDlg.h"
#include "view/CExportTracklistDlg.h"
#include "view/CImportTracklistDlg.h"
#include "view/CQuillView.h"

namespace {

const char* const kNewCaption = "New from Audio Files";
const char* const kImportCaption = "Import Tracklist";
const char* const kTracklistCaption = "Export Tracklist";
const char* const kChaptersCaption = "Write Chapters Into";
const char* const kDetectCaption = "Detect Tracks";

const std::vector<std::pair<std::string, std::string>> kAudioFilters = {
    {"Audio files (*.wav *.flac *.mp3 *.m4a *.m4b *.ogg *.opus *.wv *.ape *.aiff *.mka)",
     "*.wav *.flac *.mp3 *.m4a *.m4b *.ogg *.opus *.wv *.ape *.aiff *.mka"},
    {"All files (*)", "*"}};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Reads sheet text in before anchor (at the end when null) and shows the
// read's messages; the first item read.
CCueItem* ReadIn(CQuillDoc& doc, const std::string& text, CCueItem* anchor = nullptr)
{
    CCueLineSource source = CCueLineSource::FromText(text);
    const CueReadResult read = CCueReader::Read(source, doc, anchor);
    CCueMessageBox::Show(read);
    return read.first;
}

bool HasDiscLines(const CQuillDoc& doc)
{
    for (int i = 0; i < doc.TopLevelCount(); ++i) {
        if (doc.TopLevelItem(i)->Kind() != ItemKind::File)
            return true;
    }
    return false;
}

CCueTime TimeOf(Micros time)
{
    const std::int64_t frames = ts::CdFramesOf(time);
    return CCueTime::FromMsf(static_cast<std::uint32_t>(frames / 75 / 60), static_cast<std::uint32_t>(frames / 75 % 60),
                             static_cast<std::uint32_t>(frames % 75));
}

// The FILE the current line belongs to, else the sheet's first.
CCueFile* CurrentFile(const CEditSession& session, const CQuillDoc& doc)
{
    if (const CCueItem* item = session.CurrentItem()) {
        if (CCueFile* file = item->OwningFile())
            return file;
    }
    return doc.FileCount() > 0 ? doc.File(0) : nullptr;
}

} // namespace

bool CAlbumCommands::HasTracks(const CQuillDoc& doc)
{
    return doc.FileCount() > 0;
}

bool CAlbumCommands::HasOneFile(const CQuillDoc& doc)
{
    return doc.FileCount() == 1;
}

bool CAlbumCommands::AreAudioFiles(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return false;
    return std::all_of(paths.begin(), paths.end(), [](const std::string& path) {
        const std::string name = Lower(ts::FileNameOf(path));
        const auto dot = name.rfind('.');
        if (dot == std::string::npos)
            return false;
        const std::string ext = name.substr(dot + 1);
        for (const char* audio : {"wav", "flac", "mp3", "m4a", "m4b", "ogg", "oga", "opus", "wv", "ape", "aif",
                                  "aiff", "mka", "wma", "aac"}) {
            if (ext == audio)
                return true;
        }
        return false;
    });
}

bool CAlbumCommands::FillFromAudioFiles(CEditSession& session, CQuillDoc& doc, const std::vector<std::string>& paths)
{
    CAlbumSheet sheet;
    std::string error;
    {
        CWaitCursor wait;
        if (!ts::SheetFromAudioFiles(paths, [&doc](const std::string& path) { return doc.NameForPath(path); }, sheet,
                                     error)) {
            ReportFailure(error, kNewCaption);
            return false;
        }
    }
    const std::string text = sheet.Text();
    session.Apply([&](CSheetEditor&) -> CCueItem* { return ReadIn(doc, text); });
    return true;
}

void CAlbumCommands::NewFromAudioFiles(QWidget*, CEditSession& session, CQuillDoc& doc)
{
    FileDialogRequest request;
    request.title = kNewCaption;
    if (!doc.PathName().empty())
        request.folder = ts::FolderOf(doc.PathName());
    request.filters = kAudioFilters;
    const std::vector<std::string> paths = CPrompts::Current().AskOpenFiles(request);
    if (paths.empty() || !doc.NewDocument())
        return;
    FillFromAudioFiles(session, doc, paths);
}

void CAlbumCommands::ImportTracklist(QWidget* parent, CEditSession& session, CQuillDoc& doc)
{
    FileDialogRequest request;
    request.title = kImportCaption;
    if (!doc.PathName().empty())
        request.folder = ts::FolderOf(doc.PathName());
    request.filters = {{"Tracklists and chapters (*.txt *.csv *.xml *.ffmetadata *.json *.m4b *.m4a *.mka *.mkv *.ogg "
                        "*.mp3)",
                        "*.txt *.csv *.xml *.ffmetadata *.json *.m4b *.m4a *.mka *.mkv *.ogg *.mp3"},
                       {"All files (*)", "*"}};
    const std::optional<std::string> listPath = CPrompts::Current().AskOpenFile(request);
    if (!listPath)
        return;
    // The tracks go on the sheet's one audio file; any other sheet is asked
    // which file they are for.
    std::string audio;
    if (doc.FileCount() == 1) {
        audio = CQuillView::ResolvePath(session, doc.File(0)->Name());
    } else {
        FileDialogRequest audioRequest;
        audioRequest.title = "Audio for the Tracklist";
        audioRequest.folder = ts::FolderOf(*listPath);
        audioRequest.filters = kAudioFilters;
        const std::optional<std::string> chosen = CPrompts::Current().AskOpenFile(audioRequest);
        if (!chosen)
            return;
        audio = *chosen;
    }
    Tracklist list;
    CAlbumSheet sheet;
    std::string error;
    {
        CWaitCursor wait;
        if (!ts::ReadTracklistFile(*listPath, list, error) ||
            !ts::SheetFromTracklist(list, audio, doc.FileCount() == 1 ? doc.File(0)->Name() : doc.NameForPath(audio),
                                    sheet, error)) {
            ReportFailure(error, kImportCaption);
            return;
        }
    }
    std::vector<Micros> starts;
    for (const auto& track : sheet.files.front().tracks)
        starts.push_back(track.start);
    CImportTracklistDlg preview(parent);
    preview.Load(ts::FileNameOf(*listPath), ts::FileNameOf(audio), list, starts);
    if (preview.exec() != QDialog::Accepted)
        return;
    // The list's tracks take the place of the FILE block of its audio (at
    // the end when the sheet has none); the sheet's other blocks and its
    // own disc lines stay. The list's disc names go in only where the sheet
    // has none.
    const std::string fileName = sheet.files.front().name;
    if (HasDiscLines(doc)) {
        sheet.title.clear();
        sheet.performer.clear();
    }
    session.Apply([&](CSheetEditor&) -> CCueItem* {
        CCueItem* next = nullptr;
        for (int i = 0; i < doc.TopLevelCount(); ++i) {
            CCueItem* item = doc.TopLevelItem(i);
            if (item->Kind() == ItemKind::File && static_cast<CCueFile*>(item)->Name() == fileName) {
                next = i + 1 < doc.TopLevelCount() ? doc.TopLevelItem(i + 1) : nullptr;
                doc.RemoveTopLevel(item);
                break;
            }
        }
        // Before another FILE block the text starts at its own FILE line.
        if (next) {
            sheet.title.clear();
            sheet.performer.clear();
        }
        return ReadIn(doc, sheet.Text(), next);
    });
}

void CAlbumCommands::ExportTracklist(QWidget* parent, const CQuillDoc& doc)
{
    if (!HasTracks(doc))
        return;
    static CTracklistWriter::Format lastFormat = CTracklistWriter::Format::YouTube;
    CExportTracklistDlg dialog(parent);
    const std::string folder = ts::FolderOf(doc.PathName());
    const std::string stem = doc.PathName().empty() ? std::string("tracklist") : ts::StemOf(doc.PathName());
    dialog.Load((folder.empty() ? std::string() : folder + "/") + stem, lastFormat);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lastFormat = dialog.Format();
    if (ts::IsSheetOrItsAudio(doc, dialog.Path())) {
        ReportFailure("\"" + dialog.Path() + "\" is the sheet or its audio: choose another name for the list",
                      kTracklistCaption);
        return;
    }
    ChapterList chapters;
    std::string error;
    {
        CWaitCursor wait;
        if (!ts::ChaptersOfSheet(doc, lastFormat != CTracklistWriter::Format::YouTube, chapters, error)) {
            ReportFailure(error, kTracklistCaption);
            return;
        }
    }
    std::string reason;
    if (!ts::WriteFileAtomically(dialog.Path(), CTracklistWriter::Write(lastFormat, chapters), reason)) {
        ReportFailure("\"" + dialog.Path() + "\" cannot be written: " + reason, kTracklistCaption);
        return;
    }
    ShowMessageBox("Wrote " + std::to_string(chapters.chapters.size()) + " chapters into \"" + dialog.Path() + "\".",
                   kTracklistCaption, PromptButtons::Ok, PromptIcon::Information);
}

void CAlbumCommands::WriteChapters(QWidget*, const CQuillDoc& doc)
{
    if (!HasOneFile(doc))
        return;
    const std::string source = ts::AudioPathOf(doc, doc.File(0)->Name());
    FileDialogRequest request;
    request.title = kChaptersCaption;
    request.folder = ts::FolderOf(source);
    std::string ext = Lower(ts::FileNameOf(source));
    ext = ext.rfind('.') == std::string::npos ? std::string() : ext.substr(ext.rfind('.'));
    request.fileName = ts::StemOf(source) + " (chapters)" + (ext.empty() ? std::string(".mka") : ext);
    request.filters = {{"Audio with chapters (*.m4a *.m4b *.mka *.ogg *.flac)", "*.m4a *.m4b *.mka *.ogg *.flac"}};
    const std::optional<std::string> target = CPrompts::Current().AskSaveFile(request);
    if (!target)
        return;
    ChapterList chapters;
    std::string error;
    {
        CWaitCursor wait;
        if (!ts::ChaptersOfSheet(doc, true, chapters, error) || !CChapterMuxer::Write(source, *target, chapters, error)) {
            ReportFailure(error, kChaptersCaption);
            return;
        }
    }
    ShowMessageBox("Wrote \"" + *target + "\" with " + std::to_string(chapters.chapters.size()) + " chapters.",
                   kChaptersCaption, PromptButtons::Ok, PromptIcon::Information);
}

void CAlbumCommands::DetectTracks(QWidget* parent, CEditSession& session, CQuillDoc& doc,
                                  const std::function<void(const std::vector<CCueTime>&)>& showProposals)
{
    CCueFile* file = CurrentFile(session, doc);
    if (!file)
        return;
    const std::string path = CQuillView::ResolvePath(session, file->Name());
    CSilenceDetector detector;
    std::string error;
    {
        CWaitCursor wait;
        if (!detector.Analyse(path, error)) {
            ReportFailure("\"" + path + "\" cannot be read: " + error, kDetectCaption);
            return;
        }
    }
    const std::string name = file->Name();
    CDetectTracksDlg dialog(parent, detector, CSilenceDetector::Options(),
                            [&](const std::vector<CSilenceDetector::Proposal>& chosen) {
        session.Apply([&](CSheetEditor&) -> CCueItem* {
            // The file is found again by name: an undo in between replaces
            // every item.
            CCueFile* target = nullptr;
            for (int i = 0; i < doc.FileCount() && !target; ++i) {
                if (doc.File(i)->Name() == name)
                    target = doc.File(i);
            }
            if (!target)
                return nullptr;
            CCueItem* first = nullptr;
            doc.BeginBatchMode();
            for (const auto& p : chosen) {
                CCueTrack* track = target->AddTrack(nullptr);
                const CCueTime start = TimeOf(p.start);
                track->Index(0)->SetTime(start);
                if (ts::CdFramesOf(p.gapStart) < ts::CdFramesOf(p.start)) {
                    const CCueTime gap = TimeOf(p.gapStart);
                    track->AddIndex(track->Index(0), &gap)->SetNumber(0);
                }
                if (!first)
                    first = track;
            }
            doc.EndBatchMode();
            return first;
        });
    });
    if (showProposals) {
        const auto show = [&dialog, &showProposals] {
            std::vector<CCueTime> starts;
            for (const auto& p : dialog.Proposals())
                starts.push_back(TimeOf(p.start));
            showProposals(starts);
        };
        QObject::connect(&dialog, &CDetectTracksDlg::ProposalsChanged, &dialog, show);
        show();
    }
    dialog.exec();
    if (showProposals)
        showProposals({});
}
