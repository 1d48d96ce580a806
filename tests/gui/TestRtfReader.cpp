#include <memory>
#include <string>

#include <QFontDatabase>
#include <QFontInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "document/CQuillDoc.h"
#include "model/CCueRichWriter.h"
#include "model/CCueTextWriter.h"
#include "model/TextEncoding.h"
#include "platform/CScriptedPrompts.h"
#include "support/TempDir.h"
#include "view/CRtfReader.h"

namespace {

QString Bytes(const char* utf8) { return QString::fromUtf8(utf8); }

// The text of every block of the document.
QStringList BlockTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

// The block's text with its formatting: each stretch as
// "{b i #rrggbb}text", the braces naming what is set.
QString Describe(const QTextBlock& block)
{
    QString out;
    QString last;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        QStringList attributes;
        if (format.fontWeight() >= QFont::Bold)
            attributes << QStringLiteral("b");
        if (format.fontItalic())
            attributes << QStringLiteral("i");
        attributes << (format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name()
                                                                        : QStringLiteral("auto"));
        const QString style = QLatin1Char('{') + attributes.join(QLatin1Char(' ')) + QLatin1Char('}');
        if (style != last)
            out += style;
        last = style;
        out += fragment.text();
    }
    return out;
}

// A line of the text writer as the listing would show it: the same words,
// whatever the indentation and comment column.
QString Words(const QString& line) { return line.simplified(); }

// Decodes a line of sheet bytes as the listing does.
QString Shown(const std::string& bytes)
{
    const bool utf8 = ts::IsValidUtf8(bytes);
    QString out;
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t length = 1;
        const char32_t c = utf8 ? ts::DecodeUtf8At(bytes, pos, length)
                                : ts::Windows1252ToUnicode(static_cast<unsigned char>(bytes[pos]));
        out += QString::fromUcs4(&c, 1);
        pos += length;
    }
    return out;
}

} // namespace

class TestRtfReader final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_dir = std::make_unique<TempDir>();
        m_scope = std::make_unique<CPromptsScope>(m_prompts);
        m_prompts.Clear();
    }
    void cleanup()
    {
        m_scope.reset();
        m_dir.reset();
    }

    void roundTrip_data();
    void roundTrip();
    void formats_data();
    void formats();
    void courierNewFallsBackToAFixedFont();
    void indentIs360Twips();
    void malformed_data();
    void malformed();
    void notRtfLeavesTheDocument();
    void randomBytesNeverCrash();

private:
    // Opens sheet text as the editor does and renders it.
    bool Render(const QByteArray& sheet, QTextDocument& document, std::string* text = nullptr)
    {
        CQuillDoc doc; // empty text: a new sheet
        if (!sheet.isEmpty() && !doc.OnOpenDocument(m_dir->Write("sheet.cue", sheet.toStdString())))
            return false;
        std::string rich;
        CCueRichWriter().WriteDocument(doc, rich);
        if (text)
            CCueTextWriter().WriteDocument(doc, *text);
        return CRtfReader::Read(rich, document);
    }

    CScriptedPrompts m_prompts;
    std::unique_ptr<CPromptsScope> m_scope;
    std::unique_ptr<TempDir> m_dir;
};

void TestRtfReader::roundTrip_data()
{
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QStringList>("listing");

    const QString b5(5, QLatin1Char(' '));
    const QString b14(14, QLatin1Char(' '));
    const auto pad = [](const QString& line) { return line.leftJustified(39, QLatin1Char(' ')); };

    QTest::newRow("empty sheet") << QByteArray() << QStringList();
    QTest::newRow("every kind") << QByteArray("REM made by hand\n"
                                              "CATALOG 1234567890123\n"
                                              "FILE SONG.WAV WAVE ; the file\n"
                                              "  TRACK 01 AUDIO ; first\n"
                                              "    PREGAP 00:02:00\n"
                                              "    INDEX 01 00:00:00\n"
                                              "    ISRC ABCDE1234567\n"
                                              "    FLAGS DCP PRE ; flags\n"
                                              "  TRACK 02 AUDIO\n"
                                              "    INDEX 00 01:00:00\n"
                                              "    INDEX 01 01:02:00\n"
                                              "    POSTGAP 00:01:00\n"
                                              "\n")
                                << QStringList{QStringLiteral("REM made by hand"),
                                               QStringLiteral("CATALOG 1234567890123"),
                                               pad(QStringLiteral("FILE SONG.WAV WAVE")) + QStringLiteral("; the file"),
                                               pad(b5 + QStringLiteral("TRACK 01 AUDIO")) + QStringLiteral("; first"),
                                               b14 + QStringLiteral("PREGAP 00:02:00"),
                                               b14 + QStringLiteral("INDEX 01 00:00:00"),
                                               b14 + QStringLiteral("ISRC ABCDE1234567"),
                                               pad(b14 + QStringLiteral("FLAGS DCP PRE ")) + QStringLiteral("; flags"),
                                               b5 + QStringLiteral("TRACK 02 AUDIO"),
                                               b14 + QStringLiteral("INDEX 00 01:00:00"),
                                               b14 + QStringLiteral("INDEX 01 01:02:00"),
                                               b14 + QStringLiteral("POSTGAP 00:01:00"),
                                               b14}; // the blank line is the last track's
    QTest::newRow("backslashes and braces")
        << QByteArray("FILE C:\\CD\\{A}.WAV WAVE ; {\\b not bold} \\par\n"
                      "  TRACK 01 AUDIO\n"
                      "    INDEX 01 00:00:00 ; }}{{\n")
        << QStringList{pad(QStringLiteral("FILE C:\\CD\\{A}.WAV WAVE")) + QStringLiteral("; {\\b not bold} \\par"),
                       b5 + QStringLiteral("TRACK 01 AUDIO"),
                       pad(b14 + QStringLiteral("INDEX 01 00:00:00")) + QStringLiteral("; }}{{")};
    QTest::newRow("quoted names") << QByteArray("FILE \"My Song.wav\" WAVE ; q\n"
                                                "FILE \"a;b.wav\" WAVE\n")
                                  << QStringList{pad(QStringLiteral("FILE \"My Song.wav\" WAVE")) + QStringLiteral("; q"),
                                                 QStringLiteral("FILE \"a;b.wav\" WAVE")};
    QTest::newRow("utf-8") << QByteArray("FILE Caf\xC3\xA9\xE2\x99\xAA.wav WAVE ; \xC3\xA9t\xC3\xA9\n")
                           << QStringList{pad(Bytes("FILE Caf\xC3\xA9\xE2\x99\xAA.wav WAVE")) + Bytes("; \xC3\xA9t\xC3\xA9")};
    QTest::newRow("windows-1252") << QByteArray("FILE Caf\xE9.wav WAVE ; \x80 5\n")
                                  << QStringList{pad(Bytes("FILE Caf\xC3\xA9.wav WAVE")) + Bytes("; \xE2\x82\xAC 5")};
    QTest::newRow("one encoding per line") << QByteArray("FILE Caf\xE9.wav WAVE\n"
                                                         "FILE Caf\xC3\xA9.wav WAVE\n")
                                           << QStringList{Bytes("FILE Caf\xC3\xA9.wav WAVE"), Bytes("FILE Caf\xC3\xA9.wav WAVE")};
}

void TestRtfReader::roundTrip()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QStringList, listing);
    QTextDocument document;
    std::string text;
    QVERIFY(Render(sheet, document, &text));
    QCOMPARE(m_prompts.Lines().size(), 0u);

    // Block i is line i; the trailer's empty paragraph is the last block.
    QStringList expected = listing;
    expected << QString();
    QCOMPARE(BlockTexts(document), expected);

    // The same words as the saved sheet, line by line.
    QStringList saved;
    for (std::size_t from = 0, end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
        saved << Words(Shown(text.substr(from, end - from)));
    QStringList shown;
    for (const QString& line : listing)
        shown << Words(line);
    QCOMPARE(shown, saved);
}

void TestRtfReader::formats_data()
{
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("described");

    const QByteArray sheet("CATALOG 1234567890123\n"
                           "FILE C:\\A.WAV WAVE ; the {file}\n"
                           "  TRACK 01 AUDIO\n"
                           "    INDEX 01 00:00:00\n"
                           "    FLAGS DCP\n"
                           "  REM inside\n");
    const QString b5(5, QLatin1Char(' '));
    const QString b14(14, QLatin1Char(' '));
    QTest::newRow("catalog") << sheet << 0 << QStringLiteral("{b #000000}CATALOG{#000000} 1234567890123");
    QTest::newRow("file") << sheet << 1
                          << QStringLiteral("{b #008000}FILE C:\\A.WAV{#000000} WAVE") + QString(39 - 18, QLatin1Char(' ')) +
                                 QStringLiteral("{i #000000}; the {file}");
    QTest::newRow("track") << sheet << 2 << b5 + QStringLiteral("{b #800000}TRACK 01{#000000} AUDIO");
    QTest::newRow("index") << sheet << 3 << b14 + QStringLiteral("{b #000080}INDEX 01{#000000} 00:00:00");
    QTest::newRow("flags") << sheet << 4 << b14 + QStringLiteral("{b #000000}FLAGS{#000000} DCP ");
    QTest::newRow("comment") << sheet << 5 << b14 + QStringLiteral("{i #000000}REM inside");
}

void TestRtfReader::formats()
{
    QFETCH(QByteArray, sheet);
    QFETCH(int, line);
    QFETCH(QString, described);
    QTextDocument document;
    QVERIFY(Render(sheet, document));
    const QTextBlock block = document.findBlockByNumber(line);
    QVERIFY(block.isValid());
    // The indentation comes before the line's first style word, so it keeps
    // the format the line before ended with: only its blanks count.
    QString got = Describe(block);
    got.replace(QRegularExpression(QStringLiteral("^\\{[^}]*\\}( +)")), QStringLiteral("\\1"));
    QCOMPARE(got, described);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (it.fragment().text().trimmed().isEmpty())
            continue;
        QCOMPARE(format.fontPointSize(), 10.0);
        QVERIFY(QFontInfo(format.font()).fixedPitch());
    }
}

void TestRtfReader::courierNewFallsBackToAFixedFont()
{
    const QFont font = CRtfReader::FontFor(QStringLiteral("Courier New"), QFont::TypeWriter, true);
    QVERIFY(QFontInfo(font).fixedPitch());
    const QStringList families = QFontDatabase::families();
    if (families.contains(QStringLiteral("Courier New"), Qt::CaseInsensitive))
        QCOMPARE(font.family(), QStringLiteral("Courier New"));
    else if (families.contains(QStringLiteral("Liberation Mono"), Qt::CaseInsensitive))
        QCOMPARE(font.family(), QStringLiteral("Liberation Mono"));
    else
        QCOMPARE(font.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
}

void TestRtfReader::indentIs360Twips()
{
    QCOMPARE(CRtfReader::TwipsToPixels(1440, 96), 96.0);
    QCOMPARE(CRtfReader::TwipsToPixels(360, 120), 30.0);
    QTextDocument document;
    QVERIFY(Render(QByteArray("FILE A.WAV WAVE\n"), document));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        QCOMPARE(block.blockFormat().leftMargin(), CRtfReader::TwipsToPixels(360));
    // "\pard" resets the indent, "\li" sets it for the paragraphs after.
    QVERIFY(CRtfReader::Read("{\\rtf1\\li720 a\\par\\pard b\\par\\li1440 c}", document, 96));
    QCOMPARE(document.findBlockByNumber(0).blockFormat().leftMargin(), 48.0);
    QCOMPARE(document.findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
    QCOMPARE(document.findBlockByNumber(2).blockFormat().leftMargin(), 96.0);
}

void TestRtfReader::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("blocks");

    const auto list = [](std::initializer_list<const char*> texts) {
        QStringList out;
        for (const char* t : texts)
            out << QString::fromUtf8(t);
        return out;
    };
    QTest::newRow("empty document") << QByteArray("{\\rtf1}") << list({""});
    QTest::newRow("only the header") << QByteArray("{\\rtf1") << list({""});
    QTest::newRow("cut short") << QByteArray("{\\rtf1 a\\par b") << list({"a", "b"});
    QTest::newRow("cut in a control word") << QByteArray("{\\rtf1 a\\") << list({"a"});
    QTest::newRow("cut in a hex escape") << QByteArray("{\\rtf1 a\\'4") << list({"a4"});
    QTest::newRow("extra closing brace") << QByteArray("{\\rtf1 a}} b\\par c") << list({"a"});
    QTest::newRow("unknown words") << QByteArray("{\\rtf1\\foo123 a\\bar-5 b\\zz\\par}") << list({"ab"});
    QTest::newRow("skipped destinations")
        << QByteArray("{\\rtf1{\\*\\unknown x{y}}{\\info{\\title t}}{\\stylesheet{\\s0 Normal;}}{\\pict 0a0b}a\\par}")
        << list({"a"});
    QTest::newRow("escapes") << QByteArray("{\\rtf1 \\{\\}\\\\\\'41\\~\\par}") << list({"{}\\A\xC2\xA0"});
    QTest::newRow("hex as windows-1252") << QByteArray("{\\rtf1 \\'e9\\'80\\par}") << list({"\xC3\xA9\xE2\x82\xAC"});
    QTest::newRow("hex as utf-8") << QByteArray("{\\rtf1 \\'c3\\'a9\\par}") << list({"\xC3\xA9"});
    QTest::newRow("utf-8 split by a style")
        << QByteArray("{\\rtf1 \\b \xC3\\b0 \xA9\\par}") << list({"\xC3\xA9"});
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 \\'zz\\par}") << list({"zz"});
    QTest::newRow("unicode") << QByteArray("{\\rtf1 \\u233?\\uc2\\u8364??x\\u-3?\\par}")
                             << list({"\xC3\xA9\xE2\x82\xACx\xEF\xBF\xBD"});
    QTest::newRow("binary data") << QByteArray("{\\rtf1 a\\bin3 }{x b\\bin99999 }") << list({"a b"});
    QTest::newRow("huge parameters") << QByteArray("{\\rtf1\\li99999999999999\\fs-5\\cf77 a\\f123456789012 b\\par}")
                                     << list({"ab"});
    QTest::newRow("control characters") << QByteArray("{\\rtf1 a\x01\tb\r\nc\\par}") << list({"a\tbc"});
    QTest::newRow("escaped line end is a paragraph") << QByteArray("{\\rtf1 a\\\nb}") << list({"a", "b"});
    QTest::newRow("deep nesting") << QByteArray(5000, '{').prepend("{\\rtf1 ").append("a\\par") << list({"a"});
    QTest::newRow("font table without groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fmodern Courier New;\\f1 Other;}{\\colortbl;\\red255\\green0\\blue0;}"
                      "\\f0\\cf1 x\\par}")
        << list({"x"});
}

void TestRtfReader::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, blocks);
    QTextDocument document;
    QVERIFY(CRtfReader::Read(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())), document));
    QCOMPARE(BlockTexts(document), blocks);
}

void TestRtfReader::notRtfLeavesTheDocument()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    QVERIFY(!CRtfReader::Read("plain text", document));
    QVERIFY(!CRtfReader::Read("", document));
    QVERIFY(!CRtfReader::Read("{\\rt", document));
    QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
}

void TestRtfReader::randomBytesNeverCrash()
{
    // Random bytes, random bytes biased to RTF syntax, and the writer's
    // own output cut and mutated: each read must end and leave a document.
    QRandomGenerator random(20240611);
    CQuillDoc doc;
    QVERIFY(doc.OnOpenDocument(m_dir->Write("fuzz.cue", "FILE C:\\{A}.WAV WAVE ; x\n  TRACK 01 AUDIO\n"
                                                        "    INDEX 01 00:00:00\n    FLAGS DCP ; \xE9\n")));
    std::string listing;
    CCueRichWriter().WriteDocument(doc, listing);
    const std::string syntax = "{}\\'*; abcfilpru0123456789-\xE9\xC3\n";
    QTextDocument document;
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        const int kind = round % 3;
        if (kind == 0) {
            const int length = random.bounded(300);
            for (int i = 0; i < length; ++i)
                input += static_cast<char>(random.bounded(256));
        } else if (kind == 1) {
            const int length = random.bounded(300);
            for (int i = 0; i < length; ++i)
                input += syntax[static_cast<std::size_t>(random.bounded(static_cast<int>(syntax.size())))];
        } else {
            input = listing.substr(0, static_cast<std::size_t>(random.bounded(static_cast<int>(listing.size()) + 1)));
            for (int flips = random.bounded(8); flips > 0 && !input.empty(); --flips)
                input[static_cast<std::size_t>(random.bounded(static_cast<int>(input.size())))] =
                    syntax[static_cast<std::size_t>(random.bounded(static_cast<int>(syntax.size())))];
        }
        if (random.bounded(2) == 0)
            input.insert(0, "{\\rtf1 ");
        const bool read = CRtfReader::Read(input, document);
        QVERIFY(document.blockCount() >= 1);
        if (read)
            QVERIFY(document.characterCount() >= 1);
    }
}

QTEST_MAIN(TestRtfReader)
#include "TestRtfReader.moc"
