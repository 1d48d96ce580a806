#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "discimage/CImageWriter.h"

class CQuillDoc;

// Which way the gaps of audio tracks go.
enum class GapDirection {
    // An INDEX 00 pregap of digital silence becomes a PREGAP command and
    // its sectors leave the image.
    ToPregap,
    // A PREGAP command becomes silent sectors in the image, from an
    // INDEX 00 on.
    ToSilence,
};

// The plan of a gap conversion on a byte image: a new copy of every file
// whose gaps change, and the sheet that uses the copies. The originals are
// only read.
class CGapConversion
{
public:
    // Finds the tracks to convert and, for ToPregap, reads their gaps to
    // see that they are silent. False with a message for the user when the
    // sheet has no gap to convert or a file cannot be read.
    bool Build(const CQuillDoc& document, const CDiscImage& disc, GapDirection direction, std::string& error);

    // The name suffix of the copies: " (PREGAP)" or " (INDEX 00)".
    static std::string Suffix(GapDirection direction);

    // The numbers of the tracks converted, and of the audio tracks whose
    // INDEX 00 gap was left as it is because it is not silent.
    const std::vector<int>& Converted() const { return m_converted; }
    const std::vector<int>& NotSilent() const { return m_notSilent; }
    // The copies to write.
    const std::vector<ImageOutput>& Outputs() const { return m_outputs; }
    // The sheet with the copies' names and the converted gaps, "\n" ends.
    const std::string& SheetText() const { return m_sheet; }

private:
    struct Change;
    bool IsSilent(const CDiscImage& disc, std::size_t file, std::uint64_t from, std::uint64_t to, bool& silent,
                  std::string& error) const;

    std::vector<int> m_converted;
    std::vector<int> m_notSilent;
    std::vector<ImageOutput> m_outputs;
    std::string m_sheet;
};
