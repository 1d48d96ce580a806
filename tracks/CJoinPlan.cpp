#include "tracks/CJoinPlan.h"

#include "model/TextUtil.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueTrack.h"
#include "model/CCueTime.h"
#include "platform/FileUtil.h"

namespace {

bool EndsWith(const std::string& text, std::string_view end)
{
    if (text.size() < end.size())
        return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
            return false;
    }
    return true;
}

} // namespace

bool CJoinPlan::Build(const CQuillDoc& document, const std::string& image, std::string& error)
{
    m_image = image;
    m_rounded = 0;
    if (EndsWith(image, ".flac"))
        m_format = TrackFormat::Flac;
    else if (EndsWith(image, ".wav"))
        m_format = TrackFormat::Wav;
    else {
        error = "\"" + image + "\" is neither a .flac nor a .wav file: the image is written as FLAC or WAVE";
        return false;
    }
    // The image is named in its sheet's FILE line, in double quotes: a
    // name that holds a quote or a line break would read back as another
    // name, or as two lines.
    if (const std::string name = ts::FileNameOf(image);
        name.find_first_of(std::string_view("\"\n\r\0", 4)) != std::string::npos) {
        error = "\"" + image + "\" cannot be named in a cue sheet: a name cannot hold a double quote, a line break or a "
                "NUL character";
        return false;
    }
    m_sheetPath = image.substr(0, image.rfind('.')) + ".cue";
    if (!m_sources.BuildSources(document, error))
        return false;
    const std::vector<PlanSource>& sources = m_sources.Sources();
    for (const PlanSource& source : sources) {
        if (source.type != sources.front().type) {
            error = "\"" + source.path + "\" holds its samples unlike \"" + sources.front().path +
                    "\" (integer and floating-point, or another width); the files of one image must match";
            return false;
        }
    }

    // Every index must lie inside its file, as a split requires: an image
    // whose sheet points past the audio would not be the disc.
    for (int f = 0; f < document.FileCount() && static_cast<std::size_t>(f) < sources.size(); ++f) {
        const CCueFile* file = document.File(f);
        const PlanSource& source = sources[static_cast<std::size_t>(f)];
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            for (int x = 0; x < track->IndexCount(); ++x) {
                const CCueIndex* index = track->Index(x);
                if (ts::FrameOfTime(index->Time(), source.rate) > source.frames) {
                    char number[8];
                    std::snprintf(number, sizeof number, "%02d", index->Number());
                    char trackNumber[8];
                    std::snprintf(trackNumber, sizeof trackNumber, "%02d", track->Number());
                    error = std::string("INDEX ") + number + " of track " + trackNumber + " (" + index->Time().Text() +
                            ") lies past the end of \"" + source.path + "\" (" +
                            ts::TimeOfFrame(source.frames, source.rate) + ")";
                    return false;
                }
            }
        }
    }

    // The saved text of the sheet, line by line: the first FILE line names
    // the image, the later ones go, and each INDEX moves by the length of
    // the files before its own.
    const std::uint32_t rate = sources.front().rate;
    const std::string text = document.SheetText();
    const std::string type = "WAVE";
    std::string out;
    int file = -1;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + from, end - from);
        from = end + 1;
        std::size_t rest = 0;
        const std::string_view word = ts::FirstWord(line, rest);
        if (word == "FILE") {
            ++file;
            if (file == 0)
                out += "FILE \"" + ts::FileNameOf(image) + "\" " + type + "\n";
            continue;
        }
        if (word == "INDEX" && file > 0) {
            // INDEX nn mm:ss:ff, then perhaps a comment.
            std::size_t numberEnd = 0;
            const std::string_view afterWord = line.substr(rest);
            ts::FirstWord(afterWord, numberEnd);
            std::size_t timeEnd = 0;
            const std::string_view afterNumber = afterWord.substr(numberEnd);
            const std::string_view time = ts::FirstWord(afterNumber, timeEnd);
            const PlanSource& source = sources[static_cast<std::size_t>(file)];
            const std::uint64_t frame = source.discStart + ts::FrameOfTime(CCueTime::Parse(time), rate);
            if ((frame * CCueTime::kFramesPerSecond) % rate != 0)
                ++m_rounded;
            const std::size_t timeStart = rest + numberEnd + (timeEnd - time.size());
            out += std::string(line.substr(0, timeStart));
            out += ts::TimeOfFrame(frame, rate);
            out += std::string(line.substr(timeStart + time.size()));
            out += '\n';
            continue;
        }
        out += std::string(line);
        out += '\n';
    }
    m_sheet = std::move(out);
    return true;
}
