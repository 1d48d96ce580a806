#pragma once

#include <string>
#include <string_view>

#include <QFont>

class QString;
class QTextDocument;

// Fills a QTextDocument from rich text: the subset the cue listing uses and
// enough of the rest to pass over anything else safely. One text block per
// RTF paragraph (a final \par gives a final empty block), so block i shows
// line i of the listing.
//
// Understood: \fonttbl, \colortbl, \deff, \f, \fs (half-points), \b, \i,
// \ul, \strike, \cf, \plain, \pard, \li, \ri, \fi, \ql/\qc/\qr/\qj, \par,
// \line, \tab, \u with \uc, the escapes \{ \} \\ \'hh \~ \_, and \bin.
// Other control words are ignored, and groups of destinations that hold no
// shown text (\*, \info, \stylesheet, \pict, ...) are skipped whole.
//
// Text bytes, raw or as \'hh, are shown in the given character set (the
// sheet's, through CSheetCodec), whatever \ansicpg says; for UTF-8, as UTF-8 when the
// paragraph's bytes are valid UTF-8, else as Windows-1252. Twips convert to pixels at the primary screen's logical DPI, the
// resolution QTextDocument converts point sizes with, so an indent keeps its
// width in characters; without a screen, 96 DPI.
class CRtfReader final
{
public:
    // Replaces the content of document with the rich text and returns true.
    // Text that does not start with "{\rtf" (after blanks and line ends) is
    // not read: false, and the document keeps what it held. Malformed rich
    // text (unbalanced braces, cut short, unknown words) is read as far as
    // it makes sense; no input makes this crash or hang. dpi 0 takes the
    // screen's (see above).
    static bool Read(std::string_view rtf, QTextDocument& document, double dpi = 0,
                     const std::string& charset = "UTF-8");

    // The font that shows a font table entry: "Courier New" falls back to
    // the metric-compatible Liberation Mono and then to the system's fixed
    // font when it is not installed; other names are asked for as they are.
    static QFont FontFor(const QString& family, QFont::StyleHint hint, bool fixedPitch);

    // Pixels for twips at dpi (0: the screen's logical DPI, 96 without one).
    static double TwipsToPixels(int twips, double dpi = 0);

private:
    CRtfReader() = delete;
};
