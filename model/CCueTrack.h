#pragma once

#include "model/CCueItem.h"
#include "model/CCueTime.h"

#include <vector>

class CCueFlags;
class CCueIndex;
class CCueIsrc;
class CCuePostgap;
class CCuePregap;

// A TRACK line and the lines of the track: gaps, indexes, ISRC, FLAGS and
// comments. At most one pregap, postgap, ISRC and FLAGS each.
class CCueTrack final : public CCueItem
{
public:
    CCueTrack(ICueChangeSink* sink, CCueFile* file);
    CCueTrack(ICueChangeSink* sink, CCueFile* file, TrackType type, int number);

    int Number() const { return m_number; }
    bool SetNumber(int number);
    TrackType Type() const { return m_type; }
    bool SetType(TrackType type);
    // The type word as saved: a word outside the list is kept as written,
    // with the type Unknown.
    std::string_view TypeText() const;

    CCueFile* File() const { return m_file; }

    // A continuation is the part of a track that runs on into the next
    // file: the indexes (and gaps) that a sheet writes after a FILE line
    // with no TRACK line of their own. It has no line, is numbered with the
    // track it continues (the last track of the file before) and is always
    // its file's first track.
    bool IsContinuation() const { return m_continued; }
    void SetContinuation(bool continued);
    CCuePregap* Pregap() const { return m_pregap; }
    CCuePostgap* Postgap() const { return m_postgap; }
    CCueIsrc* Isrc() const { return m_isrc; }
    CCueFlags* Flags() const { return m_flags; }

    int IndexCount() const { return static_cast<int>(m_indexes.size()); }
    CCueIndex* Index(int i) const;
    int PositionOfIndex(const CCueIndex* index) const;

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    bool InsertChild(std::unique_ptr<CCueItem> child, CCueItem* before) override;
    bool RemoveChild(CCueItem* child) override;
    CCueFile* OwningFile() const override { return m_file; }
    CCueTrack* OwningTrack() const override { return const_cast<CCueTrack*>(this); }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

    // A new INDEX numbered 1 (relayout renumbers it) at time, or at the
    // previous track's end when time is null.
    CCueIndex* AddIndex(CCueItem* before, const CCueTime* time);
    // Orders the indexes by time and numbers them from FirstIndexNumber.
    void SortIndexes();
    // The number the first of a track's indexes (in time order, across the
    // files the track runs on into) gets: 0 for a lone INDEX 00, which
    // keeps its number as other readers take it; 1 when the earliest index
    // is an INDEX 01, so that an INDEX 01 never moves; 0 when an INDEX 00
    // stands right before the INDEX 01; otherwise 0 when any is an INDEX 00
    // beside another index, else 1.
    static int FirstIndexNumber(const std::vector<const CCueIndex*>& sequence);
    // The two halves of SortIndexes, for tracks that run on into the next
    // file and number their indexes across the parts.
    void SortIndexesByTime();
    bool HasIndexZero() const;
    // Numbers the indexes from first on; the number after the last.
    int NumberIndexes(int first);

    // The time of the first index, else the previous track's last index
    // time, else 0.
    CCueTime StartTime() const;
    CCueTime LastIndexTime() const;
    // The previous track's last index time, or 00:00:00 for a first track.
    CCueTime PreviousEnd() const;
    // The next track's start time; the largest time a sheet holds
    // (9999:59:74) and false for a last track.
    bool NextStart(CCueTime& time) const;
    bool WithinOwnRange(const CCueTime& time) const;
    bool WithinNeighbours(const CCueTime& time) const;

private:
    const CCueTrack* Neighbour(int offset) const;

    TrackType m_type;
    std::string m_typeWord; // for Unknown, the word as written
    int m_number;
    CCueFile* m_file;
    CCuePregap* m_pregap = nullptr;
    CCuePostgap* m_postgap = nullptr;
    CCueIsrc* m_isrc = nullptr;
    CCueFlags* m_flags = nullptr;
    std::vector<CCueIndex*> m_indexes;
    bool m_continued = false;
};
