#include <memory>

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QSignalSpy>
#include <QtTest>

#include "player/CWavePos.h"
#include "WindowTest.h"
#include "model/CCueTime.h"

Q_DECLARE_METATYPE(CCueTime)

namespace {

const QColor kFace(0xc0, 0xc0, 0xc0);

// Counts the paint events a widget really receives.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget* widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

QPalette TestPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, kFace);
    palette.setColor(QPalette::ButtonText, Qt::black);
    return palette;
}

CCueTime Msf(std::uint32_t m, std::uint32_t s, std::uint32_t f)
{
    return CCueTime::FromMsf(m, s, f);
}

// Columns of the image holding something other than the face colour.
QList<int> InkColumns(const QImage& image)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != kFace) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

std::unique_ptr<CWavePos> MakeControl()
{
    auto pos = std::make_unique<CWavePos>();
    pos->setPalette(TestPalette());
    pos->resize(250, 22);
    pos->InitFonts();
    return pos;
}

} // namespace

class TestWavePos final : public WindowTest
{
    Q_OBJECT

private Q_SLOTS:

    void displayName_data();
    void displayName();
    void clearedAtConstruction();
    void formatPosition_data();
    void formatPosition();
    void formatLength_data();
    void formatLength();
    void waveTimesRoundTrip_data();
    void waveTimesRoundTrip();
    void formatLengthKeepsTextWhenZero();
    void samePositionRepaintsOnce();
    void millisecondChangeRepaints();
    void sameLengthRepaintsOnce();
    void nameDifferingInCaseIsAnotherFile();
    void aReasonReplacesTheFigures();
    void initFontsMeasureGap();
    void noFocusNoMouse();
    void blankWithoutName();
    void drawsNamePositionAndLength();
    void noLengthTextForZeroLength();
    void longNameGivesWay();

private:
    void InitCase() override;
    void CleanupCase() override;

    std::unique_ptr<CWavePos> m_pos;
};

void TestWavePos::InitCase()
{
    QDir::setCurrent(m_dir->path());
    m_pos = MakeControl();
}

void TestWavePos::CleanupCase()
{
    m_pos.reset();
}

void TestWavePos::displayName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("shown");
    QTest::newRow("windows path") << u"C:\\AUDIO\\TRACK01.WAV"_qs << u"TRACK01.WAV"_qs;
    QTest::newRow("posix path") << u"/audio/TRACK01.WAV"_qs << u"TRACK01.WAV"_qs;
    QTest::newRow("mixed separators") << u"C:\\audio/sub\\TRACK01.WAV"_qs << u"TRACK01.WAV"_qs;
    QTest::newRow("drive only") << u"C:TRACK01.WAV"_qs << u"TRACK01.WAV"_qs;
    QTest::newRow("bare name") << u"TRACK01.WAV"_qs << u"TRACK01.WAV"_qs;
    QTest::newRow("relative") << u"audio/song.wav"_qs << u"song.wav"_qs;
}

void TestWavePos::displayName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, shown);
    QVERIFY(m_pos->SetFileName(fileName));
    QCOMPARE(m_pos->GetFileName(), fileName);
    QCOMPARE(m_pos->GetDisplayName(), shown);
}

void TestWavePos::clearedAtConstruction()
{
    CWavePos pos;
    QCOMPARE(pos.GetFileName(), QString());
    QCOMPARE(pos.GetPosition().Milliseconds(), 0u);
    QCOMPARE(pos.GetLength().Milliseconds(), 0u);
}

void TestWavePos::formatPosition_data()
{
    QTest::addColumn<CCueTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << CCueTime() << u"00:00:00"_qs;
    QTest::newRow("msf") << Msf(1, 2, 3) << u"01:02:03"_qs;
    QTest::newRow("milliseconds") << CCueTime::FromMilliseconds(62040) << u"01:02:03"_qs;
    QTest::newRow("100 minutes") << Msf(100, 0, 0) << u"100:00:00"_qs;
    QTest::newRow("255 minutes") << CCueTime::FromMilliseconds(255u * 60000u) << u"255:00:00"_qs;
    // Whole minutes, past the 8 bits of a cue time's.
    QTest::newRow("256 minutes") << CCueTime::FromMilliseconds(256u * 60000u + 1000u) << u"256:01:00"_qs;
    QTest::newRow("five hours") << CCueTime::FromMilliseconds(300u * 60000u) << u"300:00:00"_qs;
    QTest::newRow("a day") << CCueTime::FromMilliseconds(1440u * 60000u + 13u) << u"1440:00:01"_qs;
}

void TestWavePos::formatPosition()
{
    QFETCH(CCueTime, time);
    QFETCH(QString, text);
    m_pos->SetPosition(time);
    QString out;
    QVERIFY(m_pos->FormatPosition(out));
    QCOMPARE(out, text);
}

void TestWavePos::formatLength_data()
{
    QTest::addColumn<CCueTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << CCueTime() << QString();
    QTest::newRow("one frame") << Msf(0, 0, 1) << u"(00:00:01)"_qs;
    QTest::newRow("one frame in ms") << CCueTime::FromMilliseconds(14) << u"(00:00:01)"_qs;
    QTest::newRow("one second in ms") << CCueTime::FromMilliseconds(1000) << u"(00:01:00)"_qs;
    QTest::newRow("four minutes") << Msf(4, 5, 6) << u"(04:05:06)"_qs;
    QTest::newRow("100 minutes") << Msf(100, 0, 0) << u"(100:00:00)"_qs;
    QTest::newRow("256 minutes") << CCueTime::FromMilliseconds(256u * 60000u) << u"(256:00:00)"_qs;
    QTest::newRow("five hours") << CCueTime::FromMilliseconds(300u * 60000u + 40u) << u"(300:00:03)"_qs;
    QTest::newRow("under a frame") << CCueTime::FromMilliseconds(5) << QString();
}

void TestWavePos::formatLength()
{
    QFETCH(CCueTime, time);
    QFETCH(QString, text);
    m_pos->SetLength(time);
    QString out;
    QVERIFY(m_pos->FormatLength(out));
    QCOMPARE(out, text);
}

void TestWavePos::waveTimesRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("ms");
    QTest::newRow("short") << u"01:02:03"_qs << 62040u;
    QTest::newRow("255 minutes") << u"255:00:00"_qs << 255u * 60000u;
    QTest::newRow("five hours") << u"300:00:00"_qs << 300u * 60000u;
    QTest::newRow("five hours and a frame") << u"300:10:01"_qs << 300u * 60000u + 10013u;
}

void TestWavePos::waveTimesRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(uint, ms);
    const CCueTime time = CWavePos::ParseWaveTime(text);
    QCOMPARE(time.Milliseconds(), ms);
    QCOMPARE(CWavePos::WaveTimeText(time), text);
}

void TestWavePos::formatLengthKeepsTextWhenZero()
{
    QString out = u"kept"_qs;
    QVERIFY(m_pos->FormatLength(out));
    QCOMPARE(out, u"kept"_qs);
}

void TestWavePos::samePositionRepaintsOnce()
{
    m_pos->SetFileName(u"/audio/SONG.WAV"_qs);
    m_pos->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pos.get()));
    DeliverPendingEvents();
    QSignalSpy changed(m_pos.get(), &CWavePos::ContentChanged);
    auto* paints = new PaintCounter(m_pos.get());

    m_pos->SetPosition(Msf(0, 1, 2));
    QTRY_COMPARE(paints->count, 1);
    m_pos->SetPosition(Msf(0, 1, 2));
    DeliverPendingEvents();
    QCOMPARE(paints->count, 1);
    QCOMPARE(changed.count(), 1);
}

void TestWavePos::millisecondChangeRepaints()
{
    // The shown frames stay the same, the stored time does not.
    m_pos->SetPosition(CCueTime::FromMilliseconds(1000));
    QSignalSpy changed(m_pos.get(), &CWavePos::ContentChanged);
    m_pos->SetPosition(CCueTime::FromMilliseconds(1001));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_pos->GetPosition().Milliseconds(), 1001u);
    // The same time in another format is no change.
    m_pos->SetPosition(CCueTime::FromMilliseconds(2000));
    m_pos->SetPosition(Msf(0, 2, 0));
    QCOMPARE(changed.count(), 2);
}

void TestWavePos::sameLengthRepaintsOnce()
{
    m_pos->SetFileName(u"/audio/SONG.WAV"_qs);
    m_pos->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pos.get()));
    DeliverPendingEvents();
    auto* paints = new PaintCounter(m_pos.get());
    QSignalSpy changed(m_pos.get(), &CWavePos::ContentChanged);
    m_pos->SetLength(Msf(4, 5, 6));
    QTRY_COMPARE(paints->count, 1);
    m_pos->SetLength(Msf(4, 5, 6));
    m_pos->SetLength(CCueTime::FromMilliseconds(Msf(4, 5, 6).Milliseconds()));
    DeliverPendingEvents();
    QCOMPARE(paints->count, 1);
    QCOMPARE(changed.count(), 1);
}

void TestWavePos::aReasonReplacesTheFigures()
{
    m_pos->SetFileName(u"/music/DEMO1.WAV"_qs);
    m_pos->SetPosition(CCueTime::FromMsf(1, 2, 3));
    m_pos->SetLength(CCueTime::FromMsf(4, 5, 6));
    QCOMPARE(m_pos->Text(), u"DEMO1.WAV 01:02:03 (04:05:06)"_qs);
    QSignalSpy changed(m_pos.get(), &CWavePos::ContentChanged);
    m_pos->SetReason(u"no such file"_qs);
    QCOMPARE(m_pos->Text(), u"DEMO1.WAV: no such file"_qs);
    m_pos->SetReason(u"no such file"_qs);
    QCOMPARE(changed.count(), 1);
    // Painted greyed: the disabled text colour, never the normal one.
    m_pos->resize(250, 22);
    QImage image(m_pos->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    m_pos->render(&image);
    const QColor grey = m_pos->palette().color(QPalette::Disabled, QPalette::ButtonText);
    const QColor normal = m_pos->palette().color(QPalette::Active, QPalette::ButtonText);
    bool sawGrey = false;
    bool sawNormal = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            sawGrey = sawGrey || c == grey;
            sawNormal = sawNormal || c == normal;
        }
    }
    QVERIFY(sawGrey);
    if (grey != normal) {
        QVERIFY(!sawNormal);
    }
}

void TestWavePos::nameDifferingInCaseIsAnotherFile()
{
    m_pos->SetFileName(u"/audio/TRACK01.WAV"_qs);
    m_pos->SetReason(u"no such file"_qs);
    QSignalSpy changed(m_pos.get(), &CWavePos::ContentChanged);
    // Names compare as Linux compares them: by letter case.
    m_pos->SetFileName(u"/audio/track01.wav"_qs);
    QCOMPARE(m_pos->GetFileName(), u"/audio/track01.wav"_qs);
    QCOMPARE(m_pos->GetDisplayName(), u"track01.wav"_qs);
    QCOMPARE(m_pos->GetReason(), QString());
    QCOMPARE(changed.count(), 1);
    m_pos->SetFileName(u"/audio/track01.wav"_qs);
    QCOMPARE(changed.count(), 1);

    // Empty and back, as the Edit Index dialog does.
    m_pos->SetFileName(QString());
    QCOMPARE(m_pos->GetDisplayName(), QString());
    m_pos->SetFileName(u"/audio/TRACK01.WAV"_qs);
    QCOMPARE(m_pos->GetDisplayName(), u"TRACK01.WAV"_qs);
    QCOMPARE(changed.count(), 3);
}

void TestWavePos::initFontsMeasureGap()
{
    QVERIFY(m_pos->InitFonts());
    QVERIFY(m_pos->GetGap() > 0);
}

void TestWavePos::noFocusNoMouse()
{
    QCOMPARE(m_pos->focusPolicy(), Qt::NoFocus);
    QVERIFY(m_pos->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void TestWavePos::blankWithoutName()
{
    m_pos->SetPosition(Msf(1, 2, 3));
    m_pos->SetLength(Msf(4, 5, 6));
    const QImage image = m_pos->grab().toImage();
    QCOMPARE(image.size(), QSize(250, 22));
    QVERIFY(InkColumns(image).isEmpty());
}

void TestWavePos::drawsNamePositionAndLength()
{
    m_pos->SetFileName(u"C:\\AUDIO\\SONG.WAV"_qs);
    m_pos->SetPosition(Msf(1, 2, 3));
    m_pos->SetLength(Msf(4, 5, 6));
    const QImage image = m_pos->grab().toImage();
    const QList<int> ink = InkColumns(image);
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.first() < 4); // from the left edge
    // The text area stops 2 pixels above the bottom.
    for (int x = 0; x < image.width(); ++x) {
        QCOMPARE(image.pixelColor(x, image.height() - 1), kFace);
    }

    // The length text reaches further right than the position alone.
    auto shorter = MakeControl();
    shorter->SetFileName(u"C:\\AUDIO\\SONG.WAV"_qs);
    shorter->SetPosition(Msf(1, 2, 3));
    const QList<int> shorterInk = InkColumns(shorter->grab().toImage());
    QVERIFY(!shorterInk.isEmpty());
    QVERIFY(ink.last() > shorterInk.last() + 20);
}

void TestWavePos::noLengthTextForZeroLength()
{
    m_pos->SetFileName(u"/audio/SONG.WAV"_qs);
    m_pos->SetPosition(Msf(1, 2, 3));
    const QList<int> ink = InkColumns(m_pos->grab().toImage());
    QVERIFY(!ink.isEmpty());
    // Name, gap and bold position only: nothing past them.
    const int end = QFontMetrics(m_pos->NormalFont()).horizontalAdvance(u"SONG.WAV"_qs) + m_pos->GetGap()
                    + QFontMetrics(m_pos->BoldFont()).horizontalAdvance(u"01:02:03"_qs);
    QVERIFY2(ink.last() <= end, qPrintable(u"%1 > %2"_qs.arg(ink.last()).arg(end)));
    QVERIFY(ink.last() > end - QFontMetrics(m_pos->BoldFont()).horizontalAdvance(u"03"_qs));
}

void TestWavePos::longNameGivesWay()
{
    m_pos->SetPosition(Msf(1, 2, 3));
    m_pos->SetLength(Msf(4, 5, 6));
    m_pos->SetFileName(u"/audio/SONG.WAV"_qs);
    QCOMPARE(m_pos->ShownName(), u"SONG.WAV"_qs);

    const QString longName = u"A rather long name for the opening track of the disc.wav"_qs;
    m_pos->SetFileName(u"/audio/"_qs + longName);
    QCOMPARE(m_pos->GetDisplayName(), longName);
    const QString shown = m_pos->ShownName();
    QVERIFY(shown.size() < longName.size());
    QVERIFY(shown.startsWith(u"A r"_qs));
    QVERIFY(shown.contains(QChar(0x2026)));
    QVERIFY(shown.endsWith(u".wav"_qs));

    // The whole line, figures included, fits the control.
    QString position;
    QString length;
    m_pos->FormatPosition(position);
    m_pos->FormatLength(length);
    const int line = QFontMetrics(m_pos->NormalFont()).horizontalAdvance(shown) + m_pos->GetGap()
                     + QFontMetrics(m_pos->BoldFont()).horizontalAdvance(position) + m_pos->GetGap()
                     + QFontMetrics(m_pos->NormalFont()).horizontalAdvance(length);
    QVERIFY2(line <= m_pos->width(), qPrintable(QString::number(line)));
}

QTEST_MAIN(TestWavePos)
#include "TestWavePos.moc"
