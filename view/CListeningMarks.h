#pragma once

#include <string>

class CEditSession;
class IWavePlayer;

// Track starts marked while listening: one key press starts a track at the
// position being heard, in the FILE the player plays, whatever line the
// cursor is on. Playback goes on untouched: the current line stays, so the
// listing does not send the player elsewhere.
class CListeningMarks final
{
public:
    // Adds the mark as one undo step, reactionMs before the player's
    // position (never before the file's start). False with the reason when
    // the player plays no FILE of the sheet or a mark cannot go there.
    static bool Mark(CEditSession& session, const IWavePlayer& player, int reactionMs, std::string& reason);
};
