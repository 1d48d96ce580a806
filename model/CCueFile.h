#pragma once

#include "model/CCueItem.h"

#include <string>
#include <vector>

class CCueTrack;

// A FILE line: a data or audio file of the disc and the tracks in it.
class CCueFile final : public CCueItem
{
public:
    explicit CCueFile(ICueChangeSink* sink);
    // Takes its type from the name's extension.
    CCueFile(ICueChangeSink* sink, std::string name);

    const std::string& Name() const { return m_name; }
    bool SetName(const std::string& name);
    FileType Type() const { return m_type; }
    bool SetType(FileType type);
    // The type word as saved: a word outside the list (MP3, FLAC, ...) is
    // kept as written, with the type Unknown.
    std::string_view TypeText() const;

    int TrackCount() const { return static_cast<int>(m_tracks.size()); }
    CCueTrack* Track(int i) const;
    int PositionOfTrack(const CCueTrack* track) const;

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    bool InsertChild(std::unique_ptr<CCueItem> child, CCueItem* before) override;
    bool RemoveChild(CCueItem* child) override;
    CCueFile* OwningFile() const override { return const_cast<CCueFile*>(this); }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

    // A new track numbered after the last, of the name's default type, with
    // its first index; inserted before `before` (appended for null).
    CCueTrack* AddTrack(CCueItem* before);
    // Orders each track's indexes by time, then the tracks by the time of
    // their first index, and numbers them from firstNumber; a continuation
    // stays first and takes the number of previous, the track it continues
    // (without one it becomes a track of its own). Index numbers are left
    // to the caller, which sees the parts of a track that runs on. Returns
    // the next free track number.
    int SortTracks(int firstNumber, const CCueTrack* previous = nullptr);
    // The continuation at the front of the file, if there is one.
    CCueTrack* Continuation() const;

private:
    std::vector<CCueTrack*> m_tracks;
    std::string m_name;
    FileType m_type;
    std::string m_typeWord; // for Unknown, the word as written
};
