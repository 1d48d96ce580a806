// Pastes arbitrary bytes into a sheet at an arbitrary line, as the clipboard
// paste does, and reads them as a whole file into an empty sheet, as File
// Open does. Every box is answered with its default. Afterwards the
// document's line list must match its tree, and the bytes must decode and
// encode back to themselves.
#include "document/CCueMessageBox.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"
#include "model/CCueTrack.h"
#include "model/TextEncoding.h"
#include "platform/CScriptedPrompts.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const char kSheet[] =
    "REM fuzz\n"
    "CATALOG 1234567890123\n"
    "FILE A.WAV WAVE\n"
    "  TRACK 01 AUDIO ; one\n"
    "    PREGAP 00:02:00\n"
    "    ISRC ABCDE1234567\n"
    "    FLAGS DCP\n"
    "    INDEX 00 00:00:00\n"
    "    INDEX 01 00:02:00\n"
    "    POSTGAP 00:01:00\n"
    "  TRACK 02 AUDIO\n"
    "    INDEX 01 01:00:00\n"
    "FILE B.BIN BINARY\n"
    "  TRACK 03 MODE1/2352\n"
    "    INDEX 01 00:00:00\n";

int CountTree(const CCueItem& item)
{
    int n = 1;
    for (int i = 0; i < item.ChildCount(); ++i)
        n += CountTree(*item.Child(i));
    return n;
}

void CheckConsistent(const CQuillDoc& doc)
{
    int items = 0;
    for (int i = 0; i < doc.TopLevelCount(); ++i)
        items += CountTree(*doc.TopLevelItem(i));
    if (items != doc.LineCount())
        std::abort();
    for (int i = 0; i < doc.LineCount(); ++i) {
        if (doc.LineOf(doc.Line(i)) != i)
            std::abort();
    }
    for (int f = 0; f < doc.FileCount(); ++f) {
        const CCueFile* file = doc.File(f);
        for (int t = 0; t < file->TrackCount(); ++t) {
            if (file->Track(t)->File() != file || file->PositionOf(file->Track(t)) < 0)
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CScriptedPrompts prompts;
    CPromptsScope scope(prompts);
    const unsigned anchorChoice = size ? data[0] : 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + (size ? 1 : 0), size ? size - 1 : 0);

    {
        CQuillDoc doc;
        CCueLineSource sheet = CCueLineSource::FromText(kSheet);
        CCueMessageBox::Show(CCueReader::Read(sheet, doc, nullptr));
        CCueItem* anchor = doc.Line(static_cast<int>(anchorChoice % (doc.LineCount() + 1)));
        CCueLineSource paste = CCueLineSource::FromText(bytes);
        CCueMessageBox::Show(CCueReader::Read(paste, doc, anchor));
        CheckConsistent(doc);
        (void)doc.SaveBytes();
    }
    {
        CQuillDoc doc;
        CCueLineSource text = CCueLineSource::FromText(bytes);
        CCueMessageBox::Show(CCueReader::Read(text, doc, nullptr));
        CheckConsistent(doc);
        (void)doc.SaveBytes();
    }
    {
        // A file's bytes decode and encode back to the same bytes, unless
        // they held malformed wide text.
        ts::SheetEncoding encoding;
        bool bad = false;
        const std::string decoded = ts::DecodeFileBytes(bytes, encoding, bad);
        if (!bad && ts::EncodeFileBytes(decoded, encoding) != bytes)
            std::abort();
    }
    return 0;
}
