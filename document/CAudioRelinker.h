#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CCueFile;
class CQuillDoc;

// Finds the audio a sheet's FILE lines name when it is gone: renamed by an
// encoder, re-cased by a copy between file systems, or moved one folder up
// or down. Names are bytes as the sheet holds them; relative names are
// taken from the sheet's folder.
class CAudioRelinker
{
public:
    // One FILE whose file is missing, and what it could name instead.
    struct Fix {
        CCueFile* file = nullptr;
        std::string oldName;
        std::string newName; // empty when nothing was found
        std::string how;     // why the candidate matches, for messages
    };

    // Audio extensions, lower case with the dot, in the order a candidate
    // with another extension is preferred.
    static const std::vector<std::string>& AudioExtensions();

    // The folder relative FILE names are taken from: the sheet's own, or the
    // current folder for an untitled sheet.
    static std::filesystem::path SheetFolder(const CQuillDoc& doc);
    // Whether the FILE name is a regular file seen from folder.
    static bool Exists(const std::filesystem::path& folder, const std::string& name);

    // The name a missing FILE could take, relative to folder (the sheet's);
    // empty when nothing fits. Looked for in the name's own folder, then in
    // folder, then in each subfolder of folder and in its parent: in each,
    // the same name with another audio extension, then the same name in
    // other letter case (with any audio extension). Last, when onlyFile is
    // set, the one audio file of folder.
    static std::string FindCandidate(const std::filesystem::path& folder, const std::string& name, bool onlyFile,
                                     std::string* how = nullptr);

    // The one audio file of a folder; empty when there are none or several.
    static std::string OnlyAudioFile(const std::filesystem::path& folder);

    // Every FILE of the sheet whose file is missing, with its candidate; a
    // FILE not named yet (oldName empty) is among them.
    static std::vector<Fix> MissingFiles(const CQuillDoc& doc);
    // Renames each FILE of fixes that has a candidate, in one batch; the
    // type word stays as written. Returns how many were renamed.
    static int Apply(CQuillDoc& doc, const std::vector<Fix>& fixes);
};
