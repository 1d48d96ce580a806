#include "document/CCueMessageBox.h"
#include "document/CQuillDoc.h"
#include "model/CCueItem.h"
#include "model/CCueLineSource.h"
#include "model/TextEncoding.h"
#include "platform/FileUtil.h"
#include "support/SheetFixture.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

std::string DataFile(const std::string& name)
{
    const char* root = std::getenv("TS_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/encodings/" + name;
}

// A sheet file that opens without a message and saves back byte for byte,
// in the encoding it came in.
struct EncodedCase {
    const char* file;
    const char* label; // how the sheet's encoding is named
};

void PrintTo(const EncodedCase& c, std::ostream* os) { *os << c.file; }

class EncodedSheet : public SheetFixture, public testing::WithParamInterface<EncodedCase> {};

TEST_P(EncodedSheet, OpensAndSavesBackTheSameBytes)
{
    const EncodedCase& c = GetParam();
    const std::string original = ReadFileBytes(DataFile(c.file));
    ASSERT_FALSE(original.empty()) << c.file;
    const std::string copy = dir.Write(c.file, original);
    ASSERT_TRUE(doc->OnOpenDocument(copy));
    EXPECT_EQ(Boxes(), Strings{});
    EXPECT_EQ(ts::EncodingLabel(doc->Encoding()), c.label);
    EXPECT_EQ(doc->LineCount(), 4);
    EXPECT_EQ(doc->SaveBytes(), original);
    ASSERT_TRUE(doc->OnSaveDocument(copy));
    EXPECT_EQ(ReadFileBytes(copy), original);
}

INSTANTIATE_TEST_SUITE_P(Files, EncodedSheet, testing::Values(
    EncodedCase{"utf8-bom.cue", "UTF-8 with BOM"},
    EncodedCase{"utf16le-bom.cue", "UTF-16LE with BOM"},
    EncodedCase{"utf16be-bom.cue", "UTF-16BE with BOM"},
    EncodedCase{"utf16le-nobom.cue", "UTF-16LE"},
    EncodedCase{"utf16le-surrogates.cue", "UTF-16LE with BOM"},
    EncodedCase{"utf32le-bom.cue", "UTF-32LE with BOM"},
    EncodedCase{"utf32be-nobom.cue", "UTF-32BE"},
    EncodedCase{"cp1251.cue", "WINDOWS-1251"},
    EncodedCase{"cp1252.cue", "WINDOWS-1252"},
    EncodedCase{"shift-jis.cue", "SHIFT_JIS"}));

TEST_F(SheetFixture, WideTextIsReadAsUtf8)
{
    ASSERT_TRUE(doc->OnOpenDocument(DataFile("utf16le-surrogates.cue")));
    EXPECT_EQ(doc->Line(0)->Comment(), "REM COMMENT \"\xF0\x9F\x8E\xB5 notes\"");
    ASSERT_TRUE(doc->OnOpenDocument(DataFile("utf32be-nobom.cue")));
    EXPECT_EQ(doc->Line(0)->Comment(), "REM COMMENT \"Caf\xC3\xA9 \xC3\xA0 l'op\xC3\xA9ra\"");
}

TEST_F(SheetFixture, MalformedWideTextIsReportedAndKept)
{
    // A lone high surrogate, then a cut-off last unit.
    const std::string bytes("\xFF\xFE" "R\0E\0M\0 \0\x00\xD8x\0\r\0\n\0F", 19);
    ASSERT_TRUE(Open(bytes));
    EXPECT_EQ(Boxes(), (Strings{"Warning: Warning:  The file holds malformed wide text, read as U+FFFD\n",
                                "Warning: Warning at Line 2:  Ignoring line\n"}));
    EXPECT_EQ(doc->Line(0)->Comment(), "REM \xEF\xBF\xBDx");
}

TEST_F(SheetFixture, NewSheetKeepsUtf8WithoutMark)
{
    ASSERT_TRUE(doc->OnOpenDocument(DataFile("utf16le-bom.cue")));
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(doc->Encoding(), ts::SheetEncoding());
    EXPECT_EQ(doc->SaveBytes(), "");
}

TEST_F(SheetFixture, ChosenCharsetKeepsTheBytes)
{
    const std::string original = ReadFileBytes(DataFile("cp1252.cue"));
    ASSERT_TRUE(Open(original));
    doc->SetCharset("ISO-8859-15");
    EXPECT_EQ(doc->Encoding().charset, "ISO-8859-15");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->SaveBytes(), original);
    // A wide sheet's text is UTF-8 in memory; there is nothing to choose.
    ASSERT_TRUE(doc->OnOpenDocument(DataFile("utf16le-bom.cue")));
    doc->SetCharset("ISO-8859-15");
    EXPECT_EQ(doc->Encoding().charset, "UTF-8");
}

TEST(TextEncoding, WideFormsRoundTrip)
{
    const std::string text = "FILE \"\xE6\x9D\xB1 \xF0\x9F\x8E\xB5.wav\" WAVE\r\n";
    for (const ts::FileForm form : {ts::FileForm::Utf16LE, ts::FileForm::Utf16BE, ts::FileForm::Utf32LE,
                                    ts::FileForm::Utf32BE}) {
        for (const bool mark : {false, true}) {
            const ts::SheetEncoding encoding{form, mark, "UTF-8"};
            const std::string bytes = ts::EncodeFileBytes(text, encoding);
            ts::SheetEncoding found;
            bool bad = true;
            EXPECT_EQ(ts::DecodeFileBytes(bytes, found, bad), text);
            EXPECT_EQ(found, encoding);
            EXPECT_FALSE(bad);
        }
    }
}

TEST(TextEncoding, EightBitTextKeepsItsBytes)
{
    ts::SheetEncoding found;
    bool bad = false;
    // Not valid UTF-8 and too short for the detector: Windows-1252.
    EXPECT_EQ(ts::DecodeFileBytes("REM \xE9\r\n", found, bad), "REM \xE9\r\n");
    EXPECT_EQ(found, (ts::SheetEncoding{ts::FileForm::Bytes, false, "WINDOWS-1252"}));
    EXPECT_EQ(ts::DecodeFileBytes("\xEF\xBB\xBFREM \xC3\xA9\r\n", found, bad), "REM \xC3\xA9\r\n");
    EXPECT_EQ(found, (ts::SheetEncoding{ts::FileForm::Bytes, true, "UTF-8"}));
    EXPECT_EQ(ts::EncodeFileBytes("REM \xC3\xA9\r\n", found), "\xEF\xBB\xBFREM \xC3\xA9\r\n");
    // One stray NUL does not make 8-bit text wide.
    EXPECT_EQ(ts::DecodeFileBytes(std::string("REM a\0b\r\nFILE A.WAV WAVE\r\n", 24), found, bad).size(), 24u);
    EXPECT_EQ(found.form, ts::FileForm::Bytes);
}

// Paths that are not regular files are refused at once, saying what they
// are; none of them may block the open.
class SpecialFile : public SheetFixture
{
protected:
    // Opens path as the editor does, on another thread, and fails the test
    // instead of hanging when the open blocks.
    bool OpenWithin(const std::string& path)
    {
        auto result = std::async(std::launch::async, [&] { return doc->OpenDocumentFile(path); });
        if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the open of " << path << " blocks";
            // Release a reader stuck on a FIFO so that the test can end.
            const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            result.wait();
            if (fd >= 0)
                ::close(fd);
        }
        return result.get();
    }
    std::string CannotOpen(const std::string& path, const std::string& reason) const
    {
        return "Error: Cannot open \"" + path + "\": " + reason;
    }
};

TEST_F(SpecialFile, FifoWithoutWriter)
{
    const std::string path = dir.File("pipe.cue");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(OpenWithin(path));
    EXPECT_EQ(Boxes(), Strings{CannotOpen(path, "Is a named pipe (FIFO), not a regular file")});
}

TEST_F(SpecialFile, FifoWithWriter)
{
    const std::string path = dir.File("pipe.cue");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const int writer = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "FILE A.WAV WAVE\n", 16), 16);
    EXPECT_FALSE(OpenWithin(path));
    EXPECT_EQ(Boxes(), Strings{CannotOpen(path, "Is a named pipe (FIFO), not a regular file")});
    ::close(writer);
    ::close(reader);
}

TEST_F(SpecialFile, CharacterDevice)
{
    EXPECT_FALSE(OpenWithin("/dev/null"));
    EXPECT_EQ(Boxes(), Strings{CannotOpen("/dev/null", "Is a character device, not a regular file")});
}

TEST_F(SpecialFile, Socket)
{
    const std::string path = dir.File("socket.cue");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_FALSE(OpenWithin(path));
    EXPECT_EQ(Boxes(), Strings{CannotOpen(path, "Is a socket, not a regular file")});
    ::close(fd);
}

TEST_F(SpecialFile, Folder)
{
    EXPECT_FALSE(OpenWithin(dir.Path().string()));
    EXPECT_EQ(Boxes(), Strings{CannotOpen(dir.Path().string(), "Is a directory")});
}

TEST_F(SpecialFile, PipedStandardInput)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string path = "/proc/self/fd/" + std::to_string(fds[0]);
    EXPECT_FALSE(OpenWithin(path));
    EXPECT_EQ(Boxes(), Strings{CannotOpen(path, "Is a named pipe (FIFO), not a regular file")});
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(SpecialFile, OverLargeFile)
{
    const std::string path = dir.Write("large.cue", "FILE A.WAV WAVE\n");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(CCueLineSource::kMaxFileSize) + 1), 0);
    EXPECT_FALSE(OpenWithin(path));
    EXPECT_EQ(Boxes(), Strings{CannotOpen(path, "File too large")});
}

TEST_F(SheetFixture, EmptySheetSavesAndOpensAgain)
{
    ASSERT_TRUE(doc->OnNewDocument());
    const std::string path = dir.File("new.cue");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_EQ(Boxes(), Strings{});
    EXPECT_EQ(doc->LineCount(), 0);
    EXPECT_EQ(doc->PathName(), path);
}

TEST_F(SheetFixture, MessagesQuoteAtMostAHundredCharacters)
{
    const std::string token(10 << 20, 'X');
    // Multi-byte characters count as one each and are never cut in two.
    std::string wide;
    for (int i = 0; i < 150; ++i)
        wide += "\xC3\xA9";
    CCueMessageBox::Show({{7, CueSeverity::Error, "Unknown flag " + token}});
    CCueMessageBox::Show({{8, CueSeverity::Warning, "Unknown word " + wide + " here"}});
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += "\xC3\xA9";
    EXPECT_EQ(Boxes(), (Strings{"Error: Line 7:  Unknown flag " + std::string(100, 'X') + "\xE2\x80\xA6",
                                "Warning: Warning at Line 8:  Unknown word " + hundred + "\xE2\x80\xA6 here\n"}));
    // A token of exactly the limit is quoted whole.
    EXPECT_EQ(ts::QuotedToken(std::string(100, 'a')), std::string(100, 'a'));
}

} // namespace
