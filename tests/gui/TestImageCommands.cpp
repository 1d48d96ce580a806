// File > Join Into One Image and Edit > Convert Gaps on disc images of
// BINARY files in the real window, offscreen.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "discimage/ImageFixture.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "support/TempDir.h"
#include "view/CConvertGapsDlg.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

using namespace imagetest;

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

TrackSpec SilentGap(std::uint64_t sectors)
{
    TrackSpec track{"AUDIO", sectors, 150};
    track.silentGap = true;
    return track;
}

} // namespace

class TestImageCommands final : public WindowTest
{
    Q_OBJECT

private:
    std::vector<std::string> m_names;

    std::string File(const std::string& name) const { return m_dir->filePath(QString::fromStdString(name)).toStdString(); }
    void StartWith(const DiscSpec& disc)
    {
        const std::string sheet = WriteRedumpImage(m_dir->path().toStdString(), "Game", disc, 11);
        m_names = TrackFileNames("Game", disc.tracks.size());
        StartApp({QString::fromStdString(sheet)});
        ActivateWindow();
    }
    // Opens a menu with Alt and its key and picks the item by its access key.
    void MenuKey(Qt::Key menu, Qt::Key key)
    {
        // The menu bar's access keys reach only the active window, which the
        // progress dialog of a run before may have taken.
        ActivateWindow();
        QTest::keyClick(Frame(), menu, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), key);
    }
    // Runs act on the next modal dialog of type T; gives up after five
    // seconds without one.
    // The dialogs of these tests show within 5 s.
    template <class T>
    void OnModal(std::function<void(T*)> act)
    {
        WindowTest::OnModal<T>(std::move(act), std::chrono::milliseconds(5000));
    }
    QStringList Boxes() const
    {
        QStringList lines;
        for (const std::string& line : m_prompts->Lines())
            lines << QString::fromStdString(line);
        return lines;
    }
    std::string Concatenated() const
    {
        std::string bytes;
        for (const std::string& name : m_names)
            bytes += ReadFileBytes(File(name));
        return bytes;
    }

private slots:
    void joinCopiesTheBytes()
    {
        StartWith({{}, {{"MODE2/2352", 400}, SilentGap(300), {"AUDIO", 250, 150}}});
        const std::string image = File("Joined.bin");
        m_prompts->QueueFile(image);
        MenuKey(Qt::Key_F, Qt::Key_J);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(), S("Join Into One Image: Wrote \"") + QString::fromStdString(image) +
                                      S("\" and its cue sheet \"Joined.cue\"."));
        QCOMPARE(QString::fromStdString(m_prompts->Dialogs().front().fileName), S("Game (image).bin"));
        QVERIFY(ReadFileBytes(image) == Concatenated());
        QCOMPARE(QString::fromStdString(ReadFileBytes(File("Joined.cue"))),
                 S("FILE \"Joined.bin\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n"
                   "  TRACK 02 AUDIO\n    INDEX 00 00:05:25\n    INDEX 01 00:07:25\n"
                   "  TRACK 03 AUDIO\n    INDEX 00 00:09:25\n    INDEX 01 00:11:25\n"));
    }

    void joinAsksBeforeReplacing_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("kept") << false;
        QTest::newRow("replaced") << true;
    }
    void joinAsksBeforeReplacing()
    {
        QFETCH(bool, replace);
        StartWith({{}, {{"MODE1/2352", 300}, {"AUDIO", 300, 150}}});
        const std::string image = File("Joined.bin");
        std::ofstream(image, std::ios::binary) << "mine";
        m_prompts->QueueFile(image);
        m_prompts->QueueAnswer(replace ? PromptAnswer::Yes : PromptAnswer::No);
        MenuKey(Qt::Key_F, Qt::Key_J);
        QTRY_COMPARE(Boxes().size(), replace ? 2 : 1);
        QCOMPARE(Boxes().front(), S("Join Into One Image: This file exists already:\n") + QString::fromStdString(image) +
                                      S("\n\nReplace it?"));
        if (replace)
            QVERIFY(ReadFileBytes(image) == Concatenated());
        else
            QCOMPARE(QString::fromStdString(ReadFileBytes(image)), S("mine"));
        QCOMPARE(std::filesystem::exists(File("Joined.cue")), replace);
    }

    void convertGapsIsOneUndoStep()
    {
        StartWith({{}, {{"MODE2/2352", 400}, SilentGap(300), SilentGap(250)}});
        CQuillDoc& doc = m_app->Document();
        const std::string original = doc.SheetText();
        bool accepted = false;
        OnModal<CConvertGapsDlg>([&](CConvertGapsDlg* dlg) {
            QVERIFY(dlg->findChild<QRadioButton*>(QStringLiteral("toPregapRadio"))->isChecked());
            QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
            accepted = true;
        });
        MenuKey(Qt::Key_E, Qt::Key_G);
        QTRY_VERIFY(accepted);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(), S("Convert Gaps: Converted the gaps of tracks 02, 03 into copies of 2 files."));
        QCOMPARE(QString::fromStdString(doc.SheetText()),
                 S("FILE \"Game (Track 1).bin\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n"
                   "FILE \"Game (Track 2) (PREGAP).bin\" BINARY\n  TRACK 02 AUDIO\n    PREGAP 00:02:00\n"
                   "    INDEX 01 00:00:00\n"
                   "FILE \"Game (Track 3) (PREGAP).bin\" BINARY\n  TRACK 03 AUDIO\n    PREGAP 00:02:00\n"
                   "    INDEX 01 00:00:00\n"));
        QVERIFY(doc.IsModified());
        QVERIFY(ReadFileBytes(File("Game (Track 3) (PREGAP).bin")) == ReadFileBytes(File(m_names[2])).substr(150 * 2352));
        // One Undo gives back the sheet as it was; the copies stay.
        MenuKey(Qt::Key_E, Qt::Key_U);
        QTRY_COMPARE(QString::fromStdString(doc.SheetText()), QString::fromStdString(original));
        QVERIFY(std::filesystem::exists(File("Game (Track 2) (PREGAP).bin")));
        QCOMPARE(std::filesystem::file_size(File(m_names[1])), 300u * 2352);
    }

    void convertGapsNeedsAByteImage()
    {
        StartWith({{}, {{"MODE1/2352", 300}, {"AUDIO", 300, 150}}});
        Frame()->UpdateCommandUI();
        QVERIFY(Frame()->Action(cmd::ConvertGaps)->isEnabled());
        m_app->Document().File(1)->SetType(FileType::Wave);
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::ConvertGaps)->isEnabled());
    }
};

QTEST_MAIN(TestImageCommands)
#include "TestImageCommands.moc"
