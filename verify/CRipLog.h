#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a rip log says about one track: the values it printed, each only
// when the log has it.
struct LoggedTrack {
    int number = 0;
    std::optional<std::uint32_t> crc;         // EAC "Copy CRC", XLD "CRC32 hash"
    std::optional<std::uint32_t> crcNoNull;   // XLD "CRC32 hash (skip zero)"
    std::optional<std::uint32_t> accurateRipV1;
    std::optional<std::uint32_t> accurateRipV2;
};

// A rip log of Exact Audio Copy or X Lossless Decoder, in UTF-16 (EAC's
// own) or UTF-8, read for the checksums it printed per track and for the
// whole range of an image rip.
class CRipLog
{
public:
    enum class Kind { Eac, Xld };

    // False with a message for the user when the file cannot be read or
    // is no log of either program.
    bool Read(const std::string& path, std::string& error);
    bool Parse(const std::string& bytes, std::string& error);

    Kind GetKind() const { return m_kind; }
    const char* KindName() const { return m_kind == Kind::Eac ? "EAC" : "XLD"; }
    const std::vector<LoggedTrack>& Tracks() const { return m_tracks; }
    const LoggedTrack* Track(int number) const;
    // The CRC of the whole range, when the log covers an image.
    std::optional<std::uint32_t> ImageCrc() const { return m_imageCrc; }

    // The log beside a sheet: the sheet's name with ".log", or else the
    // one log file in its folder; empty when there is none or several.
    static std::string FindBeside(const std::string& sheetPath);

    // The text of a file in UTF-16 with either byte order, or UTF-8 with or
    // without its mark, as UTF-8.
    static std::string ToUtf8(const std::string& bytes);

private:
    LoggedTrack& TrackEntry(int number);

    Kind m_kind = Kind::Eac;
    std::vector<LoggedTrack> m_tracks;
    std::optional<std::uint32_t> m_imageCrc;
};
