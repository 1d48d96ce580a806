#pragma once

#include "document/IEmbeddedSheetStore.h"
#include "embed/CReplacementFile.h"

// The sheets of FLAC files (Vorbis comment and CUESHEET block, through
// libFLAC) and of WavPack and APE files (APEv2 tag, through TagLib). A
// write edits a complete copy of the file, through the format's padding
// where it has room, and renames the copy over the file only when the
// edit succeeded; the audio is never touched.
class CTagSheetStore final : public IEmbeddedSheetStore
{
public:
    explicit CTagSheetStore(CReplacementFile::FaultHook fault = {});

    bool Handles(const std::string& path) const override;
    bool Read(const std::string& path, EmbeddedSheetData& data, std::string& reason) override;
    bool Write(const std::string& path, const std::string& text, std::string& reason) override;

private:
    CReplacementFile::FaultHook m_fault;
};
