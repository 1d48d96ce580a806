#pragma once

#include <string>
#include <vector>

// What an audio file carries of a cue sheet: the CUESHEET tag's text and,
// for FLAC, the CUESHEET metadata block already turned into sheet text.
struct EmbeddedSheetData {
    bool hasTag = false;
    std::string tagText;  // UTF-8, as stored
    std::string tagKind;  // "Vorbis comment", "APEv2 tag"
    // The library could read the tag only as UTF-8 and put U+FFFD for the
    // bytes that were not.
    bool tagLostBytes = false;
    bool hasBlock = false;
    std::string blockText; // FILE names the audio file itself
    // Indexes of the block that fall between CD frames, as "TRACK nn INDEX nn".
    std::vector<std::string> blockOffFrame;
};

// Reads and writes the cue sheet an audio file carries in its tag. The
// document layer knows only this interface; the implementation over the
// tag libraries lives in a library of its own, and the programs that link
// it install one store for the process.
class IEmbeddedSheetStore
{
public:
    virtual ~IEmbeddedSheetStore();

    // Whether path names a kind of audio file this store reads and writes
    // (by its extension; the contents are checked by Read and Write).
    virtual bool Handles(const std::string& path) const = 0;
    // False, with the reason, when the file cannot be read as that kind.
    // A file without a sheet reads, with neither part present.
    virtual bool Read(const std::string& path, EmbeddedSheetData& data, std::string& reason) = 0;
    // Puts text (UTF-8) into the file's CUESHEET tag, changing nothing
    // else. On failure the file is as it was and reason says why.
    virtual bool Write(const std::string& path, const std::string& text, std::string& reason) = 0;

    // The store of the process; null when none is installed.
    static IEmbeddedSheetStore* Installed();
    // Installs store (not owned; null uninstalls) and returns the previous one.
    static IEmbeddedSheetStore* Install(IEmbeddedSheetStore* store);
};
