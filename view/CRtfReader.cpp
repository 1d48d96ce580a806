#include "view/CRtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <QColor>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "model/TextEncoding.h"
#include "view/CSheetCodec.h"

namespace {

// Deeper nesting than this is read as if the extra braces were not there,
// so hostile input cannot grow the state stack without bound.
constexpr std::size_t kMaxDepth = 1024;
// RTF's own limits: a 22-inch page, font sizes up to 1638 points.
constexpr int kMaxTwips = 31680;
constexpr int kMaxHalfPoints = 3276;
constexpr int kDefaultHalfPoints = 24;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct CharState {
    int font = -1; // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    int color = -1; // -1: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int left = 0;
    int right = 0;
    int first = 0;
    Qt::Alignment align = Qt::AlignLeft;
};

struct GroupState {
    Destination dest = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1; // \uc
};

struct FontEntry {
    std::string name;
    QFont::StyleHint hint = QFont::AnyStyle;
    bool fixedPitch = false;
};

// One stretch of text in one character format: bytes still to be decoded,
// or characters given as \u or by a symbol word.
struct TextRun {
    CharState chars;
    bool decoded = false;
    std::string bytes;
    QString text;
};

struct Paragraph {
    ParaState para;
    CharState endChars; // the format of the paragraph mark
    std::vector<TextRun> runs;
};

void AppendCodePoint(QString& out, char32_t c)
{
    if (c > 0xFFFF) {
        out += QChar(QChar::highSurrogate(c));
        out += QChar(QChar::lowSurrogate(c));
    } else {
        out += QChar(static_cast<char16_t>(c));
    }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString DecodeName(const std::string& bytes)
{
    QString out;
    const bool utf8 = ts::IsValidUtf8(bytes);
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t length = 1;
        const char32_t c = utf8 ? ts::DecodeUtf8At(bytes, pos, length)
                                : ts::Windows1252ToUnicode(static_cast<unsigned char>(bytes[pos]));
        AppendCodePoint(out, c);
        pos += length;
    }
    return out.trimmed();
}

class Parser
{
public:
    Parser(std::string_view rtf, const CSheetCodec& codec) : m_in(rtf), m_codec(codec) {}

    void Parse();
    void Fill(QTextDocument& document, double dpi) const;

private:
    GroupState& State() { return m_stack.back(); }
    void OpenGroup();
    void CloseGroup();
    void ControlWord(std::string_view word, bool hasParam, int param);
    void ControlSymbol(char c);
    void TextByte(unsigned char b);
    void TextChars(const QString& text);
    void EndParagraph();
    void CommitFont();
    QTextCharFormat CharFormat(const CharState& chars) const;

    std::string_view m_in;
    const CSheetCodec& m_codec;
    std::size_t m_pos = 0;
    bool m_done = false;
    std::vector<GroupState> m_stack;
    std::size_t m_extraDepth = 0; // braces past kMaxDepth
    int m_pendingSkip = 0;        // fallback characters after \u still to skip

    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_fontIndex = -1; // the font table entry being read
    FontEntry m_font;
    std::vector<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    std::vector<Paragraph> m_paragraphs;
    Paragraph m_current;
};

void Parser::Parse()
{
    // The caller passes the text after the document's opening brace: the
    // bottom state is the document group.
    m_stack.emplace_back();
    while (m_pos < m_in.size() && !m_done) {
        const char c = m_in[m_pos++];
        switch (c) {
        case '{':
            m_pendingSkip = 0;
            OpenGroup();
            break;
        case '}':
            m_pendingSkip = 0;
            CloseGroup();
            break;
        case '\\': {
            if (m_pos >= m_in.size())
                break;
            const char next = m_in[m_pos];
            if (!IsLetter(next)) {
                ++m_pos;
                ControlSymbol(next);
                break;
            }
            const std::size_t start = m_pos;
            while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
                ++m_pos;
            const std::string_view word = m_in.substr(start, m_pos - start);
            bool hasParam = false;
            bool negative = false;
            std::int64_t value = 0;
            if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1])) {
                negative = true;
                ++m_pos;
            }
            while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
                hasParam = true;
                value = std::min<std::int64_t>(value * 10 + (m_in[m_pos] - '0'), INT32_MAX);
                ++m_pos;
            }
            if (m_pos < m_in.size() && m_in[m_pos] == ' ')
                ++m_pos; // the delimiter belongs to the word
            const int param = static_cast<int>(negative ? -value : value);
            if (m_pendingSkip > 0 && word != "bin") {
                --m_pendingSkip;
                break;
            }
            ControlWord(word, hasParam, param);
            break;
        }
        case '\r':
        case '\n':
            break;
        default:
            TextByte(static_cast<unsigned char>(c));
            break;
        }
    }
    // Cut short or unbalanced: what was read so far still shows.
    if (!m_current.runs.empty())
        EndParagraph();
}

void Parser::OpenGroup()
{
    if (m_stack.size() >= kMaxDepth) {
        ++m_extraDepth;
        return;
    }
    const GroupState inner = State();
    m_stack.push_back(inner);
}

void Parser::CloseGroup()
{
    if (m_extraDepth > 0) {
        --m_extraDepth;
        return;
    }
    if (State().dest == Destination::FontTable)
        CommitFont();
    // The brace that closes the document ends the reading; text after it
    // (the writer's trailing blank) is not part of it.
    if (m_stack.size() == 1)
        m_done = true;
    else
        m_stack.pop_back();
}

void Parser::CommitFont()
{
    if (m_fontIndex >= 0 && !m_font.name.empty())
        m_fonts[m_fontIndex] = m_font;
    m_fontIndex = -1;
    m_font = FontEntry();
}

void Parser::ControlSymbol(char c)
{
    if (c == '\'') {
        // \'hh: one byte in hexadecimal.
        const int high = m_pos < m_in.size() ? HexValue(m_in[m_pos]) : -1;
        const int low = m_pos + 1 < m_in.size() ? HexValue(m_in[m_pos + 1]) : -1;
        if (high < 0 || low < 0)
            return; // malformed: dropped
        m_pos += 2;
        TextByte(static_cast<unsigned char>(high * 16 + low));
        return;
    }
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        TextByte(static_cast<unsigned char>(c));
        break;
    case '~':
        TextChars(QString(QChar(0x00A0)));
        break;
    case '_':
        TextChars(QString(QChar(0x2011)));
        break;
    case '*':
        State().dest = Destination::Skip;
        break;
    case '\r':
    case '\n':
        if (State().dest == Destination::Text)
            EndParagraph();
        break;
    default:
        break; // \- (optional hyphen), \| , \: and the unknown ones
    }
}

void Parser::ControlWord(std::string_view word, bool hasParam, int param)
{
    GroupState& state = State();
    CharState& chars = state.chars;
    const bool on = !hasParam || param != 0;

    // Destinations.
    if (word == "fonttbl") {
        state.dest = Destination::FontTable;
        return;
    }
    if (word == "colortbl") {
        state.dest = Destination::ColorTable;
        return;
    }
    static constexpr std::array<std::string_view, 44> kSkipped = {
        "info", "stylesheet", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst", "listtable", "listoverridetable",
        "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
        "datastore", "pntext", "pntxta", "pntxtb", "pn", "filetbl", "private", "txe", "xe", "tc",
        "bkmkstart", "bkmkend", "author", "operator", "title", "subject", "keywords", "doccomm", "nonshppict",
        "shp"};
    if (std::find(kSkipped.begin(), kSkipped.end(), word) != kSkipped.end()) {
        state.dest = Destination::Skip;
        return;
    }
    if (word == "bin") {
        // Binary data: skipped byte for byte, braces and all.
        const std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
        m_pos += std::min(n, m_in.size() - m_pos);
        return;
    }

    switch (state.dest) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (word == "f") {
            CommitFont();
            m_fontIndex = std::max(param, 0);
        } else if (word == "fnil") {
            m_font.hint = QFont::AnyStyle;
        } else if (word == "froman") {
            m_font.hint = QFont::Serif;
        } else if (word == "fswiss") {
            m_font.hint = QFont::SansSerif;
        } else if (word == "fmodern") {
            m_font.hint = QFont::TypeWriter;
        } else if (word == "fscript") {
            m_font.hint = QFont::Cursive;
        } else if (word == "fdecor") {
            m_font.hint = QFont::Decorative;
        } else if (word == "fprq") {
            m_font.fixedPitch = param == 1;
        }
        return;
    case Destination::ColorTable:
        if (word == "red")
            m_red = std::clamp(param, 0, 255);
        else if (word == "green")
            m_green = std::clamp(param, 0, 255);
        else if (word == "blue")
            m_blue = std::clamp(param, 0, 255);
        return;
    case Destination::Text:
        break;
    }

    if (word == "par") {
        EndParagraph();
    } else if (word == "plain") {
        chars = CharState();
    } else if (word == "pard") {
        state.para = ParaState();
    } else if (word == "b") {
        chars.bold = on;
    } else if (word == "i") {
        chars.italic = on;
    } else if (word == "ul") {
        chars.underline = on;
    } else if (word == "ulnone") {
        chars.underline = false;
    } else if (word == "strike") {
        chars.strike = on;
    } else if (word == "f") {
        chars.font = std::max(param, 0);
    } else if (word == "fs") {
        chars.halfPoints = hasParam && param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
    } else if (word == "cf") {
        chars.color = std::max(param, 0);
    } else if (word == "deff") {
        m_defaultFont = std::max(param, 0);
    } else if (word == "li") {
        state.para.left = std::clamp(param, 0, kMaxTwips);
    } else if (word == "ri") {
        state.para.right = std::clamp(param, 0, kMaxTwips);
    } else if (word == "fi") {
        state.para.first = std::clamp(param, -kMaxTwips, kMaxTwips);
    } else if (word == "ql") {
        state.para.align = Qt::AlignLeft;
    } else if (word == "qc") {
        state.para.align = Qt::AlignHCenter;
    } else if (word == "qr") {
        state.para.align = Qt::AlignRight;
    } else if (word == "qj") {
        state.para.align = Qt::AlignJustify;
    } else if (word == "uc") {
        state.unicodeSkip = std::clamp(param, 0, 16);
    } else if (word == "u") {
        // A signed 16-bit code unit; the fallback characters after it are
        // there for readers that do not know \u.
        const int unit = param < 0 ? param + 65536 : param;
        if (unit > 0 && unit <= 0xFFFF)
            TextChars(QString(QChar(static_cast<char16_t>(unit))));
        m_pendingSkip = state.unicodeSkip;
    } else if (word == "tab") {
        TextChars(QString(QLatin1Char('\t')));
    } else if (word == "line") {
        TextChars(QString(QChar(QChar::LineSeparator)));
    } else if (word == "emdash") {
        TextChars(QString(QChar(0x2014)));
    } else if (word == "endash") {
        TextChars(QString(QChar(0x2013)));
    } else if (word == "bullet") {
        TextChars(QString(QChar(0x2022)));
    } else if (word == "lquote") {
        TextChars(QString(QChar(0x2018)));
    } else if (word == "rquote") {
        TextChars(QString(QChar(0x2019)));
    } else if (word == "ldblquote") {
        TextChars(QString(QChar(0x201C)));
    } else if (word == "rdblquote") {
        TextChars(QString(QChar(0x201D)));
    }
}

void Parser::TextByte(unsigned char b)
{
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return;
    }
    switch (State().dest) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (b == ';')
            CommitFont();
        else if (m_fontIndex >= 0 && b >= 0x20)
            m_font.name += static_cast<char>(b);
        return;
    case Destination::ColorTable:
        if (b == ';') {
            // An entry with no values is the automatic colour.
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.emplace_back();
            else
                m_colors.emplace_back(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
            m_red = m_green = m_blue = -1;
        }
        return;
    case Destination::Text:
        break;
    }
    // Control characters other than the tab show nothing.
    if (b < 0x20 && b != '\t')
        return;
    const CharState& chars = State().chars;
    if (m_current.runs.empty() || m_current.runs.back().decoded || !(m_current.runs.back().chars == chars))
        m_current.runs.push_back(TextRun{chars, false, {}, {}});
    m_current.runs.back().bytes += static_cast<char>(b);
}

void Parser::TextChars(const QString& text)
{
    if (State().dest != Destination::Text)
        return;
    const CharState& chars = State().chars;
    if (m_current.runs.empty() || !m_current.runs.back().decoded || !(m_current.runs.back().chars == chars))
        m_current.runs.push_back(TextRun{chars, true, {}, {}});
    m_current.runs.back().text += text;
}

void Parser::EndParagraph()
{
    m_current.para = State().para;
    m_current.endChars = State().chars;

    // A sheet in another character set than UTF-8: its runs in turn, so a
    // character that straddles two goes to the run that ends it.
    const CSheetCodec& codec = m_codec;
    if (!codec.IsUtf8() && codec.IsKnown()) {
        QStringDecoder decoder(codec.Charset().c_str());
        for (TextRun& run : m_current.runs) {
            if (run.decoded)
                continue;
            run.text += decoder.decode(QByteArrayView(run.bytes.data(), static_cast<qsizetype>(run.bytes.size())));
            run.bytes.clear();
            run.decoded = true;
        }
        m_paragraphs.push_back(std::move(m_current));
        m_current = Paragraph();
        return;
    }

    // One decision per paragraph: UTF-8 when all its bytes are valid
    // UTF-8, else Windows-1252. A character may straddle two runs; it goes
    // to the run that holds its first byte.
    std::string bytes;
    for (const TextRun& run : m_current.runs)
        if (!run.decoded)
            bytes += run.bytes;
    const bool utf8 = ts::IsValidUtf8(bytes);
    std::size_t pos = 0;
    std::size_t end = 0;
    for (TextRun& run : m_current.runs) {
        if (run.decoded)
            continue;
        end += run.bytes.size();
        while (pos < end) {
            std::size_t length = 1;
            const char32_t c = utf8 ? ts::DecodeUtf8At(bytes, pos, length)
                                    : ts::Windows1252ToUnicode(static_cast<unsigned char>(bytes[pos]));
            AppendCodePoint(run.text, c);
            pos += length;
        }
        run.bytes.clear();
        run.decoded = true;
    }
    m_paragraphs.push_back(std::move(m_current));
    m_current = Paragraph();
}

QTextCharFormat Parser::CharFormat(const CharState& chars) const
{
    QTextCharFormat format;
    auto font = m_fonts.find(chars.font >= 0 ? chars.font : m_defaultFont);
    if (font == m_fonts.end())
        font = m_fonts.find(m_defaultFont);
    QFont qfont = font != m_fonts.end()
                      ? CRtfReader::FontFor(DecodeName(font->second.name), font->second.hint, font->second.fixedPitch)
                      : QFont();
    qfont.setPointSizeF(chars.halfPoints / 2.0);
    qfont.setBold(chars.bold);
    qfont.setItalic(chars.italic);
    qfont.setUnderline(chars.underline);
    qfont.setStrikeOut(chars.strike);
    format.setFont(qfont);
    if (chars.color >= 0 && static_cast<std::size_t>(chars.color) < m_colors.size() && m_colors[chars.color].isValid())
        format.setForeground(m_colors[chars.color]);
    return format;
}

void Parser::Fill(QTextDocument& document, double dpi) const
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false); // the listing is replaced, never undone
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();

    // Formats repeat on every line: make each once.
    std::vector<std::pair<CharState, QTextCharFormat>> formats;
    const auto formatFor = [&](const CharState& chars) -> const QTextCharFormat& {
        for (const auto& [state, format] : formats)
            if (state == chars)
                return format;
        formats.emplace_back(chars, CharFormat(chars));
        return formats.back().second;
    };
    const auto blockFormat = [&](const ParaState& para) {
        QTextBlockFormat format;
        format.setLeftMargin(CRtfReader::TwipsToPixels(para.left, dpi));
        format.setRightMargin(CRtfReader::TwipsToPixels(para.right, dpi));
        format.setTextIndent(CRtfReader::TwipsToPixels(para.first, dpi));
        format.setAlignment(para.align);
        return format;
    };

    bool first = true;
    for (const Paragraph& paragraph : m_paragraphs) {
        const QTextCharFormat endFormat = formatFor(paragraph.endChars);
        if (first) {
            cursor.setBlockFormat(blockFormat(paragraph.para));
            cursor.setBlockCharFormat(endFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat(paragraph.para), endFormat);
        }
        for (const TextRun& run : paragraph.runs)
            if (!run.text.isEmpty())
                cursor.insertText(run.text, formatFor(run.chars));
    }
    if (first) {
        // No paragraph at all: the one empty block carries the format.
        cursor.setBlockFormat(blockFormat(m_current.para));
        cursor.setBlockCharFormat(formatFor(CharState()));
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

} // namespace

bool CRtfReader::Read(std::string_view rtf, QTextDocument& document, double dpi, const std::string& charset)
{
    std::size_t start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\t' || rtf[start] == '\r' || rtf[start] == '\n'))
        ++start;
    if (rtf.substr(start, 5) != "{\\rtf")
        return false;
    const CSheetCodec codec(charset);
    Parser parser(rtf.substr(start + 1), codec); // past the document's opening brace
    parser.Parse();
    parser.Fill(document, dpi);
    return true;
}

QFont CRtfReader::FontFor(const QString& family, QFont::StyleHint hint, bool fixedPitch)
{
    // Only installed families count: fontconfig would otherwise answer any
    // name with some substitute, fixed pitch or not.
    const QStringList installed = QFontDatabase::families();
    const auto has = [&](const QString& name) { return installed.contains(name, Qt::CaseInsensitive); };
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0 && !has(family)) {
        if (has(QStringLiteral("Liberation Mono"))) {
            QFont font(QStringLiteral("Liberation Mono"));
            font.setStyleHint(QFont::TypeWriter);
            font.setFixedPitch(true);
            return font;
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    QFont font(family);
    font.setStyleHint(hint);
    font.setFixedPitch(fixedPitch);
    return font;
}

double CRtfReader::TwipsToPixels(int twips, double dpi)
{
    if (dpi <= 0) {
        dpi = 96;
        if (!QCoreApplication::testAttribute(Qt::AA_Use96Dpi) && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                dpi = screen->logicalDotsPerInchX();
    }
    return twips * dpi / 1440.0;
}
