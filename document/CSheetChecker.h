#pragma once

#include <string>
#include <vector>

class CCueItem;
class CQuillDoc;
class IAudioFacts;

enum class FindingSeverity { Error, Warning };

// The safe repairs a finding can have.
enum class FindingFix {
    None,
    TypeWordWave, // a FILE type word readers refuse becomes WAVE
    QuoteValue,   // an unquoted value with blanks gets its quotes
    InnerQuotes,  // double quotes inside a quoted value become single ones
    IsrcSeparators, // an ISRC written with hyphens or blanks loses them
};

// One thing another program will get wrong about the sheet.
struct SheetFinding {
    CCueItem* item = nullptr; // the line it is about
    int line = 0;             // that line in the saved sheet, 1-based
    FindingSeverity severity = FindingSeverity::Warning;
    std::string text;
    std::string readers; // the programs it affects, comma separated
    bool stopsPlayback = false;
    FindingFix fix = FindingFix::None;
};

// Checks a sheet for what other programs (cue readers, burners, players)
// refuse or read wrong. Audio files are looked at through facts, which may
// be null: then only their presence is checked.
class CSheetChecker
{
public:
    struct Options {
        // Checks what only a burner cares for (CD audio format) even when
        // the sheet has none of a burner's lines (CATALOG, ISRC, FLAGS,
        // PREGAP, POSTGAP).
        bool forBurning = false;
    };

    static std::vector<SheetFinding> Check(const CQuillDoc& doc, IAudioFacts* facts, const Options& options);
    static std::vector<SheetFinding> Check(const CQuillDoc& doc, IAudioFacts* facts)
    {
        return Check(doc, facts, Options{});
    }

    // "Line N: severity: text [readers]".
    static std::string Format(const SheetFinding& finding);
    static const char* SeverityText(FindingSeverity severity);
    static const char* FixText(FindingFix fix);

    // Applies a finding's fix in one batch; false when it has none or its
    // line is no longer in the sheet.
    static bool ApplyFix(CQuillDoc& doc, const SheetFinding& finding);
};
