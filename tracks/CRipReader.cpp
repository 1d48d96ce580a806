#include "tracks/CRipReader.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueTrack.h"
#include "platform/FileUtil.h"
#include "tracks/CTrackSource.h"
#include "verify/CTrackChecksum.h"
#include "verify/Crc32.h"

namespace {

// The bytes a sector of a data track takes in its file.
std::uint64_t SectorBytes(TrackType type)
{
    switch (type) {
    case TrackType::Mode1_2048: return 2048;
    case TrackType::Mode2_2336:
    case TrackType::Cdi_2336: return 2336;
    default: return 2352;
    }
}

} // namespace

bool CRipReader::Open(const CQuillDoc& document, std::string& error)
{
    m_sources.clear();
    m_sums.clear();
    if (document.FileCount() == 0) {
        error = "The sheet has no FILE to take audio from";
        return false;
    }
    const std::string folder = ts::FolderOf(document.PathName());
    std::vector<std::uint64_t> lengths;
    for (int i = 0; i < document.FileCount(); ++i) {
        const CCueFile* file = document.File(i);
        const std::string& name = file->Name();
        Source source;
        source.path = folder.empty() || (!name.empty() && name.front() == '/') ? name : folder + "/" + name;
        if (file->TrackCount() > 0 && file->Track(0)->Type() != TrackType::Audio) {
            // A data track's file: only its length in sectors counts.
            std::error_code ec;
            const std::uintmax_t size = std::filesystem::file_size(source.path, ec);
            if (ec) {
                error = "\"" + source.path + "\" cannot be read: " + ec.message();
                return false;
            }
            lengths.push_back(size / SectorBytes(file->Track(0)->Type()) * CDiscLayout::kSamplesPerSector);
            source.data = true;
            m_sources.push_back(source);
            continue;
        }
        CTrackSource reader;
        if (!reader.Open(source.path)) {
            error = "\"" + source.path + "\" cannot be read: " + reader.FailureReason();
            return false;
        }
        if (reader.SampleRate() != CDiscLayout::kRate) {
            error = "\"" + source.path + "\" has audio at " + std::to_string(reader.SampleRate()) +
                    " Hz: a CD's audio is 44.1 kHz 16-bit stereo";
            return false;
        }
        source.rate = reader.SampleRate();
        source.channels = reader.Channels();
        source.s16 = reader.Type() == SampleType::S16;
        lengths.push_back(reader.FrameCount());
        m_sources.push_back(source);
    }
    return m_layout.Build(document, lengths, error);
}

bool CRipReader::ReadTrack(std::size_t index, TrackChecksums& sums, std::string& error)
{
    const std::vector<DiscTrack>& tracks = m_layout.Tracks();
    const DiscTrack& track = tracks[index];
    CTrackChecksum checksum(track.frames, index == 0, index + 1 == tracks.size());
    std::unique_ptr<CTrackSource> reader;
    std::size_t opened = DiscPiece::kSilence;
    for (const DiscPiece& piece : track.pieces) {
        if (piece.source == DiscPiece::kSilence) {
            checksum.AddSilence(piece.Frames());
            m_done += piece.Frames();
            continue;
        }
        if (piece.source != opened) {
            reader = std::make_unique<CTrackSource>();
            if (!reader->Open(m_sources[piece.source].path)) {
                error = "\"" + m_sources[piece.source].path + "\" cannot be read: " + reader->FailureReason();
                return false;
            }
            opened = piece.source;
        }
        const bool ok = reader->Read(piece.begin, piece.end, [&](const std::uint8_t* samples, std::size_t frames) {
            checksum.Add(samples, frames);
            m_done += frames;
            return !m_cancel;
        });
        if (m_cancel)
            return false;
        if (!ok) {
            error = "\"" + m_sources[piece.source].path + "\" cannot be read: " + reader->FailureReason();
            return false;
        }
    }
    sums.number = track.number;
    sums.accurateRipV1 = checksum.AccurateRipV1();
    sums.accurateRipV2 = checksum.AccurateRipV2();
    sums.crc = checksum.Crc();
    sums.crcNoNull = checksum.CrcWithoutNulls();
    return true;
}

bool CRipReader::Compute(std::string& error)
{
    // A Cancel that came while Open still ran holds: the user who closed
    // the window does not wait for the whole disc to be read.
    m_done = 0;
    for (const Source& source : m_sources) {
        if (source.data)
            continue;
        if (source.rate != CDiscLayout::kRate || source.channels != 2 || !source.s16) {
            error = "\"" + source.path + "\" is not 44.1 kHz 16-bit stereo audio, which rip checksums are defined on";
            return false;
        }
    }
    const std::size_t count = m_layout.Tracks().size();
    std::vector<TrackChecksums> sums(count);
    std::vector<std::string> errors(count);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (std::size_t i = next++; i < count && !failed && !m_cancel; i = next++) {
            if (!ReadTrack(i, sums[i], errors[i]))
                failed = true;
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(count, std::max<unsigned>(1, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    if (m_cancel)
        return false;
    if (failed) {
        for (const std::string& e : errors) {
            if (!e.empty()) {
                error = e;
                break;
            }
        }
        return false;
    }
    m_sums = std::move(sums);
    m_imageCrc = 0;
    for (std::size_t i = 0; i < count; ++i)
        m_imageCrc = ts::Crc32Combine(m_imageCrc, m_sums[i].crc, m_layout.Tracks()[i].frames * 4);
    return true;
}
