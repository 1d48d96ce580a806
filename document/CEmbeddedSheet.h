#pragma once

#include "model/TextEncoding.h"

#include <string>
#include <utility>
#include <vector>

class CCueLineSource;
class CQuillDoc;

// A cue sheet kept in an audio file (FLAC, WavPack, APE) as the document
// opens and saves it, through the installed IEmbeddedSheetStore. The sheet
// is the CUESHEET tag when the file has one, else FLAC's CUESHEET block;
// its FILE line names the audio file itself.
class CEmbeddedSheet
{
public:
    // Whether path is opened and saved as an audio file's sheet: a store is
    // installed and handles that kind of file.
    static bool InAudioFile(const std::string& path);
    // Whether path is such a file and carries a sheet (a dropped file
    // opens when it does, and joins the sheet as a FILE when not).
    static bool CarriesSheet(const std::string& path);
    // The Open dialog's filter for those files.
    static std::pair<std::string, std::string> OpenFilter();

    // The sheet path carries, as a loaded source named after the file.
    // warnings are to be shown with the read's own. False, with the
    // reason, when the file cannot be read or carries no sheet.
    static bool Load(const std::string& path, CCueLineSource& source, std::vector<std::string>& warnings,
                     std::string& reason);
    // The sheet text as a .cue file beside path would hold it (LF line
    // ends), chosen as Load chooses; what `extract` prints.
    static bool Extract(const std::string& path, std::string& text, std::vector<std::string>& warnings,
                        std::string& reason);

    // Writes text (the sheet as SheetText gives it, in encoding) into
    // path's CUESHEET tag with CR LF line ends. A tag holds UTF-8, so 8-bit
    // text in another character set is converted where that is exact
    // (Windows-1252) and refused otherwise.
    static bool Save(const std::string& path, const std::string& text, const ts::SheetEncoding& encoding,
                     std::string& reason);

    // The audio file a single-file sheet would be embedded in; empty, with
    // the reason, when it has none the store can write.
    static std::string EmbedTarget(const CQuillDoc& doc, std::string& reason);
    // File > Embed Sheet in Audio File: writes the sheet, its FILE line
    // naming the file by its own name, into that file's tag and says how
    // it went in a box. The document itself is left as it is.
    static bool EmbedCommand(const CQuillDoc& doc);

    // text with its FILE line naming fileName (type word kept), or one
    // added before the first TRACK when it has none. A sheet of several
    // FILE lines is left as it is; files then counts them.
    static std::string NameFile(const std::string& text, const std::string& fileName, int& files);
};
