#pragma once

#include <QTemporaryDir>

#include <memory>
#include <string>

#include "document/CQuillDoc.h"
#include "model/CueTypes.h"
#include "platform/CScriptedPrompts.h"

class CCueItem;

// A sheet opened from text in a fresh folder, with scripted prompts
// installed, for the edit dialog tests.
class DialogSheet
{
public:
    DialogSheet();
    DialogSheet(const DialogSheet&) = delete;
    DialogSheet& operator=(const DialogSheet&) = delete;

    // Opens text as sheet.cue and clears the modified flag.
    bool Open(const char* text);
    // The nth item of a kind in listing order, or null.
    CCueItem* Find(ItemKind kind, int nth = 0) const;
    // The nth INDEX of the nth track (both counted from 0), or null.
    CCueItem* IndexOf(int track, int index) const;

    QTemporaryDir dir;
    CScriptedPrompts prompts;
    CPromptsScope scope{prompts};
    CQuillDoc doc;
};

// The sheet most dialog tests edit.
extern const char* const kDialogSheet;
