#include "discimage/CGapConversion.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "discimage/ImageSectors.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"

namespace {

std::string Indent(std::string_view line)
{
    std::size_t n = 0;
    while (n < line.size() && (line[n] == ' ' || line[n] == '\t'))
        ++n;
    return std::string(line.substr(0, n));
}

// NAME.EXT with the suffix before the extension; the folder part kept.
std::string WithSuffix(const std::string& name, const std::string& suffix)
{
    const auto slash = name.find_last_of('/');
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return name + suffix;
    return name.substr(0, dot) + suffix + name.substr(dot);
}

} // namespace

// A track whose gap changes: where in its file, and by how many sectors.
struct CGapConversion::Change {
    std::size_t track = 0; // its place among the TRACK lines
    std::size_t file = 0;
    std::uint64_t sector = 0;  // INDEX 00 (ToPregap) or the first index (ToSilence)
    std::uint64_t sectors = 0; // the gap
    std::uint32_t sectorBytes = 0;
    bool pregapLine = false;
    std::uint64_t pregap = 0; // the PREGAP the track ends with
};

std::string CGapConversion::Suffix(GapDirection direction)
{
    return direction == GapDirection::ToPregap ? " (PREGAP)" : " (INDEX 00)";
}

bool CGapConversion::IsSilent(const CDiscImage& disc, std::size_t file, std::uint64_t from, std::uint64_t to,
                              bool& silent, std::string& error) const
{
    const std::string& path = disc.Files()[file].path;
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::vector<char> buffer(1u << 16);
    silent = true;
    for (std::uint64_t left = to - from; left > 0 && silent;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
        if (!in.read(buffer.data(), static_cast<std::streamsize>(n))) {
            error = ts::Quoted(path) + " cannot be read: it is shorter than when it was measured";
            return false;
        }
        silent = std::all_of(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n), [](char c) { return c == 0; });
        left -= n;
    }
    return true;
}

bool CGapConversion::Build(const CQuillDoc& document, const CDiscImage& disc, GapDirection direction,
                           std::string& error)
{
    m_converted.clear();
    m_notSilent.clear();
    m_outputs.clear();
    m_sheet.clear();
    std::vector<Change> changes;
    std::size_t ordinal = 0;
    for (int f = 0; f < document.FileCount(); ++f) {
        const CCueFile* file = document.File(f);
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (track->IsContinuation() && (f > 0 || t > 0))
                continue;
            const std::size_t place = ordinal++;
            // A track that runs on into the next file keeps its gap.
            const bool last = t + 1 == file->TrackCount();
            if (last && f + 1 < document.FileCount() && document.File(f + 1)->Continuation())
                continue;
            if (track->Type() != TrackType::Audio)
                continue;
            bool has0 = false, has1 = false;
            std::uint64_t index0 = 0, index1 = 0;
            for (int x = 0; x < track->IndexCount(); ++x) {
                const CCueIndex* index = track->Index(x);
                if (index->Number() == 0) {
                    has0 = true;
                    index0 = ts::SectorsOfTime(index->Time().Text());
                } else if (index->Number() == 1) {
                    has1 = true;
                    index1 = ts::SectorsOfTime(index->Time().Text());
                }
            }
            if (!has1)
                continue;
            Change change;
            change.track = place;
            change.file = static_cast<std::size_t>(f);
            change.sectorBytes = ts::SectorBytes(track->TypeText());
            change.pregapLine = track->Pregap() != nullptr;
            const std::uint64_t pregap = track->Pregap() ? ts::SectorsOfTime(track->Pregap()->Time().Text()) : 0;
            if (direction == GapDirection::ToPregap) {
                if (!has0 || index0 >= index1)
                    continue;
                bool silent = false;
                if (!IsSilent(disc, change.file, disc.ByteOfSector(change.file, index0),
                              disc.ByteOfSector(change.file, index1), silent, error))
                    return false;
                if (!silent) {
                    m_notSilent.push_back(track->Number());
                    continue;
                }
                change.sector = index0;
                change.sectors = index1 - index0;
                change.pregap = pregap + change.sectors;
            } else {
                if (pregap == 0)
                    continue;
                change.sector = has0 ? std::min(index0, index1) : index1;
                change.sectors = pregap;
            }
            m_converted.push_back(track->Number());
            changes.push_back(change);
        }
    }
    if (changes.empty()) {
        error = direction == GapDirection::ToPregap
            ? (m_notSilent.empty() ? std::string("No audio track has an INDEX 00 gap to turn into a PREGAP")
                                   : std::string("No INDEX 00 gap of an audio track is digital silence"))
            : std::string("No audio track has a PREGAP to write into the image");
        return false;
    }

    // The copies: each changed file with its gaps cut out or written in.
    std::vector<std::string> names;
    for (int f = 0; f < document.FileCount(); ++f)
        names.push_back(document.File(f)->Name());
    for (std::size_t f = 0; f < disc.Files().size(); ++f) {
        std::vector<const Change*> inFile;
        for (const Change& change : changes) {
            if (change.file == f)
                inFile.push_back(&change);
        }
        if (inFile.empty())
            continue;
        names[f] = WithSuffix(names[f], Suffix(direction));
        ImageOutput output;
        output.target = WithSuffix(disc.Files()[f].path, Suffix(direction));
        std::uint64_t at = 0;
        for (const Change* change : inFile) {
            const std::uint64_t cut = disc.ByteOfSector(f, change->sector);
            output.pieces.push_back({f, at, cut - at});
            if (direction == GapDirection::ToPregap) {
                at = disc.ByteOfSector(f, change->sector + change->sectors);
            } else {
                output.pieces.push_back({ImagePiece::kZeros, 0, change->sectors * change->sectorBytes});
                at = cut;
            }
        }
        output.pieces.push_back({f, at, disc.Files()[f].bytes - at});
        m_outputs.push_back(std::move(output));
    }

    // Where an index of a file lands in its copy.
    auto moved = [&](std::size_t file, std::uint64_t sector, std::size_t track, int number) {
        std::int64_t shift = 0;
        for (const Change& change : changes) {
            if (change.file != file)
                continue;
            const auto n = static_cast<std::int64_t>(change.sectors);
            if (direction == GapDirection::ToPregap) {
                if (sector >= change.sector + change.sectors)
                    shift -= n;
            } else if (sector > change.sector || (sector == change.sector && !(change.track == track && number == 0))) {
                shift += n;
            }
        }
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(sector) + shift);
    };
    auto changeOf = [&](std::size_t track) -> const Change* {
        for (const Change& change : changes) {
            if (change.track == track)
                return &change;
        }
        return nullptr;
    };

    const std::string& text = disc.SheetText();
    int file = -1;
    int track = -1;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + from, end - from);
        from = end + 1;
        std::size_t rest = 0;
        const std::string_view word = ts::FirstWord(line, rest);
        const Change* change = track >= 0 ? changeOf(static_cast<std::size_t>(track)) : nullptr;
        if (word == "FILE") {
            ++file;
            const auto f = static_cast<std::size_t>(file);
            if (f < names.size() && names[f] != document.File(file)->Name()) {
                m_sheet += Indent(line) + "FILE " + ts::Quoted(names[f]) + " " + disc.Files()[f].typeWord + "\n";
                continue;
            }
        } else if (word == "TRACK") {
            ++track;
        } else if (word == "PREGAP" && change) {
            if (direction == GapDirection::ToPregap)
                m_sheet += Indent(line) + "PREGAP " + ts::TimeOfSectors(change->pregap) + "\n";
            continue;
        } else if (word == "INDEX" && file >= 0 && track >= 0) {
            std::size_t numberEnd = 0;
            const std::string_view afterWord = line.substr(rest);
            const std::string_view numberText = ts::FirstWord(afterWord, numberEnd);
            std::size_t timeEnd = 0;
            const std::string_view afterNumber = afterWord.substr(numberEnd);
            const std::string_view time = ts::FirstWord(afterNumber, timeEnd);
            const int number = numberText.size() == 2 ? (numberText[0] - '0') * 10 + (numberText[1] - '0') : -1;
            const std::uint64_t sector = ts::SectorsOfTime(time);
            const auto f = static_cast<std::size_t>(file);
            const auto t = static_cast<std::size_t>(track);
            if (change && change->file == f && direction == GapDirection::ToPregap && number == 0) {
                if (!change->pregapLine)
                    m_sheet += Indent(line) + "PREGAP " + ts::TimeOfSectors(change->pregap) + "\n";
                continue;
            }
            if (change && change->file == f && direction == GapDirection::ToSilence && number == 1 &&
                sector == change->sector)
                m_sheet += Indent(line) + "INDEX 00 " + ts::TimeOfSectors(moved(f, sector, t, 0)) + "\n";
            const std::size_t timeStart = rest + numberEnd + (timeEnd - time.size());
            m_sheet += std::string(line.substr(0, timeStart));
            m_sheet += ts::TimeOfSectors(moved(f, sector, t, number));
            m_sheet += std::string(line.substr(timeStart + time.size()));
            m_sheet += '\n';
            continue;
        }
        m_sheet += std::string(line);
        m_sheet += '\n';
    }
    return true;
}
