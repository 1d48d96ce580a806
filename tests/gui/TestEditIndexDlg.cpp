#include <functional>
#include <memory>
#include <string>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "DialogSheet.h"
#include "player/CWavePos.h"
#include "audio/IWavePlayer.h"
#include "model/CCueIndex.h"
#include "model/CCueTrack.h"
#include "view/CEditIndexDlg.h"
#include "view/CUpDownCtrl.h"

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

CCueTime T(const char* text) { return CCueTime::Parse(text); }

QString Text(const CCueTime& time) { return QString::fromStdString(time.Text()); }

// A wave player that plays nothing: it records the calls the dialog makes,
// keeps the state they imply and reports positions when told to.
class FakePlayer final : public IWavePlayer
{
public:
    const std::string& Path() const override { return m_path; }
    bool Open() override { return true; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    bool IsPlaying() const override { return playing; }
    bool IsPaused() const override { return paused; }
    void Play() override
    {
        calls << S("play");
        playing = true;
        paused = false;
    }
    void Pause() override
    {
        calls << S("pause");
        if (playing || paused) {
            playing = !playing;
            paused = !paused;
        }
    }
    void Seek(const CCueTime& to) override
    {
        calls << S("seek ") + Text(to);
        position = to;
    }
    CCueTime GetLength() const override { return CCueTime::FromMsf(10, 0, 0); }
    CCueTime GetPosition() const override { return position; }
    void SetPositionListener(PositionListener l) override { listener = std::move(l); }

    void Report(const CCueTime& at)
    {
        position = at;
        if (listener)
            listener(at);
    }

    QStringList calls;
    bool playing = false;
    bool paused = false;
    CCueTime position;
    PositionListener listener;

private:
    std::string m_path = "/music/A.WAV";
};

} // namespace

class TestEditIndexDlg final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DialogSheet> m_sheet;
    FakePlayer m_player;
    std::unique_ptr<CWavePos> m_wavePos;
    int m_reconnects = 0;
    QStringList m_frameReports; // positions that reached the frame's listener

    CCueIndex& Index(int track, int index) { return static_cast<CCueIndex&>(*m_sheet->IndexOf(track, index)); }
    // The frame's side: reconnecting makes it the player's listener again.
    std::function<void()> Reconnect()
    {
        return [this] {
            ++m_reconnects;
            m_player.SetPositionListener([this](const CCueTime& at) { m_frameReports << Text(at); });
        };
    }
    std::unique_ptr<CEditIndexDlg> Dialog(CCueIndex& index, bool withPlayer = true)
    {
        return std::make_unique<CEditIndexDlg>(index, withPlayer ? &m_player : nullptr, m_wavePos.get(), Reconnect(),
                                               nullptr);
    }
    static QLineEdit* TimeBox(QDialog& d) { return d.findChild<QLineEdit*>(S("timeEdit")); }
    static QPushButton* Button(QDialog& d, const char* name) { return d.findChild<QPushButton*>(S(name)); }
    static void ShowActive(QDialog& d)
    {
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
    }
    // Types into the Time box and leaves it with Tab.
    static void TypeTime(QDialog& d, const QString& text)
    {
        QLineEdit* box = TimeBox(d);
        box->setFocus(Qt::TabFocusReason);
        box->setText(text);
        d.findChild<QLineEdit*>(S("commentEdit"))->setFocus(Qt::TabFocusReason);
    }

private slots:
    void init()
    {
        m_sheet = std::make_unique<DialogSheet>();
        QVERIFY(m_sheet->Open(kDialogSheet));
        m_player = FakePlayer();
        m_wavePos = std::make_unique<CWavePos>(nullptr);
        m_wavePos->SetFileName(S("/music/A.WAV"));
        m_reconnects = 0;
        m_frameReports.clear();
        Reconnect()(); // the frame listens before the dialog opens
        m_reconnects = 0;
    }
    void cleanup()
    {
        m_wavePos.reset();
        m_sheet.reset();
    }

    // "00" is offered only where the track can take an INDEX 00, and the
    // range is what the neighbouring tracks leave.
    void numberChoiceAndRange_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("zeroAllowed");
        QTest::addColumn<bool>("zeroChosen");
        QTest::addColumn<QString>("range");
        QTest::newRow("only index of the first track") << 0 << 0 << false << false << S("00:00:00 - 01:00:00");
        QTest::newRow("INDEX 00") << 1 << 0 << true << true << S("00:00:00 - 02:00:00");
        QTest::newRow("INDEX 01 beside an INDEX 00") << 1 << 1 << false << false << S("00:00:00 - 02:00:00");
        QTest::newRow("INDEX 01 of two, last track") << 2 << 0 << true << false << S("01:02:00 - ");
        QTest::newRow("INDEX 02") << 2 << 1 << true << false << S("01:02:00 - ");
        QTest::newRow("only track of a file") << 3 << 0 << false << false << S("00:00:00 - ");
    }
    void numberChoiceAndRange()
    {
        QFETCH(int, track);
        QFETCH(int, index);
        QFETCH(bool, zeroAllowed);
        QFETCH(bool, zeroChosen);
        QFETCH(QString, range);
        auto dialog = Dialog(Index(track, index), false);
        auto* zero = dialog->findChild<QRadioButton*>(S("zeroRadio"));
        auto* automatic = dialog->findChild<QRadioButton*>(S("autoRadio"));
        QCOMPARE(zero->isEnabled(), zeroAllowed);
        QCOMPARE(zero->isChecked(), zeroChosen);
        QCOMPARE(automatic->isChecked(), !zeroChosen);
        QCOMPARE(dialog->findChild<QLabel*>(S("rangeLabel"))->text(), range);
        QCOMPARE(dialog->RangeText(), range);
        QCOMPARE(TimeBox(*dialog)->text(), Text(Index(track, index).Time()));

        ShowActive(*dialog);
        QCOMPARE(dialog->focusWidget(), TimeBox(*dialog));
        QCOMPARE(TimeBox(*dialog)->selectedText(), TimeBox(*dialog)->text());
    }

    // A typed time outside the range is questioned when the box loses the
    // focus: No brings the previous time back, Yes keeps the typed one.
    void rangeQuestion_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question"); // empty: none asked
        QTest::addColumn<QString>("shown");
        QTest::newRow("inside") << 1 << 1 << S("1:30") << false << QString() << S("01:30:00");
        QTest::newRow("range end included") << 0 << 0 << S("1:0:0") << false << QString() << S("01:00:00");
        QTest::newRow("after the end, No")
            << 0 << 0 << S("2:0:0") << false
            << S("2:0:0 is not within the track's range of 00:00:00 - 01:00:00.\nSet index time anyway?")
            << S("00:00:00");
        QTest::newRow("after the end, Yes")
            << 0 << 0 << S("2:0:0") << true
            << S("2:0:0 is not within the track's range of 00:00:00 - 01:00:00.\nSet index time anyway?")
            << S("02:00:00");
        QTest::newRow("before the start of a last track")
            << 2 << 1 << S("1:0") << false
            << S("1:0 is not within the track's range of 01:02:00 - .\nSet index time anyway?") << S("02:30:00");
        QTest::newRow("a last track has no end") << 3 << 0 << S("200:00:00") << false << QString() << S("200:00:00");
        // Past 255 minutes a time is kept as typed, never wrapped.
        QTest::newRow("five hours") << 3 << 0 << S("300:00:00") << false << QString() << S("300:00:00");
        QTest::newRow("the largest time") << 3 << 0 << S("9999:59:74") << false << QString() << S("9999:59:74");
    }

    // A time no sheet holds is refused with its reason when the box loses
    // the focus, and again on OK: the box shows the time it had, the
    // dialog stays open and the index keeps its time.
    void refusedTimes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("past 9999 minutes") << S("10000:00:00") << S("Time past 9999:59:74");
        QTest::newRow("seconds past 59") << S("01:300:00") << S("Seconds past 59 in time");
        QTest::newRow("frames past 74") << S("00:00:99") << S("Frames past 74 in time");
        QTest::newRow("negative") << S("-1:00:00") << S("Negative time - must be 00:00:00 or later");
        QTest::newRow("not a time") << S("1:2:3:4") << S("Invalid time - must be mm:ss:ff");
    }
    void refusedTimes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        CCueIndex& item = Index(3, 0);
        const QString before = Text(item.Time());
        auto dialog = Dialog(item);
        ShowActive(*dialog);
        TypeTime(*dialog, typed);
        QCOMPARE(TimeBox(*dialog)->text(), before);
        const auto& boxes = m_sheet->prompts.Messages();
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(boxes[0].text), typed + S(" is not a valid time: ") + reason + S("."));
        QCOMPARE(boxes[0].buttons, PromptButtons::Ok);
        QCOMPARE(boxes[0].icon, PromptIcon::Error);

        // Typed again and OK pressed from the keyboard: refused once more.
        TimeBox(*dialog)->setFocus();
        TimeBox(*dialog)->setText(typed);
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QCOMPARE(m_sheet->prompts.Messages().size(), std::size_t(2));
        QCOMPARE(TimeBox(*dialog)->text(), before);
        QVERIFY(!dialog->Store());
        QCOMPARE(Text(item.Time()), before);
    }
    void rangeQuestion()
    {
        QFETCH(int, track);
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        QFETCH(QString, shown);
        CCueIndex& item = Index(track, index);
        const CCueTime before = item.Time();
        auto dialog = Dialog(item);
        ShowActive(*dialog);
        m_sheet->prompts.QueueAnswer(yes ? PromptAnswer::Yes : PromptAnswer::No);
        TypeTime(*dialog, typed);
        QCOMPARE(TimeBox(*dialog)->text(), shown);

        const auto& boxes = m_sheet->prompts.Messages();
        if (question.isEmpty()) {
            QVERIFY(boxes.empty());
        } else {
            QCOMPARE(boxes.size(), std::size_t(1));
            QCOMPARE(QString::fromStdString(boxes[0].text), question);
            QCOMPARE(QString::fromStdString(boxes[0].caption), S("Invalid Index Time"));
            QCOMPARE(boxes[0].buttons, PromptButtons::YesNo);
            QCOMPARE(boxes[0].icon, PromptIcon::Warning);
            QVERIFY(boxes[0].foreground);
        }
        // Leaving the box again asks nothing more; OK stores what is shown.
        TimeBox(*dialog)->setFocus(Qt::TabFocusReason);
        dialog->findChild<QLineEdit*>(S("commentEdit"))->setFocus(Qt::TabFocusReason);
        dialog->accept();
        QCOMPARE(m_sheet->prompts.Messages().size(), question.isEmpty() ? std::size_t(0) : std::size_t(1));
        QCOMPARE(dialog->Store(), CCueTime::Compare(T(shown.toLatin1().constData()), before) != 0);
        QCOMPARE(Text(item.Time()), shown);
    }

    // OK pressed with the focus still in the Time box checks the time too.
    void okChecksTheTypedTime()
    {
        CCueIndex& item = Index(0, 0);
        auto dialog = Dialog(item);
        TimeBox(*dialog)->setText(S("5:00:00"));
        m_sheet->prompts.QueueAnswer(PromptAnswer::No);
        dialog->accept();
        QCOMPARE(m_sheet->prompts.Messages().size(), std::size_t(1));
        QVERIFY(!dialog->Store());
        QCOMPARE(Text(item.Time()), S("00:00:00"));
        QVERIFY(!m_sheet->doc.IsModified());
    }

    // Pressing Cancel with an out-of-range time typed asks nothing; OK from
    // the Cancel button's focus still asks.
    void cancelAsksNoQuestion()
    {
        CCueIndex& item = Index(0, 0);
        auto dialog = Dialog(item);
        ShowActive(*dialog);
        TimeBox(*dialog)->setText(S("5:00:00"));
        QPushButton* cancel = dialog->findChild<QDialogButtonBox*>(S("buttons"))->button(QDialogButtonBox::Cancel);
        cancel->setFocus(Qt::MouseFocusReason);
        QVERIFY(m_sheet->prompts.Messages().empty());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_sheet->prompts.Messages().empty());

        auto again = Dialog(item);
        ShowActive(*again);
        TimeBox(*again)->setText(S("5:00:00"));
        again->findChild<QDialogButtonBox*>(S("buttons"))->button(QDialogButtonBox::Cancel)->setFocus(Qt::MouseFocusReason);
        again->accept();
        QCOMPARE(m_sheet->prompts.Messages().size(), std::size_t(1));
        QVERIFY(!again->Store());
        QCOMPARE(Text(item.Time()), S("00:00:00"));
    }

    // Each arrow click moves the time by one frame and never out of range.
    void arrowStepsOneFrameWithinTheRange_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up to the range end") << 0 << S("00:59:74") << S("+") << S("01:00:00");
        QTest::newRow("up stops at the range end") << 0 << S("00:59:74") << S("++") << S("01:00:00");
        QTest::newRow("down stops at 00:00:00") << 0 << S("00:00:00") << S("-") << S("00:00:00");
        QTest::newRow("down across a second") << 0 << S("00:01:00") << S("-") << S("00:00:74");
        QTest::newRow("up across a second") << 0 << S("00:00:74") << S("+") << S("00:01:00");
        QTest::newRow("down across a minute") << 1 << S("01:00:00") << S("-") << S("00:59:74");
        QTest::newRow("up across a minute") << 1 << S("00:59:74") << S("+") << S("01:00:00");
        QTest::newRow("down stops at the range start") << 2 << S("01:02:01") << S("---") << S("01:02:00");
        QTest::newRow("up and down") << 2 << S("02:30:00") << S("+++-") << S("02:30:02");
    }
    void arrowStepsOneFrameWithinTheRange()
    {
        QFETCH(int, track);
        QFETCH(QString, start);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        auto dialog = Dialog(Index(track, track == 2 ? 1 : 0));
        ShowActive(*dialog);
        TypeTime(*dialog, start);
        QCOMPARE(TimeBox(*dialog)->text(), start);
        auto* arrows = dialog->findChild<CUpDownCtrl*>(S("arrows"));
        for (const QChar step : steps)
            (step == QLatin1Char('+') ? arrows->UpButton() : arrows->DownButton())->click();
        QCOMPARE(TimeBox(*dialog)->text(), shown);
        QVERIFY(m_sheet->prompts.Messages().empty());
    }

    // The mouse wheel over the arrows steps like a click.
    void wheelStepsLikeTheArrows()
    {
        auto dialog = Dialog(Index(2, 1));
        auto* arrows = dialog->findChild<CUpDownCtrl*>(S("arrows"));
        const auto turn = [arrows](int dy) {
            QWheelEvent wheel(QPointF(2, 2), QPointF(2, 2), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(arrows, &wheel);
        };
        turn(120);
        turn(120);
        QCOMPARE(TimeBox(*dialog)->text(), S("02:30:02"));
        turn(-120);
        QCOMPARE(TimeBox(*dialog)->text(), S("02:30:01"));
    }

    // Play seeks to the typed time and plays; Stop pauses and shows where
    // the player stopped on the "Set to" button.
    void playAndStop_data()
    {
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("stopped player plays") << false << false << S("&Play")
                                              << QStringList{S("seek 01:02:00"), S("play")};
        QTest::newRow("paused player resumes") << false << true << S("&Play")
                                               << QStringList{S("seek 01:02:00"), S("pause")};
        QTest::newRow("playing player stops") << true << false << S("Sto&p") << QStringList{S("pause")};
    }
    void playAndStop()
    {
        QFETCH(bool, playing);
        QFETCH(bool, paused);
        QFETCH(QString, caption);
        QFETCH(QStringList, calls);
        m_player.playing = playing;
        m_player.paused = paused;
        m_player.position = T("00:10:00");
        auto dialog = Dialog(Index(1, 1));
        QPushButton* play = Button(*dialog, "playButton");
        QPushButton* setTo = Button(*dialog, "setToButton");
        QCOMPARE(play->text(), caption);
        QVERIFY(play->isEnabled());
        QVERIFY(setTo->isEnabled());
        QCOMPARE(setTo->text(), S("&Set to 00:10:00"));

        play->click();
        QCOMPARE(m_player.calls, calls);
        QCOMPARE(m_player.IsPlaying(), !playing);
        QCOMPARE(play->text(), playing ? S("&Play") : S("Sto&p"));

        m_player.Report(T("01:05:10"));
        QCOMPARE(setTo->text(), S("&Set to 01:05:10"));
        QVERIFY(m_frameReports.isEmpty());
    }

    // "Set to" takes the reported position as it is, without the range
    // question, and OK stores it.
    void setToTakesThePlayerPosition()
    {
        CCueIndex& item = Index(0, 0);
        auto dialog = Dialog(item);
        ShowActive(*dialog);
        Button(*dialog, "playButton")->click();
        m_player.Report(T("03:00:00")); // beyond the track's range
        m_player.Report(T("03:00:00"));
        QCOMPARE(Button(*dialog, "setToButton")->text(), S("&Set to 03:00:00"));
        Button(*dialog, "setToButton")->click();
        QCOMPARE(TimeBox(*dialog)->text(), S("03:00:00"));
        TimeBox(*dialog)->setFocus(Qt::TabFocusReason);
        dialog->findChild<QLineEdit*>(S("commentEdit"))->setFocus(Qt::TabFocusReason);
        dialog->accept();
        QVERIFY(m_sheet->prompts.Messages().empty());
        QVERIFY(dialog->Store());
        QCOMPARE(Text(item.Time()), S("03:00:00"));
    }

    void withoutPlayerPlayAndSetToAreDisabled()
    {
        auto dialog = Dialog(Index(1, 1), false);
        QVERIFY(!Button(*dialog, "playButton")->isEnabled());
        QVERIFY(!Button(*dialog, "setToButton")->isEnabled());
        QCOMPARE(Button(*dialog, "setToButton")->text(), S("&Set to "));
        QCOMPARE(m_wavePos->GetFileName(), S("/music/A.WAV"));
        dialog->reject();
        dialog.reset();
        QCOMPARE(m_reconnects, 0);
        QCOMPARE(m_wavePos->GetFileName(), S("/music/A.WAV"));
    }

    // While the dialog is open the position control is blank and the player
    // reports to the dialog; both are given back once, however it closes.
    void positionControlAndListenerGivenBack_data()
    {
        QTest::addColumn<int>("close"); // 0 OK, 1 Cancel, 2 destroyed unclosed
        QTest::newRow("OK") << 0;
        QTest::newRow("Cancel") << 1;
        QTest::newRow("destroyed") << 2;
    }
    void positionControlAndListenerGivenBack()
    {
        QFETCH(int, close);
        auto dialog = Dialog(Index(1, 1));
        QCOMPARE(m_wavePos->GetFileName(), QString());
        m_player.Report(T("00:00:10"));
        QVERIFY(m_frameReports.isEmpty());
        if (close == 0)
            dialog->accept();
        else if (close == 1)
            dialog->reject();
        dialog.reset();
        QCOMPARE(m_reconnects, 1);
        QCOMPARE(m_wavePos->GetFileName(), S("/music/A.WAV"));
        m_player.Report(T("00:00:20"));
        QCOMPARE(m_frameReports, QStringList{S("00:00:20")});
    }

    void withoutReconnectTheListenerIsDropped()
    {
        auto dialog = std::make_unique<CEditIndexDlg>(Index(1, 1), &m_player, nullptr, std::function<void()>(), nullptr);
        QVERIFY(m_player.listener);
        dialog.reset();
        QVERIFY(!m_player.listener);
    }

    // Number, comment, time: with the time set last, an INDEX 00 made
    // automatic and moved behind INDEX 01 becomes INDEX 02.
    void storeOrder()
    {
        CCueIndex& item = Index(1, 0);
        auto dialog = Dialog(item);
        dialog->findChild<QRadioButton*>(S("autoRadio"))->setChecked(true);
        dialog->findChild<QLineEdit*>(S("commentEdit"))->setText(S("moved"));
        TimeBox(*dialog)->setText(S("1:5:0"));
        dialog->accept();
        QVERIFY(dialog->Store());
        const CCueTrack& track = *item.Track();
        QCOMPARE(track.IndexCount(), 2);
        QCOMPARE(track.Index(0)->Number(), 1);
        QCOMPARE(Text(track.Index(0)->Time()), S("01:02:00"));
        QCOMPARE(track.Index(1), &item);
        QCOMPARE(item.Number(), 2);
        QCOMPARE(Text(item.Time()), S("01:05:00"));
        QCOMPARE(QString::fromStdString(item.Comment()), S("; moved"));
        QVERIFY(m_sheet->doc.IsModified());
    }

    void zeroChosenMakesIndex00()
    {
        CCueIndex& item = Index(2, 0);
        auto dialog = Dialog(item);
        dialog->findChild<QRadioButton*>(S("zeroRadio"))->setChecked(true);
        dialog->accept();
        QVERIFY(dialog->Store());
        QCOMPARE(item.Number(), 0);
        QCOMPARE(item.Track()->Index(1)->Number(), 1);
    }

    // A time held in milliseconds shows rounded to frames; OK without a
    // change keeps it exactly and leaves the sheet unmodified.
    void okKeepsAMillisecondTime()
    {
        CCueIndex& item = Index(3, 0);
        item.SetTime(CCueTime::FromMilliseconds(1010));
        m_sheet->doc.SetModifiedFlag(false);
        auto dialog = Dialog(item);
        QCOMPARE(TimeBox(*dialog)->text(), S("00:01:01"));
        dialog->accept();
        QVERIFY(!dialog->Store());
        QCOMPARE(item.Time().Format(), TimeFormat::Milliseconds);
        QCOMPARE(item.Time().Value(), 1010u);
        QVERIFY(!m_sheet->doc.IsModified());
    }
};

QTEST_MAIN(TestEditIndexDlg)
#include "TestEditIndexDlg.moc"
