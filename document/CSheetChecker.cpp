#include "document/CSheetChecker.h"

#include "document/CAudioRelinker.h"
#include "document/CQuillDoc.h"
#include "document/IAudioFacts.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "model/CueLineText.h"
#include "model/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace {

namespace fs = std::filesystem;

// Red Book limits, in CD frames (75 a second).
constexpr std::uint64_t kLastMsf = (99 * 60 + 59) * 75 + 74;     // 99:59:74
constexpr std::uint64_t kDiscFrames = (79 * 60 + 57) * 75 + 74;  // 79:57:74
constexpr std::uint64_t kShortestTrack = 4 * 75;                 // 4 seconds
constexpr int kMaxTracks = 99;
// CD-TEXT: 253 packs of 12 text bytes a language block, less the three
// size packs; each text ends with a NUL.
constexpr std::size_t kCdTextBytes = (253 - 3) * 12;

// The type words each reader takes (cueprint and cuebreakpoints are
// libcue; ffmpeg reads no sheet files at all).
constexpr std::string_view kLibcueWords[] = {"WAVE", "MP3", "AIFF", "MOTOROLA", "BINARY"};
constexpr std::string_view kCdrdaoWords[] = {"WAVE", "BINARY", "MOTOROLA", "MP3", "OGG", "AIFF"};

constexpr const char* kPlayers = "players, splitters (shntool, flacon), cdrdao";
constexpr const char* kBurners = "cdrdao, CD burners";
constexpr const char* kLibcueAndCdrdao = "libcue (cueprint, cuebreakpoints), cdrdao";

std::uint64_t CdFrames(const CCueTime& time)
{
    return (static_cast<std::uint64_t>(time.Milliseconds()) * 75 + 500) / 1000;
}

std::string MsfText(std::uint64_t frames)
{
    return ts::Format("%02llu:%02llu:%02llu", static_cast<unsigned long long>(frames / 4500),
                      static_cast<unsigned long long>(frames / 75 % 60), static_cast<unsigned long long>(frames % 75));
}

std::string Upper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return out;
}

bool IsAsciiText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An EAN-13 (or a 12-digit UPC-A, which is one with a leading 0) whose
// last digit is its check digit.
bool CheckDigitHolds(std::string_view number)
{
    std::string digits(number);
    if (digits.size() == 12)
        digits.insert(digits.begin(), '0');
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i)
        sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return (10 - sum % 10) % 10 == digits[12] - '0';
}

// CCXXXYYNNNNN: country (letters), registrant (letters or digits), year and
// designation (digits).
bool IsIsrc(std::string_view code)
{
    if (code.size() != 12)
        return false;
    const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < 12; ++i) {
        const char c = code[i];
        if (i < 2 ? !upper(c) : i < 5 ? !(upper(c) || digit(c)) : !digit(c))
            return false;
    }
    return true;
}

std::string WithoutSeparators(std::string_view code)
{
    std::string out;
    for (char c : code) {
        if (c != '-' && c != ' ')
            out += c;
    }
    return out;
}

class CCheckPass
{
public:
    CCheckPass(const CQuillDoc& doc, IAudioFacts* facts, const CSheetChecker::Options& options)
        : m_doc(doc)
        , m_facts(facts)
        , m_options(options)
        , m_folder(CAudioRelinker::SheetFolder(doc))
    {
        // A FILE not named yet writes no line; the lines after it move up.
        int written = 0;
        m_lines.reserve(static_cast<std::size_t>(doc.LineCount()));
        for (int i = 0; i < doc.LineCount(); ++i) {
            const CCueItem* item = doc.Line(i);
            const bool unnamed = item->Kind() == ItemKind::File && static_cast<const CCueFile*>(item)->Name().empty();
            m_lines.push_back(unnamed ? written : ++written);
        }
    }

    std::vector<SheetFinding> Run();

private:
    void Add(CCueItem* item, FindingSeverity severity, std::string text, std::string readers,
             FindingFix fix = FindingFix::None, bool stops = false);
    // The file's length in CD frames, or nothing.
    void CheckFile(CCueFile& file, std::uint64_t& discFrames);
    void CheckTracks(CCueFile& file, const AudioFacts* facts);
    void CheckLine(CCueItem& item);
    void CheckText();
    bool ForBurning() const;

    const CQuillDoc& m_doc;
    IAudioFacts* m_facts;
    CSheetChecker::Options m_options;
    fs::path m_folder;
    std::vector<int> m_lines;
    std::vector<SheetFinding> m_findings;
    std::map<std::string, const CCueIsrc*> m_isrcs;
    std::size_t m_cdTextBytes = 0;
    bool m_cdTextReported = false;
    int m_tracks = 0;
    CCueTrack* m_lastTrack = nullptr;
};

void CCheckPass::Add(CCueItem* item, FindingSeverity severity, std::string text, std::string readers, FindingFix fix,
                     bool stops)
{
    SheetFinding finding;
    finding.item = item;
    const int at = item ? m_doc.LineOf(item) : -1;
    finding.line = at >= 0 ? m_lines[static_cast<std::size_t>(at)] : 0;
    finding.severity = severity;
    finding.text = std::move(text);
    finding.readers = std::move(readers);
    finding.fix = fix;
    finding.stopsPlayback = stops;
    m_findings.push_back(std::move(finding));
}

bool CCheckPass::ForBurning() const
{
    if (m_options.forBurning || m_doc.HasCatalog())
        return true;
    for (int i = 0; i < m_doc.LineCount(); ++i) {
        switch (m_doc.Line(i)->Kind()) {
        case ItemKind::Isrc:
        case ItemKind::Flags:
        case ItemKind::Pregap:
        case ItemKind::Postgap:
            return true;
        default:
            break;
        }
    }
    return false;
}

void CCheckPass::CheckFile(CCueFile& file, std::uint64_t& discFrames)
{
    const std::string& name = file.Name();
    std::uint64_t fileFrames = 0;
    std::optional<AudioFacts> facts;
    if (!name.empty()) {
        const std::string word = Upper(file.TypeText());
        std::string refused;
        const auto takes = [&word](const auto& words) {
            return std::find(std::begin(words), std::end(words), word) != std::end(words);
        };
        if (!takes(kLibcueWords))
            refused = "libcue (cueprint, cuebreakpoints)";
        if (!takes(kCdrdaoWords))
            refused += std::string(refused.empty() ? "" : ", ") + "cdrdao";
        if (!refused.empty()) {
            // WAVE is what readers take for any audio file; a data file's
            // word is not guessed at.
            const auto& audioExtensions = CAudioRelinker::AudioExtensions();
            const std::string extension = fs::path(name).extension().string();
            const bool audio = std::any_of(audioExtensions.begin(), audioExtensions.end(),
                                           [&extension](const std::string& e) { return ts::EqualsNoCase(e, extension); });
            Add(&file, FindingSeverity::Error,
                word.empty() ? std::string("The FILE line has no type word")
                             : "The FILE type word \"" + std::string(file.TypeText()) + "\" is refused",
                refused, audio && file.Type() == FileType::Unknown ? FindingFix::TypeWordWave : FindingFix::None);
        }
        if (!CAudioRelinker::Exists(m_folder, name)) {
            Add(&file, FindingSeverity::Error, "\"" + name + "\": no such file", kPlayers, FindingFix::None, true);
        } else if (m_facts && file.Type() != FileType::Binary && file.Type() != FileType::Motorola) {
            const fs::path path(name);
            facts = m_facts->Read((path.is_absolute() ? path : m_folder / path).string());
            if (!facts->readable) {
                Add(&file, FindingSeverity::Error, "\"" + name + "\" cannot be read: " + facts->reason, kPlayers,
                    FindingFix::None, true);
                facts.reset();
            } else {
                if (facts->rate > 0)
                    fileFrames = facts->frames * 75 / facts->rate;
                const bool cd = facts->rate == 44100 && facts->channels == 2 && facts->bits == 16;
                if (!cd && ForBurning()) {
                    const std::string bits = facts->bits ? ts::Format("%u-bit", facts->bits) : std::string("lossy");
                    Add(&file, FindingSeverity::Warning,
                        ts::Format("\"%s\" is %u Hz, %s, %u channel%s; a CD holds 44100 Hz, 16-bit, stereo",
                                   name.c_str(), facts->rate, bits.c_str(), facts->channels,
                                   facts->channels == 1 ? "" : "s"),
                        kBurners);
                }
            }
        }
    }
    CheckTracks(file, facts ? &*facts : nullptr);
    // Without the audio, the file runs at least to its last index.
    if (!facts && file.TrackCount() > 0)
        fileFrames = CdFrames(file.Track(file.TrackCount() - 1)->LastIndexTime());
    discFrames += fileFrames;
}

void CCheckPass::CheckTracks(CCueFile& file, const AudioFacts* facts)
{
    const std::uint64_t fileFrames = facts && facts->rate ? facts->frames * 75 / facts->rate : 0;
    for (int t = 0; t < file.TrackCount(); ++t) {
        CCueTrack* track = file.Track(t);
        if (!track->IsContinuation()) {
            m_lastTrack = track;
            if (++m_tracks == kMaxTracks + 1)
                Add(track, FindingSeverity::Error, "More than 99 tracks; a CD holds 99",
                    std::string("libcue (cueprint, cuebreakpoints), ") + kBurners);
            bool hasOne = false;
            for (int i = 0; i < track->IndexCount(); ++i)
                hasOne = hasOne || track->Index(i)->Number() == 1;
            const CCueTrack* next = file.Track(t + 1);
            // A track that runs on into the next file may have its INDEX 01
            // there.
            const CCueFile* nextFile = m_doc.File(m_doc.PositionOfFile(&file) + 1);
            if (!next && nextFile && nextFile->Continuation()) {
                const CCueTrack* rest = nextFile->Continuation();
                for (int i = 0; i < rest->IndexCount(); ++i)
                    hasOne = hasOne || rest->Index(i)->Number() == 1;
            }
            if (!hasOne)
                Add(track, FindingSeverity::Error, ts::Format("Track %02d has no INDEX 01", track->Number()),
                    std::string("players, ") + kLibcueAndCdrdao);
            // A track runs from its INDEX 01 to the next track's first index.
            const CCueIndex* start = nullptr;
            for (int i = 0; i < track->IndexCount() && !start; ++i)
                start = track->Index(i)->Number() == 1 ? track->Index(i) : nullptr;
            std::uint64_t end = 0;
            if (next && !next->IsContinuation() && next->IndexCount() > 0)
                end = CdFrames(next->Index(0)->Time());
            else if (!next && fileFrames)
                end = fileFrames;
            if (start && end && end > CdFrames(start->Time()) && end - CdFrames(start->Time()) < kShortestTrack)
                Add(track, FindingSeverity::Warning,
                    ts::Format("Track %02d lasts %s, under the 4 seconds a CD track needs", track->Number(),
                               MsfText(end - CdFrames(start->Time())).c_str()),
                    kBurners);
        }
        for (int i = 0; i < track->IndexCount(); ++i) {
            CCueIndex* index = track->Index(i);
            if (facts && CdFrames(index->Time()) > fileFrames)
                Add(index, FindingSeverity::Error,
                    ts::Format("INDEX %02d at %s is past the end of \"%s\" (%s long)", index->Number(),
                               index->Time().Text().c_str(), file.Name().c_str(), MsfText(fileFrames).c_str()),
                    kPlayers, FindingFix::None, true);
        }
    }
}

void CCheckPass::CheckLine(CCueItem& item)
{
    const auto checkTime = [this, &item](const CCueTime& time) {
        if (CdFrames(time) > kLastMsf)
            Add(&item, FindingSeverity::Error, "The time " + time.Text() + " is past 99:59:74", "cdrdao");
    };
    switch (item.Kind()) {
    case ItemKind::Index:
        checkTime(static_cast<CCueIndex&>(item).Time());
        break;
    case ItemKind::Pregap:
        checkTime(static_cast<CCuePregap&>(item).Time());
        break;
    case ItemKind::Postgap:
        checkTime(static_cast<CCuePostgap&>(item).Time());
        break;
    case ItemKind::Catalog: {
        const std::string& number = static_cast<CCueCatalog&>(item).Number();
        if (!IsDigits(number) || (number.size() != 13 && number.size() != 12))
            Add(&item, FindingSeverity::Error, "The CATALOG number \"" + number + "\" is not 13 digits",
                "cdrdao, disc databases (MusicBrainz)");
        else if (!CheckDigitHolds(number))
            Add(&item, FindingSeverity::Warning,
                "The CATALOG number \"" + number + "\" has a wrong EAN/UPC check digit",
                "disc databases (MusicBrainz, Discogs), barcode lookups");
        break;
    }
    case ItemKind::Isrc: {
        auto& isrc = static_cast<CCueIsrc&>(item);
        if (!IsIsrc(isrc.Code())) {
            const bool fixable = IsIsrc(WithoutSeparators(isrc.Code()));
            Add(&item, FindingSeverity::Error, "The ISRC \"" + isrc.Code() + "\" is not of the form CCXXXYYNNNNN",
                "cdrdao", fixable ? FindingFix::IsrcSeparators : FindingFix::None);
        } else if (const auto [it, added] = m_isrcs.emplace(isrc.Code(), &isrc); !added) {
            Add(&item, FindingSeverity::Warning,
                "The ISRC " + isrc.Code() + " is already that of track " + ts::Format("%02d", it->second->Track()->Number()),
                "disc databases (MusicBrainz), players that tag by ISRC");
        }
        break;
    }
    case ItemKind::CdText: {
        auto& text = static_cast<CCueCdText&>(item);
        const std::string_view value = text.Text();
        if (!text.IsQuoted() && value.find_first_of(" \t") != std::string_view::npos) {
            const bool fixable = value.find('"') == std::string_view::npos;
            Add(&item, FindingSeverity::Error, text.Keyword() + " value with blanks is not in double quotes",
                kLibcueAndCdrdao, fixable ? FindingFix::QuoteValue : FindingFix::None);
        } else if (text.IsQuoted() && value.find('"') != std::string_view::npos) {
            Add(&item, FindingSeverity::Error, text.Keyword() + " value holds double quotes", kLibcueAndCdrdao,
                FindingFix::InnerQuotes);
        }
        if (text.Keyword() != "CDTEXTFILE" && text.Keyword() != "UPC_EAN") {
            m_cdTextBytes += value.size() + 1;
            if (m_cdTextBytes > kCdTextBytes && !m_cdTextReported) {
                m_cdTextReported = true;
                Add(&item, FindingSeverity::Warning,
                    ts::Format("The CD-TEXT reaches %zu bytes here; a disc holds %zu", m_cdTextBytes, kCdTextBytes),
                    kBurners);
            }
        }
        break;
    }
    default:
        break;
    }
}

void CCheckPass::CheckText()
{
    const ts::SheetEncoding& encoding = m_doc.Encoding();
    if (encoding.form != ts::FileForm::Bytes)
        return;
    const bool utf8 = Upper(encoding.charset) == "UTF-8";
    if (utf8 && encoding.mark)
        return;
    for (int i = 0; i < m_doc.LineCount(); ++i) {
        CCueItem* item = m_doc.Line(i);
        std::string text;
        ts::AppendItemText(*item, text);
        text += item->Comment();
        if (IsAsciiText(text))
            continue;
        if (!utf8)
            Add(item, FindingSeverity::Warning, "The text is " + encoding.charset + ", not UTF-8",
                "libcue (cueprint, cuebreakpoints), ffmpeg, Linux and macOS players");
        else
            Add(item, FindingSeverity::Warning, "The text is UTF-8 without a byte-order mark",
                "foobar2000, EAC, Windows programs that assume the code page");
        return;
    }
}

std::vector<SheetFinding> CCheckPass::Run()
{
    std::uint64_t discFrames = 0;
    for (int f = 0; f < m_doc.FileCount(); ++f)
        CheckFile(*m_doc.File(f), discFrames);
    if (discFrames > kDiscFrames && m_lastTrack)
        Add(m_lastTrack, FindingSeverity::Warning,
            "The disc lasts " + MsfText(discFrames) + ", over the 79:57:74 a CD holds", kBurners);
    for (int i = 0; i < m_doc.LineCount(); ++i)
        CheckLine(*m_doc.Line(i));
    CheckText();
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const SheetFinding& a, const SheetFinding& b) { return a.line < b.line; });
    return std::move(m_findings);
}

} // namespace

std::vector<SheetFinding> CSheetChecker::Check(const CQuillDoc& doc, IAudioFacts* facts, const Options& options)
{
    return CCheckPass(doc, facts, options).Run();
}

const char* CSheetChecker::SeverityText(FindingSeverity severity)
{
    return severity == FindingSeverity::Error ? "error" : "warning";
}

const char* CSheetChecker::FixText(FindingFix fix)
{
    switch (fix) {
    case FindingFix::TypeWordWave:
        return "Write WAVE as the type word";
    case FindingFix::QuoteValue:
        return "Put the value in double quotes";
    case FindingFix::InnerQuotes:
        return "Make the inner double quotes single ones";
    case FindingFix::IsrcSeparators:
        return "Take out the hyphens and blanks";
    case FindingFix::None:
        break;
    }
    return "";
}

std::string CSheetChecker::Format(const SheetFinding& finding)
{
    return ts::Format("Line %d: %s: %s [%s]", finding.line, SeverityText(finding.severity), finding.text.c_str(),
                      finding.readers.c_str());
}

bool CSheetChecker::ApplyFix(CQuillDoc& doc, const SheetFinding& finding)
{
    if (finding.fix == FindingFix::None || !finding.item || doc.LineOf(finding.item) < 0)
        return false;
    bool changed = false;
    doc.BeginBatchMode();
    switch (finding.fix) {
    case FindingFix::TypeWordWave:
        if (finding.item->Kind() == ItemKind::File)
            changed = static_cast<CCueFile*>(finding.item)->SetType(FileType::Wave);
        break;
    case FindingFix::QuoteValue:
        if (finding.item->Kind() == ItemKind::CdText) {
            auto* text = static_cast<CCueCdText*>(finding.item);
            changed = !text->IsQuoted() && text->SetValue("\"" + text->Value() + "\"");
        }
        break;
    case FindingFix::InnerQuotes:
        if (finding.item->Kind() == ItemKind::CdText) {
            auto* text = static_cast<CCueCdText*>(finding.item);
            std::string inner(text->Text());
            std::replace(inner.begin(), inner.end(), '"', '\'');
            changed = text->SetValue("\"" + inner + "\"");
        }
        break;
    case FindingFix::IsrcSeparators:
        if (finding.item->Kind() == ItemKind::Isrc) {
            auto* isrc = static_cast<CCueIsrc*>(finding.item);
            changed = isrc->SetCode(WithoutSeparators(isrc->Code()));
        }
        break;
    case FindingFix::None:
        break;
    }
    doc.EndBatchMode();
    return changed;
}
