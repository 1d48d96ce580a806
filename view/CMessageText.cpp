#include "view/CMessageText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace ts {

namespace {

constexpr const char* kContext = "Messages";

// The messages made of fixed words around names, numbers and other
// messages, as the engine writes them. A line is matched against them in
// this order, so a longer template comes before one it contains.
const std::vector<const char*> kTemplates = {
    "Warning at Line %1:  %2",
    "Line %1:  %2",
    "Cannot open \"%1\": %2",
    "Cannot save \"%1\": %2",
    "Save changes to %1?",
    "Truncate at %1?",
    "Unable to open the help file %1",
    "The file %1",
    "Unknown track type %1",
    "Unknown file type %1",
    "A file name with blanks must be in double quotes: read as \"%1\"",
    "The closing double quote of the file name is missing: read as \"%1\"",
    "Got new track %1",
    "Got new index %1",
    "\"%1\" was not added: %2",
    "The Clipboard holds characters that the sheet's encoding, %1, cannot hold.",
    "cannot be written in this cue sheet: the sheet's encoding, %1, cannot hold its characters.",
    "cannot be written in a cue sheet: %1",
    "%1 already holds this file:",
    "%1 already holds %2 of these files:",
    "Wrote %1 track files and %2 into %3.",
    "%1 is not within the track's range of %2.",
    "The FILE type word \"%1\" is refused",
    "\"%1\": no such file",
    "\"%1\" is %2 Hz, %3, %4 channels; a CD holds 44100 Hz, 16-bit, stereo",
    "\"%1\" is %2 Hz, %3, %4 channel; a CD holds 44100 Hz, 16-bit, stereo",
    "Track %1 has no INDEX 01, where its audio starts",
    "Track %1 has no INDEX 01",
    "Track %1 lasts %2, under the 4 seconds a CD track needs",
    "INDEX %1 at %2 is past the end of \"%3\" (%4 long)",
    "The time %1 is past 99:59:74",
    "The CATALOG number \"%1\" is not 13 digits",
    "The CATALOG number \"%1\" has a wrong EAN/UPC check digit",
    "The ISRC \"%1\" is not of the form CCXXXYYNNNNN",
    "The ISRC %1 is already that of track %2",
    "%1 value with blanks is not in double quotes",
    "%1 value holds double quotes",
    "The CD-TEXT reaches %1 bytes here; a disc holds %2",
    "The text is %1, not UTF-8",
    "The disc lasts %1, over the 79:57:74 a CD holds",
    "%1 log: \"%2\"",
    "\"%1\" is too large for a rip log",
    "\"%1\" is not a log of Exact Audio Copy or X Lossless Decoder",
    "\"%1\" holds no checksums of tracks",
    "no checksums in the %1 log",
    "CRC differs (log %1)",
    "CRC without nulls differs (log %1)",
    "AR v1 differs (log %1)",
    "AR v2 differs (log %1)",
    "differs from the log (%1)",
    "All %1 tracks verified",
    "%1 of %2 tracks verified",
    "accurately ripped (confidence %1)",
    "The AccurateRip address \"%1\" is no HTTP address",
    "The AccurateRip database at \"%1\" cannot be reached: %2",
    "The sheet has %1 tracks; a CD holds at most 99",
    "The disc has %1 tracks; a CD holds at most 99",
    "Track %1 holds no audio: it starts at the end of the audio or where the next track starts",
    "Track %1 does not start after track %2",
    "Track %1 is an audio track in a file of data tracks: an enhanced CD's data comes last",
    "\"%1\" holds audio after the data tracks: an enhanced CD's data comes last",
    "Track %1 is a %2 track in a file of audio tracks: an enhanced CD's data tracks need files of their own",
    "Track %1 is a %2 track before the audio: only audio discs and enhanced CDs, whose data comes last, have these IDs and checksums",
    "INDEX %1 of track %2 (%3) lies past the end of \"%4\"",
    "\"%1\" is not 44.1 kHz 16-bit stereo audio, which rip checksums are defined on",
    "Writing %1 track files...",
    "Writing %1 files...",
    "Writing %1 file...",
    "Writing %1...",
    "Converted the gaps of tracks %1 into copies of %2 files.",
    "Converted the gaps of tracks %1 into copies of %2 file.",
    "Converted the gaps of track %1 into copies of %2 files.",
    "Converted the gaps of track %1 into copies of %2 file.",
    "The INDEX 00 gaps of tracks %1 are not digital silence and stay as they are.",
    "The INDEX 00 gaps of track %1 are not digital silence and stay as they are.",
    "cannot be read: %1",
    "the sound output cannot be opened: %1",
    "Cannot embed the sheet: %1",
    "The sheet is embedded in \"%1\".",
    "only a sheet with one FILE line can be embedded, and this one has %1",
    "\"%1\" is not a FLAC, WavPack or APE file",
    "a CUESHEET tag holds UTF-8 text, and the sheet's text is %1; save the sheet as a .cue file instead",
    "The CUESHEET %1 of \"%2\" is not UTF-8 text; it is read as Windows-1252.",
    "The CUESHEET %1 of \"%2\" is not UTF-8 text; the characters that cannot be read show as U+FFFD.",
    "The CUESHEET %1 and the CUESHEET block of \"%2\" differ; the tag's sheet is opened.",
    "The CUESHEET block of \"%1\" puts %2 between two CD frames; it opens at the frame before.",
    "The sheet in \"%1\" names %2 files; their FILE lines are kept as they are.",
    "Wrote %1 chapters into \"%2\".",
    "Wrote \"%1\" with %2 chapters.",
    "Wrote \"%1\" and its cue sheet \"%2\".",
    "%1 indexes fall between two CD frames in the image and were moved to the nearest.",
    "\"%1\" cannot be read: %2",
    "\"%1\" cannot be read",
    "\"%1\" cannot be written from \"%2\": %3",
    "\"%1\" cannot be written: %2",
    "The folder \"%1\" cannot be made: %2",
    "\"%1\" cannot be made: %2",
    "\"%1\" exists already; nothing was written",
    "\"%1\" is a file of the sheet; nothing was written",
    "\"%1\" exists already; the track files are written, their sheet is not",
    "No file can be made in \"%1\": %2",
    "\"%1\" has no track",
    "\"%1\" holds no audio",
    "\"%1\" has no chapters",
    "\"%1\" is no tracklist: it is not text",
    "The tracklist cannot be laid on \"%1\": %2",
    "The sheet's chapters cannot be made: %1",
    "\"%1\" is the audio the chapters are taken from: choose another name for the copy",
    "\"%1\" cannot take chapters: name it .m4a, .m4b, .mka, .ogg or .flac",
    "\"%1\" is neither a .flac nor a .wav file: the image is written as FLAC or WAVE",
    "\"%1\" cannot be named on a FILE line: leave out double quotes and line breaks",
    "\"%1\" would hold raw sectors under an audio file's name: name the image .bin",
    "\"%1\" would be its own cue sheet: give the image another extension, such as .bin",
    "\"%1\" cannot name the track files: leave out slashes, double quotes and line breaks",
    "the length of \"%1\" is not known",
    "it is not a %1 file",
    "no temporary file can be made beside it: %1",
    "the copy cannot get the file's owner: %1",
};

// The exact translation of one text, or a null string.
QString Exact(const QString& english)
{
    const QByteArray key = english.toUtf8();
    const QString translated = QCoreApplication::translate(kContext, key.constData());
    return translated == english ? QString() : translated;
}

// The template as a pattern: its fixed parts literal, each %N a group.
// The last group takes the rest of the line, the others as little as they
// can.
QRegularExpression Pattern(const QString& pattern, QList<int>& numbers)
{
    static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
    QString expression = QStringLiteral("^");
    qsizetype at = 0;
    auto matches = placeholder.globalMatch(pattern);
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        expression += QRegularExpression::escape(pattern.mid(at, m.capturedStart() - at));
        expression += matches.hasNext() ? QStringLiteral("(.*?)") : QStringLiteral("(.*)");
        numbers.append(m.captured(1).toInt());
        at = m.capturedEnd();
    }
    expression += QRegularExpression::escape(pattern.mid(at)) + QLatin1Char('$');
    return QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
}

struct CompiledTemplate {
    QString pattern;
    QRegularExpression expression;
    QList<int> numbers;
};

// Every template as a pattern, made once: the window title and the status
// bar are translated after every edit, and compiling the patterns each time
// cost milliseconds.
const std::vector<CompiledTemplate>& Templates()
{
    static const std::vector<CompiledTemplate> compiled = [] {
        std::vector<CompiledTemplate> all;
        for (const char* english : kTemplates) {
            CompiledTemplate t;
            t.pattern = QString::fromUtf8(english);
            t.expression = Pattern(t.pattern, t.numbers);
            t.expression.optimize();
            all.push_back(std::move(t));
        }
        return all;
    }();
    return compiled;
}

QString TranslateLine(const QString& line);

// Puts the parts into the translated template: %N by the part that stood
// at %N in the English text, each translated when it is a message itself.
// The part that ends the line (a reason, or the message after "Line N:")
// may be made of a template too.
QString Fill(const QString& translated, const QList<int>& numbers, const QRegularExpressionMatch& m)
{
    QString out;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated.at(i);
        if (c == QLatin1Char('%') && i + 1 < translated.size() && translated.at(i + 1).isDigit()) {
            const int number = translated.at(i + 1).digitValue();
            const qsizetype group = numbers.indexOf(number);
            if (group >= 0) {
                const QString part = m.captured(static_cast<int>(group) + 1);
                if (group == numbers.size() - 1 && m.capturedEnd(static_cast<int>(group) + 1) == m.capturedEnd(0)) {
                    out += TranslateLine(part);
                    ++i;
                    continue;
                }
                QString exact = Exact(part);
                // A reason the engine closed with a full stop.
                if (exact.isNull() && part.endsWith(QLatin1Char('.')) && !part.endsWith(QLatin1String("..")))
                    if (const QString bare = Exact(part.chopped(1)); !bare.isNull())
                        exact = bare + QLatin1Char('.');
                out += exact.isNull() ? part : exact;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// A sentence the engine closed with a full stop, whose catalogue entry has
// none: translated without it, the stop put back.
QString WithoutFullStop(const QString& line)
{
    if (!line.endsWith(QLatin1Char('.')) || line.endsWith(QLatin1String("..")))
        return QString();
    const QString bare = line.chopped(1);
    const QString translated = TranslateLine(bare);
    return translated == bare ? QString() : translated + QLatin1Char('.');
}

QString TranslateLine(const QString& line)
{
    if (const QString exact = Exact(line); !exact.isNull())
        return exact;
    for (const CompiledTemplate& compiled : Templates()) {
        const QRegularExpressionMatch m = compiled.expression.match(line);
        if (!m.hasMatch())
            continue;
        const QString translated = Exact(compiled.pattern);
        if (translated.isNull())
            return line;
        return Fill(translated, compiled.numbers, m);
    }
    if (const QString stopped = WithoutFullStop(line); !stopped.isNull())
        return stopped;
    return line;
}

} // namespace

QString TranslateMessage(const QString& english)
{
    if (const QString exact = Exact(english); !exact.isNull())
        return exact;
    QStringList lines = english.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = TranslateLine(line);
    return lines.join(QLatin1Char('\n'));
}

QString TranslateCommandText(std::string_view english)
{
    const std::string key(english);
    return QCoreApplication::translate("Commands", key.c_str());
}

const std::vector<const char*>& MessageTemplates()
{
    return kTemplates;
}

} // namespace ts
