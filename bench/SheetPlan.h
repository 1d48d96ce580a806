#pragma once

#include <string>
#include <vector>

// A cue sheet described line by line, in the order its lines are written.
// Benchmarks render it to text; the peer tests also derive from it, without
// the engine, what the sheet holds once it is read and laid out.
struct SheetPlan {
    struct Index {
        int number = 1;
        int frames = 0;         // position in the file, 75 frames a second
        std::string remarkAfter; // a comment line written after the INDEX line, or empty
    };

    struct Track {
        int number = 1; // as written; the engine renumbers
        std::string type = "AUDIO";
        std::vector<std::string> remarks; // comment lines right after TRACK
        bool hasFlags = false;
        bool dcp = false;
        bool fourChannel = false;
        bool preEmphasis = false;
        std::string isrc; // empty: no ISRC line
        int pregap = -1;  // frames; -1: no PREGAP line
        std::vector<Index> indexes; // in written order
        int postgap = -1; // frames; -1: no POSTGAP line
    };

    struct File {
        std::string name; // written in double quotes when it holds a blank
        std::string type = "WAVE";
        std::vector<std::string> remarks; // comment lines right after FILE
        std::vector<Track> tracks;        // in written order
    };

    std::vector<std::string> remarks; // comment lines before everything
    std::string catalog;              // empty: no CATALOG line
    std::vector<File> files;

    // The sheet text, with CR LF line ends.
    std::string Text() const;
    // Number of lines Text() writes.
    std::size_t LineCount() const;

    // "mm:ss:ff" for a frame count.
    static std::string Msf(int frames);
};
