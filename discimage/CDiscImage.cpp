#include "discimage/CDiscImage.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "discimage/ImageSectors.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueTrack.h"
#include "platform/FileUtil.h"

namespace {

std::string TwoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

std::uint64_t SectorOf(const CCueIndex& index)
{
    return ts::SectorsOfTime(index.Time().Text());
}

} // namespace

bool CDiscImage::IsByteImage(const CQuillDoc& document)
{
    if (document.FileCount() == 0)
        return false;
    for (int i = 0; i < document.FileCount(); ++i) {
        const FileType type = document.File(i)->Type();
        if (type != FileType::Binary && type != FileType::Motorola)
            return false;
    }
    return true;
}

std::uint64_t CDiscImage::TotalBytes() const
{
    return m_files.empty() ? 0 : m_files.back().firstByte + m_files.back().bytes;
}

bool CDiscImage::Read(const CQuillDoc& document, std::string& error)
{
    m_sheet = document.SheetText();
    m_files.clear();
    m_segments.clear();
    m_tracks.clear();
    if (document.FileCount() == 0) {
        error = "The sheet has no FILE";
        return false;
    }
    const std::string folder = ts::FolderOf(document.PathName());
    std::uint64_t firstByte = 0;
    std::uint64_t firstSector = 0;
    for (int i = 0; i < document.FileCount(); ++i) {
        const CCueFile* item = document.File(i);
        ImageFile file;
        const std::string& name = item->Name();
        file.path = folder.empty() || (!name.empty() && name.front() == '/') ? name : folder + "/" + name;
        file.typeWord = std::string(item->TypeText());
        if (item->Type() != FileType::Binary && item->Type() != FileType::Motorola) {
            error = ts::Quoted(file.path) + " is a " + file.typeWord +
                    " file: only BINARY and MOTOROLA files are joined and split byte for byte";
            return false;
        }
        std::string reason;
        if (!ts::CanReadFile(file.path, reason)) {
            error = ts::Quoted(file.path) + " cannot be read: " + reason;
            return false;
        }
        std::error_code sizeError;
        file.bytes = std::filesystem::file_size(file.path, sizeError);
        if (sizeError) {
            error = ts::Quoted(file.path) + " cannot be read: " + sizeError.message();
            return false;
        }

        // Each track's part of the file starts at its first index (the
        // file's first track at the file's start) and is counted in its
        // own sector size.
        std::vector<Segment> segments;
        std::uint64_t lastIndex = 0;
        const CCueIndex* lastItem = nullptr;
        const CCueTrack* lastTrack = nullptr;
        for (int t = 0; t < item->TrackCount(); ++t) {
            const CCueTrack* track = item->Track(t);
            Segment segment;
            segment.sectorBytes = ts::SectorBytes(track->TypeText());
            if (segment.sectorBytes == 0) {
                error = "Track " + TwoDigits(track->Number()) + " is of the type " +
                        ts::Quoted(std::string(track->TypeText())) + ", whose sector size is not known";
                return false;
            }
            if (track->Type() == TrackType::Audio)
                file.holdsAudio = true;
            std::uint64_t first = 0;
            bool hasIndex = false;
            for (int x = 0; x < track->IndexCount(); ++x) {
                const std::uint64_t at = SectorOf(*track->Index(x));
                first = hasIndex ? std::min(first, at) : at;
                hasIndex = true;
                if (at >= lastIndex) {
                    lastIndex = at;
                    lastItem = track->Index(x);
                    lastTrack = track;
                }
            }
            segment.sector = segments.empty() ? 0 : (hasIndex ? first : segments.back().sector);
            if (!segments.empty()) {
                const Segment& before = segments.back();
                segment.byte = before.byte + (segment.sector - before.sector) * before.sectorBytes;
            }
            segments.push_back(segment);
        }
        if (segments.empty()) {
            error = ts::Quoted(file.path) + " has no track";
            return false;
        }
        const Segment& last = segments.back();
        if (last.byte > file.bytes) {
            error = "Track " + TwoDigits(lastTrack ? lastTrack->Number() : 0) + " starts past the end of " +
                    ts::Quoted(file.path) + ", which holds " + std::to_string(file.bytes) + " bytes";
            return false;
        }
        const std::uint64_t rest = file.bytes - last.byte;
        if (rest % last.sectorBytes != 0) {
            error = ts::Quoted(file.path) + " is not a whole number of sectors: its " + std::to_string(file.bytes) +
                    " bytes leave " + std::to_string(rest % last.sectorBytes) + " over in sectors of " +
                    std::to_string(last.sectorBytes) + " bytes";
            return false;
        }
        file.sectors = last.sector + rest / last.sectorBytes;
        if (lastItem && lastIndex > file.sectors) {
            error = "INDEX " + TwoDigits(lastItem->Number()) + " of track " + TwoDigits(lastTrack->Number()) + " (" +
                    lastItem->Time().Text() + ") lies past the end of " + ts::Quoted(file.path) + " (" +
                    ts::TimeOfSectors(file.sectors) + ")";
            return false;
        }
        file.firstByte = firstByte;
        file.firstSector = firstSector;
        firstByte += file.bytes;
        firstSector += file.sectors;

        for (int t = 0; t < item->TrackCount(); ++t) {
            const CCueTrack* track = item->Track(t);
            if (track->IsContinuation() && !m_tracks.empty())
                continue;
            const Segment& segment = segments[static_cast<std::size_t>(t)];
            ImageTrack entry;
            entry.number = track->Number();
            entry.typeWord = std::string(track->TypeText());
            entry.sectorBytes = segment.sectorBytes;
            entry.file = m_files.size();
            entry.firstSector = file.firstSector + (m_tracks.empty() && m_files.empty() ? 0 : segment.sector);
            entry.firstByte = file.firstByte + (m_tracks.empty() && m_files.empty() ? 0 : segment.byte);
            m_tracks.push_back(entry);
        }
        m_files.push_back(std::move(file));
        m_segments.push_back(std::move(segments));
    }
    for (std::size_t t = 0; t < m_tracks.size(); ++t)
        m_tracks[t].endByte = t + 1 < m_tracks.size() ? m_tracks[t + 1].firstByte : TotalBytes();
    return true;
}

std::uint64_t CDiscImage::ByteOfSector(std::size_t file, std::uint64_t sector) const
{
    const std::vector<Segment>& segments = m_segments[file];
    const Segment* in = &segments.front();
    for (const Segment& segment : segments) {
        if (segment.sector <= sector)
            in = &segment;
    }
    return in->byte + (sector - in->sector) * in->sectorBytes;
}

std::string CDiscImage::JoinedType(std::string& error) const
{
    // The bytes are copied as they are, so audio in one byte order cannot
    // join audio in the other under one FILE type.
    const std::string& type = m_files.front().typeWord;
    for (const ImageFile& file : m_files) {
        if (file.typeWord == type || !file.holdsAudio)
            continue;
        for (const ImageFile& other : m_files) {
            if (other.typeWord == type && other.holdsAudio) {
                error = ts::Quoted(file.path) + " holds its audio as " + file.typeWord + " and " + ts::Quoted(other.path) +
                        " as " + other.typeWord + "; one image holds audio in one byte order only";
                return {};
            }
        }
        return file.typeWord;
    }
    return type;
}

std::string CDiscImage::JoinSheet(const std::string& imageName, const std::string& type) const
{
    return Rewrite(imageName, type, nullptr);
}

std::vector<std::string> CDiscImage::SplitNames(const std::string& name) const
{
    std::vector<std::string> names;
    const bool twoDigits = m_tracks.size() >= 10;
    for (std::size_t t = 0; t < m_tracks.size(); ++t) {
        const int n = static_cast<int>(t) + 1;
        names.push_back(name + " (Track " + (twoDigits ? TwoDigits(n) : std::to_string(n)) + ").bin");
    }
    return names;
}

std::string CDiscImage::SplitSheet(const std::vector<std::string>& names) const
{
    return Rewrite({}, {}, &names);
}

// Walks the sheet as saved line by line. A join writes one FILE for the
// image where the first FILE stood and drops the others; a split writes a
// FILE before each TRACK. Each INDEX moves to its sector on the disc, or
// from the start of its track's file; all other lines stay as they are.
std::string CDiscImage::Rewrite(const std::string& imageName, const std::string& type,
                                const std::vector<std::string>* names) const
{
    std::string out;
    int file = -1;
    int track = -1;
    std::size_t from = 0;
    while (from < m_sheet.size()) {
        std::size_t end = m_sheet.find('\n', from);
        if (end == std::string::npos)
            end = m_sheet.size();
        const std::string_view line(m_sheet.data() + from, end - from);
        from = end + 1;
        std::size_t rest = 0;
        const std::string_view word = ts::FirstWord(line, rest);
        if (word == "FILE") {
            ++file;
            if (!names && file == 0)
                out += "FILE " + ts::Quoted(imageName) + " " + type + "\n";
            continue;
        }
        if (word == "TRACK") {
            ++track;
            const auto t = static_cast<std::size_t>(track);
            if (names && t < names->size())
                out += "FILE " + ts::Quoted((*names)[t]) + " " + m_files[m_tracks[t].file].typeWord + "\n";
        }
        if (word == "INDEX" && file >= 0) {
            // INDEX nn mm:ss:ff, then perhaps a comment.
            std::size_t numberEnd = 0;
            const std::string_view afterWord = line.substr(rest);
            ts::FirstWord(afterWord, numberEnd);
            std::size_t timeEnd = 0;
            const std::string_view afterNumber = afterWord.substr(numberEnd);
            const std::string_view time = ts::FirstWord(afterNumber, timeEnd);
            std::uint64_t sector = m_files[static_cast<std::size_t>(file)].firstSector + ts::SectorsOfTime(time);
            if (names && track >= 0)
                sector -= m_tracks[static_cast<std::size_t>(track)].firstSector;
            const std::size_t timeStart = rest + numberEnd + (timeEnd - time.size());
            out += std::string(line.substr(0, timeStart));
            out += ts::TimeOfSectors(sector);
            out += std::string(line.substr(timeStart + time.size()));
            out += '\n';
            continue;
        }
        out += std::string(line);
        out += '\n';
    }
    return out;
}

std::vector<ImagePiece> CDiscImage::PiecesOf(std::uint64_t begin, std::uint64_t end) const
{
    std::vector<ImagePiece> pieces;
    for (std::size_t i = 0; i < m_files.size() && begin < end; ++i) {
        const ImageFile& file = m_files[i];
        const std::uint64_t fileEnd = file.firstByte + file.bytes;
        if (begin >= fileEnd)
            continue;
        const std::uint64_t pieceEnd = std::min(end, fileEnd);
        pieces.push_back({i, begin - file.firstByte, pieceEnd - begin});
        begin = pieceEnd;
    }
    return pieces;
}
