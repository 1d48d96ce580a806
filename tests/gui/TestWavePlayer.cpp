#include "player/CWavePlayer.h"

#include "audio/CAudioDecoder.h"
#include "audio/CWaveFile.h"
#include "audio/IAudioSink.h"
#include "audio/WaveFixtures.h"
#include "platform/CScriptedPrompts.h"
#include "support/TempDir.h"

#include <QTest>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace wavetest;

namespace {

// What a fake output saw, kept by the test beyond the player's life.
struct FakeOutput {
    std::string openError; // Open fails with it when not empty
    bool open = false;
    bool running = false;
    int closes = 0;
    AudioFormat format;
    IAudioSink::Pull pull;
    std::string played; // every byte pulled while running
};

// An output that pulls only when the test moves its clock.
class CFakeSink final : public IAudioSink
{
public:
    explicit CFakeSink(FakeOutput& out)
        : m_out(out)
    {
    }
    ~CFakeSink() override { Close(); }
    CFakeSink(const CFakeSink&) = delete;
    CFakeSink& operator=(const CFakeSink&) = delete;

    bool Open(const AudioFormat& format, Pull pull, std::string& error) override
    {
        if (!m_out.openError.empty()) {
            error = m_out.openError;
            return false;
        }
        m_out.open = true;
        m_out.format = format;
        m_out.pull = std::move(pull);
        return true;
    }
    void Close() override
    {
        if (!m_out.open)
            return;
        m_out.open = false;
        m_out.running = false;
        m_out.pull = nullptr;
        ++m_out.closes;
    }
    bool IsOpen() const override { return m_out.open; }
    void SetRunning(bool running) override { m_out.running = running; }
    void Lock() override {}
    void Unlock() override {}

private:
    FakeOutput& m_out;
};

std::size_t FrameBytes(const AudioFormat& f)
{
    const std::size_t sample = f.type == SampleType::U8 ? 1 : f.type == SampleType::S16 ? 2 : 4;
    return sample * f.channels;
}

// Moves the fake clock by ms: a running output pulls that much.
void Advance(FakeOutput& out, std::uint32_t ms)
{
    if (!out.open || !out.running)
        return;
    const std::size_t frames = std::size_t{ms} * out.format.rate / 1000;
    std::string buffer(frames * FrameBytes(out.format), '\0');
    out.pull(reinterpret_cast<std::uint8_t*>(buffer.data()), buffer.size());
    out.played += buffer;
}

std::string Extensible(std::uint16_t subTag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                       std::uint16_t align)
{
    std::string guid = Le32(subTag) + std::string("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
    return Fmt(0xFFFE, channels, rate, bits, align) + Le16(22) + Le16(bits) + Le32(3) + guid;
}

std::string Wave(const std::string& fmt, const std::string& samples)
{
    return Riff("WAVE", Chunk("fmt ", fmt) + Chunk("data", samples));
}

// 24-bit samples as the output gets them: 32-bit, low byte zero.
std::string Widened(const std::string& bytes)
{
    std::string out;
    for (std::size_t i = 0; i + 3 <= bytes.size(); i += 3)
        out += std::string(1, '\0') + bytes.substr(i, 3);
    return out;
}

// The sample bytes of a wave file from a frame on.
std::string SamplesFrom(const std::string& path, std::uint32_t frame)
{
    CWaveFile wave(path);
    if (!wave.Open(CWaveFile::kRead))
        return {};
    const std::size_t size = (wave.FrameCount() - frame) * std::size_t{wave.BlockAlign()};
    std::string out(size, '\0');
    if (wave.SeekData(std::int64_t{frame} * wave.BlockAlign()) < 0 || wave.Read(out.data(), size) != std::int64_t(size))
        return {};
    return out;
}

std::uint32_t Ms(const CCueTime& t) { return t.Milliseconds(); }

// What the output played without its stretches of silence: before the
// start, while paused and after the end. Noise holds no eight silent sample
// frames in a row.
std::string WithoutSilence(const std::string& bytes, std::size_t frameBytes)
{
    const std::string silent(frameBytes, '\0');
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i + frameBytes <= bytes.size()) {
        std::size_t run = i;
        while (run + frameBytes <= bytes.size() && bytes.compare(run, frameBytes, silent) == 0)
            run += frameBytes;
        if (run - i < 8 * frameBytes)
            out.append(bytes, i, run - i);
        if (run + frameBytes <= bytes.size())
            out.append(bytes, run, frameBytes);
        i = run + frameBytes;
    }
    return out;
}

CCueTime At(std::uint32_t ms) { return CCueTime::FromMilliseconds(ms); }

} // namespace

class TestWavePlayer final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<CScriptedPrompts> m_prompts;
    std::unique_ptr<CPromptsScope> m_scope;
    FakeOutput m_out;
    std::vector<std::uint32_t> m_reports;

    // A player on a fake output, its reports collected.
    std::unique_ptr<CWavePlayer> FakePlayer(const std::string& path)
    {
        auto player = std::make_unique<CWavePlayer>(path, [this] { return std::make_unique<CFakeSink>(m_out); });
        player->SetPositionListener([this](const CCueTime& t) { m_reports.push_back(Ms(t)); });
        return player;
    }
    // One second of 16-bit stereo at 8000 Hz, a pattern without silence.
    std::string PatternWave(const std::string& name = "p.wav")
    {
        return m_dir->Write(name, PcmWave(2, 8000, 16, Pattern(8000 * 4)));
    }
    // A sox-made file of noise; "" when sox is missing.
    std::string SoxWave(const std::string& name, const std::string& format, double seconds)
    {
        const std::string path = m_dir->File(name);
        const std::string command = "sox -V1 -n " + format + " " + Quote(path) + " synth " + std::to_string(seconds) +
                                    " whitenoise vol 0.5";
        return Run(command) == 0 ? path : std::string();
    }
    std::string LastMessage() const
    {
        return m_prompts->Messages().empty() ? std::string() : m_prompts->Lines().back();
    }

private slots:
    void initTestCase()
    {
        // No sound card here: SDL's disk driver plays in real time into a file.
        qputenv("SDL_AUDIODRIVER", "disk");
    }
    void init()
    {
        m_dir = std::make_unique<TempDir>();
        qputenv("SDL_DISKAUDIOFILE", QByteArray::fromStdString(m_dir->File("played.raw")));
        m_prompts = std::make_unique<CScriptedPrompts>();
        m_scope = std::make_unique<CPromptsScope>(*m_prompts);
        m_out = FakeOutput();
        m_reports.clear();
    }
    void cleanup()
    {
        m_scope.reset();
        m_prompts.reset();
        m_dir.reset();
    }

    // --- Mode logic against the fake clock ---

    void openGivesStoppedAtTheStartWithTheLength()
    {
        auto player = FakePlayer(PatternWave());
        QCOMPARE(player->GetMode(), int(CWavePlayer::NotReady));
        QVERIFY(player->Open());
        QVERIFY(player->IsOpen());
        QVERIFY(player->IsStopped());
        QCOMPARE(player->GetMode(), int(CWavePlayer::Stopped));
        QCOMPARE(Ms(player->GetLength()), 1000u);
        QCOMPARE(Ms(player->GetPosition()), 0u);
        // The output opens only when playing starts.
        QVERIFY(!m_out.open);
    }

    void playReportsThePositionAsFramesAreDelivered()
    {
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        player->Play();
        QVERIFY(player->IsPlaying());
        QVERIFY(m_out.running);
        Advance(m_out, 100);
        player->Poll();
        QCOMPARE(m_reports.back(), 100u);
        const std::size_t count = m_reports.size();
        player->Poll(); // no change, no report
        QCOMPARE(m_reports.size(), count);
        Advance(m_out, 250);
        player->Poll();
        QCOMPARE(m_reports.back(), 350u);
        QCOMPARE(Ms(player->GetPosition()), 350u);
    }

    void pauseFreezesAndPauseAgainResumes()
    {
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        player->Play();
        Advance(m_out, 200);
        player->Pause();
        QVERIFY(player->IsPaused());
        QVERIFY(!player->IsPlaying());
        QCOMPARE(player->GetMode(), int(CWavePlayer::Paused));
        QVERIFY(!m_out.running);
        Advance(m_out, 300);
        player->Poll();
        QCOMPARE(Ms(player->GetPosition()), 200u);
        player->Pause();
        QVERIFY(player->IsPlaying());
        Advance(m_out, 100);
        player->Poll();
        QCOMPARE(Ms(player->GetPosition()), 300u);
        // What was heard runs on without a gap or a repeat.
        QCOMPARE(m_out.played, SamplesFrom(m_dir->File("p.wav"), 0).substr(0, 2400 * 4));
    }

    void seekKeepsPlayingOrPaused_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("while paused") << true;
        QTest::newRow("while playing") << false;
    }
    void seekKeepsPlayingOrPaused()
    {
        QFETCH(bool, paused);
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        player->Play();
        Advance(m_out, 100);
        if (paused)
            player->Pause();
        m_out.played.clear();
        player->Seek(At(500));
        // The new position is reported at once.
        QCOMPARE(m_reports.back(), 500u);
        QCOMPARE(Ms(player->GetPosition()), 500u);
        QCOMPARE(player->IsPaused(), paused);
        QCOMPARE(player->IsPlaying(), !paused);
        Advance(m_out, 100);
        QCOMPARE(Ms(player->GetPosition()), paused ? 500u : 600u);
        if (paused)
            player->Pause();
        Advance(m_out, 100);
        QCOMPARE(m_out.played.substr(0, 800 * 4), SamplesFrom(m_dir->File("p.wav"), 4000).substr(0, 800 * 4));
    }

    void stopReturnsToTheStart()
    {
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        player->Play();
        Advance(m_out, 300);
        QVERIFY(player->Stop());
        QVERIFY(player->IsStopped());
        QVERIFY(!m_out.running);
        QCOMPARE(Ms(player->GetPosition()), 0u);
        QCOMPARE(m_reports.back(), 0u);
        QVERIFY(player->Stop()); // already stopped
        player->Play();
        Advance(m_out, 100);
        QCOMPARE(m_out.played.substr(m_out.played.size() - 800 * 4), SamplesFrom(m_dir->File("p.wav"), 0).substr(0, 800 * 4));
    }

    void endOfFileStopsWithoutRewinding()
    {
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        player->Seek(At(900));
        player->Play();
        Advance(m_out, 250);
        player->Poll();
        // The pull that took the last samples does not end the play: an
        // output that regroups what it pulls into buffers of its own plays
        // them only when more follows. The next pull, all silence, does.
        QVERIFY(player->IsPlaying());
        QCOMPARE(Ms(player->GetPosition()), 1000u);
        Advance(m_out, 20);
        player->Poll();
        QVERIFY(player->IsStopped());
        QVERIFY(!m_out.running);
        QCOMPARE(Ms(player->GetPosition()), 1000u);
        QCOMPARE(m_reports.back(), 1000u);
        // After the file's last sample the output got silence.
        QCOMPARE(m_out.played.substr(0, 800 * 4), SamplesFrom(m_dir->File("p.wav"), 7200));
        QCOMPARE(m_out.played.substr(800 * 4), std::string((1200 + 160) * 4, '\0'));
        // Play from a seek back plays again.
        player->Seek(At(0));
        player->Play();
        QVERIFY(player->IsPlaying());
        Advance(m_out, 50);
        player->Poll();
        QCOMPARE(Ms(player->GetPosition()), 50u);
    }

    void seekPastTheEndStopsAtTheLength()
    {
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        player->Seek(At(5000));
        QCOMPARE(m_reports.back(), 1000u);
        QCOMPARE(Ms(player->GetPosition()), 1000u);
    }

    void positionsRoundTripThroughFrames_data()
    {
        QTest::addColumn<int>("rate");
        QTest::newRow("44100") << 44100;
        QTest::newRow("48000") << 48000;
        QTest::newRow("22050") << 22050;
        QTest::newRow("11025") << 11025;
    }
    void positionsRoundTripThroughFrames()
    {
        QFETCH(int, rate);
        const auto r = static_cast<std::uint32_t>(rate);
        auto player = FakePlayer(m_dir->Write("r.wav", PcmWave(1, r, 8, std::string(r * 2, '\x40'))));
        QVERIFY(player->Open());
        for (std::uint32_t ms : {1u, 13u, 333u, 999u, 1001u, 1999u}) {
            player->Seek(At(ms));
            QCOMPARE(Ms(player->GetPosition()), ms);
        }
    }

    void onlyTheLastListenerHears()
    {
        auto player = FakePlayer(PatternWave());
        QVERIFY(player->Open());
        std::vector<std::uint32_t> second;
        player->SetPositionListener([&second](const CCueTime& t) { second.push_back(Ms(t)); });
        const std::size_t before = m_reports.size();
        player->Seek(At(250));
        QCOMPARE(m_reports.size(), before);
        QCOMPARE(second, std::vector<std::uint32_t>{250});
    }

    void destructionClosesTheOutput()
    {
        {
            auto player = FakePlayer(PatternWave());
            QVERIFY(player->Open());
            player->Play();
            Advance(m_out, 100);
            player->Poll();
        }
        QVERIFY(!m_out.open);
        QCOMPARE(m_out.closes, 1);
        // Closing reports nothing: the listener may show another file by now.
        QCOMPARE(m_reports, std::vector<std::uint32_t>{100});
    }

    void formatsPlayAsTheirSamples_data()
    {
        QTest::addColumn<QByteArray>("fmt");
        QTest::addColumn<int>("blockAlign");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("widened");
        auto row = [](const char* name, const std::string& fmt, int align, int rate, SampleType type, bool widened) {
            QTest::newRow(name) << QByteArray::fromStdString(fmt) << align << rate << int(type) << widened;
        };
        row("8-bit mono", Fmt(1, 1, 8000, 8, 1), 1, 8000, SampleType::U8, false);
        row("16-bit stereo", Fmt(1, 2, 44100, 16, 4), 4, 44100, SampleType::S16, false);
        row("24-bit stereo", Fmt(1, 2, 48000, 24, 6), 6, 48000, SampleType::S32, true);
        row("32-bit mono", Fmt(1, 1, 22050, 32, 4), 4, 22050, SampleType::S32, false);
        row("float stereo", Fmt(3, 2, 44100, 32, 8), 8, 44100, SampleType::F32, false);
        row("6 channels", Fmt(1, 6, 48000, 16, 12), 12, 48000, SampleType::S16, false);
        row("extensible 24-bit", Extensible(1, 2, 96000, 24, 6), 6, 96000, SampleType::S32, true);
        row("extensible float", Extensible(3, 2, 48000, 32, 8), 8, 48000, SampleType::F32, false);
    }
    void formatsPlayAsTheirSamples()
    {
        QFETCH(QByteArray, fmt);
        QFETCH(int, blockAlign);
        QFETCH(int, rate);
        QFETCH(int, type);
        QFETCH(bool, widened);
        const std::string samples = Pattern(static_cast<std::size_t>(rate * blockAlign));
        const std::string path = m_dir->Write("f.wav", Wave(fmt.toStdString(), samples));
        auto player = FakePlayer(path);
        QVERIFY(player->Open());
        player->Seek(At(100));
        player->Play();
        Advance(m_out, 200);
        QCOMPARE(int(m_out.format.type), type);
        QCOMPARE(int(m_out.format.rate), rate);
        const std::size_t from = static_cast<std::size_t>(rate / 10 * blockAlign);
        const std::string heard = samples.substr(from, static_cast<std::size_t>(rate / 5 * blockAlign));
        QCOMPARE(m_out.played, widened ? Widened(heard) : heard);
        QVERIFY(m_prompts->Messages().empty());
    }

    void otherFormatsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("fmt");
        QTest::addColumn<QString>("reason");
        auto row = [](const char* name, const std::string& fmt, const std::string& reason) {
            QTest::newRow(name) << QByteArray::fromStdString(fmt) << QString::fromStdString(reason);
        };
        row("no channels", Fmt(1, 0, 44100, 16, 2), "it has no channels.");
        row("no rate", Fmt(1, 1, 0, 16, 2), "its sample rate is 0.");
        row("1 Hz", Fmt(1, 1, 1, 16, 2), "its sample rate of 1 Hz lies outside the 1,000 to 768,000 Hz of real audio.");
        row("999 Hz", Fmt(1, 2, 999, 16, 4),
            "its sample rate of 999 Hz lies outside the 1,000 to 768,000 Hz of real audio.");
        row("800 kHz", Fmt(1, 2, 800000, 16, 4),
            "its sample rate of 800,000 Hz lies outside the 1,000 to 768,000 Hz of real audio.");
        row("33 channels", Fmt(1, 33, 8000, 16, 66), "it has 33 channels; audio has at most 32.");
        row("extensible MP3", Extensible(0x55, 2, 44100, 16, 4), "its audio cannot be decoded.");
        row("extensible unknown", Fmt(0xFFFE, 2, 44100, 16, 4), "its audio is in a form Tracksmith does not know.");
    }
    void otherFormatsAreRefused()
    {
        QFETCH(QByteArray, fmt);
        QFETCH(QString, reason);
        const std::string path = m_dir->Write("x.wav", Wave(fmt.toStdString(), Pattern(4096)));
        auto player = FakePlayer(path);
        QVERIFY(!player->Open());
        QVERIFY(!player->IsOpen());
        QCOMPARE(player->GetMode(), int(CWavePlayer::NotReady));
        player->Play();
        QVERIFY(!m_out.open);
        QTRY_COMPARE(m_prompts->Messages().size(), 1u);
        QCOMPARE(LastMessage(), "Tracksmith: \"" + path + "\" cannot be played: " + reason.toStdString());
        QCOMPARE(m_prompts->Messages()[0].icon, PromptIcon::Information);
    }

    void aMissingFileIsReported()
    {
        const std::string path = m_dir->File("gone.wav");
        auto player = FakePlayer(path);
        QVERIFY(!player->Open());
        QTRY_COMPARE(m_prompts->Messages().size(), 1u);
        QCOMPARE(LastMessage(), "Tracksmith: \"" + path + "\" cannot be played: no such file.");
        QCOMPARE(player->FailureReason(), std::string("no such file"));
    }

    void unusualWavesPlayThroughTheDecoder_data()
    {
        QTest::addColumn<QByteArray>("fmt");
        auto row = [](const char* name, const std::string& fmt) { QTest::newRow(name) << QByteArray::fromStdString(fmt); };
        row("12-bit", Fmt(1, 1, 44100, 12, 2));
        row("64-bit float", Fmt(3, 1, 44100, 64, 8));
        row("padded frames", Fmt(1, 2, 44100, 16, 6));
        row("1,000 Hz", Fmt(1, 1, 1000, 16, 2));
    }
    void unusualWavesPlayThroughTheDecoder()
    {
        QFETCH(QByteArray, fmt);
        auto player = FakePlayer(m_dir->Write("u.wav", Wave(fmt.toStdString(), Pattern(4800))));
        QVERIFY(player->Open());
        player->Play();
        Advance(m_out, 100);
        player->Poll();
        QVERIFY(m_out.played.size() > 0);
        QVERIFY(m_prompts->Messages().empty());
    }

    void anOutputThatDoesNotOpenIsReported()
    {
        m_out.openError = "no audio device";
        const std::string path = PatternWave();
        auto player = FakePlayer(path);
        QVERIFY(player->Open());
        player->Play();
        QVERIFY(!player->IsPlaying());
        QVERIFY(player->IsStopped());
        QTRY_COMPARE(m_prompts->Messages().size(), 1u);
        QCOMPARE(LastMessage(),
                 "Tracksmith: \"" + path + "\" cannot be played: the sound output cannot be opened: no audio device");
    }

    void aFileCutShortWhilePlayingStopsWithAReport()
    {
        // Four seconds, and a seek past what the file's buffer may hold.
        const std::string path = m_dir->Write("cut.wav", PcmWave(2, 8000, 16, Pattern(4 * 8000 * 4)));
        auto player = FakePlayer(path);
        QVERIFY(player->Open());
        std::filesystem::resize_file(path, 44 + 400 * 4);
        player->Seek(At(2000));
        player->Play();
        Advance(m_out, 100);
        player->Poll();
        QVERIFY(player->IsStopped());
        QVERIFY(!m_out.running);
        QTRY_COMPARE(m_prompts->Messages().size(), 1u);
        QCOMPARE(LastMessage(), "Tracksmith: \"" + path + "\" cannot be read: the file ends before its sample data does.");
        QCOMPARE(m_out.played, std::string(m_out.played.size(), '\0'));
    }

    // --- Real time, through SDL's disk driver ---

    void diskPositionFollowsTheOutput()
    {
        const std::string path = SoxWave("clock.wav", "-r 44100 -c 2 -b 16", 3);
        QVERIFY2(!path.empty(), "sox is needed");
        // The position is what the output has taken of the file, so it is
        // checked against the player's own clock, not the wall clock: it
        // only moves on, the reports follow it in order while playing, and
        // the player stops by itself at the end of the file and stays there.
        m_reports.clear();
        CWavePlayer player(path);
        player.SetPositionListener([this](const CCueTime& t) { m_reports.push_back(Ms(t)); });
        QVERIFY(player.Open());
        player.Play();
        QVERIFY(player.IsPlaying());
        std::vector<std::uint32_t> polled;
        QVERIFY(QTest::qWaitFor(
            [&] {
                polled.push_back(Ms(player.GetPosition()));
                return player.IsStopped();
            },
            30000));
        QVERIFY(std::is_sorted(polled.begin(), polled.end()));
        QVERIFY(std::is_sorted(m_reports.begin(), m_reports.end()));
        // The reports come from the timer while the file plays, not only at
        // its start and end.
        QVERIFY(m_reports.size() >= 10);
        QCOMPARE(Ms(player.GetPosition()), Ms(player.GetLength()));
        QCOMPARE(m_reports.back(), Ms(player.GetLength()));
        QCOMPARE(Ms(player.GetLength()), 3000u);
        QVERIFY(m_prompts->Messages().empty());
    }

    void diskPauseFreezesAndResumes()
    {
        const std::string path = SoxWave("pause.wav", "-r 44100 -c 2 -b 16", 3);
        QVERIFY2(!path.empty(), "sox is needed");
        CWavePlayer player(path);
        QVERIFY(player.Open());
        player.Play();
        QTRY_VERIFY(Ms(player.GetPosition()) > 100);
        player.Pause();
        QVERIFY(player.IsPaused());
        const std::uint32_t frozen = Ms(player.GetPosition());
        QVERIFY(frozen > 100);
        QVERIFY(!QTest::qWaitFor([&] { return Ms(player.GetPosition()) != frozen; }, 200));
        player.Seek(At(2000));
        QVERIFY(player.IsPaused());
        QVERIFY(!QTest::qWaitFor([&] { return Ms(player.GetPosition()) != 2000u; }, 150));
        player.Pause();
        QVERIFY(player.IsPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(Ms(player.GetPosition()) > 2100, 2000);
        QVERIFY(player.Stop());
        QCOMPARE(Ms(player.GetPosition()), 0u);
        QVERIFY(!QTest::qWaitFor([&] { return Ms(player.GetPosition()) != 0u; }, 100));
    }

    void diskEndOfFileReportsStopped()
    {
        const std::string path = SoxWave("end.wav", "-r 22050 -c 1 -b 16", 0.4);
        QVERIFY2(!path.empty(), "sox is needed");
        CWavePlayer player(path);
        player.SetPositionListener([this](const CCueTime& t) { m_reports.push_back(Ms(t)); });
        QVERIFY(player.Open());
        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(player.IsStopped(), 5000);
        QCOMPARE(Ms(player.GetPosition()), 400u);
        QCOMPARE(m_reports.back(), 400u);
    }

    void diskOutputHoldsTheSamplesFromTheSeekPosition_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("widened");
        QTest::newRow("16-bit stereo 44100") << QStringLiteral("-r 44100 -c 2 -b 16") << false;
        QTest::newRow("8-bit mono 11025") << QStringLiteral("-r 11025 -c 1 -b 8 -e unsigned-integer") << false;
        QTest::newRow("24-bit mono 48000") << QStringLiteral("-r 48000 -c 1 -b 24") << true;
        QTest::newRow("32-bit stereo 32000") << QStringLiteral("-r 32000 -c 2 -b 32") << false;
        QTest::newRow("float stereo 44100") << QStringLiteral("-r 44100 -c 2 -b 32 -e floating-point") << false;
    }
    void diskOutputHoldsTheSamplesFromTheSeekPosition()
    {
        QFETCH(QString, format);
        QFETCH(bool, widened);
        const std::string path = SoxWave("pcm.wav", format.toStdString(), 0.6);
        QVERIFY2(!path.empty(), "sox is needed");
        std::uint32_t from = 0;
        {
            CWavePlayer player(path);
            QVERIFY(player.Open());
            // The frame at 250 ms, rounded up.
            from = static_cast<std::uint32_t>((250 * std::stoul(Soxi("-r", path)) + 999) / 1000);
            player.Seek(At(250));
            player.Play();
            QTRY_VERIFY_WITH_TIMEOUT(player.IsStopped(), 5000);
        } // closing the output flushes the driver's file
        const std::string expected =
            widened ? Widened(SamplesFrom(path, from)) : SamplesFrom(path, from);
        QVERIFY(expected.size() > 1000);
        const std::string played = ReadFileBytes(m_dir->File("played.raw"));
        const std::size_t start = played.find(expected.substr(0, 256));
        QVERIFY2(start != std::string::npos, "the samples from the seek position were not played");
        QVERIFY(played.substr(start, expected.size()) == expected);
        // Nothing of the file before the seek position was played.
        const std::string before = widened ? Widened(SamplesFrom(path, 0)) : SamplesFrom(path, 0);
        QCOMPARE(played.find(before.substr(0, 256)), std::string::npos);
    }

    void diskEveryFormatPlaysItsSamplesAfterSeekAndPause_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("encode");
        QTest::addColumn<bool>("decoded");
        auto row = [](const char* name, const char* file, const char* source, const char* encode, bool decoded) {
            QTest::newRow(name) << QString::fromLatin1(file) << QString::fromLatin1(source)
                                << QString::fromLatin1(encode) << decoded;
        };
        row("FLAC 16-bit", "a.flac", "-r 44100 -c 2 -b 16", "-c:a flac", true);
        row("FLAC 24-bit 96 kHz", "a.flac", "-r 96000 -c 2 -b 24", "-c:a flac", true);
        row("WavPack", "a.wv", "-r 44100 -c 2 -b 16", "-c:a wavpack", true);
        row("ALAC", "a.m4a", "-r 44100 -c 2 -b 16", "-c:a alac", true);
        row("AIFF", "a.aiff", "-r 48000 -c 2 -b 16", "-c:a pcm_s16be", true);
        row("WAV ADPCM", "a.wav", "-r 44100 -c 2 -b 16", "-c:a adpcm_ms", true);
        row("WAV A-law", "a.wav", "-r 8000 -c 1 -b 16", "-c:a pcm_alaw", true);
        row("WAV from a pipe", "a.wav", "-r 44100 -c 2 -b 16", "-c:a pcm_s16le -f wav pipe:1 >", true);
        row("WAV 16-bit", "a.wav", "-r 44100 -c 2 -b 16", "", false);
        row("MP3", "a.mp3", "-r 44100 -c 2 -b 16", "-c:a libmp3lame -b:a 192k", true);
        row("Ogg Vorbis", "a.ogg", "-r 44100 -c 2 -b 16", "-c:a libvorbis", true);
        row("Opus", "a.opus", "-r 48000 -c 2 -b 16", "-c:a libopus -b:a 192k", true);
    }
    void diskEveryFormatPlaysItsSamplesAfterSeekAndPause()
    {
        QFETCH(QString, file);
        QFETCH(QString, source);
        QFETCH(QString, encode);
        QFETCH(bool, decoded);
        const std::string wave = SoxWave("source.wav", source.toStdString(), 1.2);
        QVERIFY2(!wave.empty(), "sox is needed");
        const std::string path = m_dir->File(file.toStdString());
        if (encode.isEmpty()) {
            std::filesystem::rename(wave, path);
        } else {
            const std::string to = encode.endsWith(QLatin1Char('>')) ? " " : " -y ";
            QCOMPARE(Run("ffmpeg -v quiet -nostdin -i " + Quote(wave) + " " + encode.toStdString() + to + Quote(path)), 0);
        }
        bool lossy = false;
        std::string type;
        std::uint32_t rate = 0;
        std::size_t frameBytes = 0;
        {
            CWavePlayer player(path);
            QVERIFY(player.Open());
            QCOMPARE(player.IsDecoding(), decoded);
            QVERIFY(m_prompts->Messages().empty());
            CAudioDecoder probe;
            QVERIFY(probe.Open(path));
            lossy = !probe.IsLossless() && probe.CodecName() != "adpcm_ms";
            type = probe.OutputType() == SampleType::F32 ? "f32le" : probe.OutputType() == SampleType::S32 ? "s32le" : "s16le";
            rate = probe.SampleRate();
            frameBytes = probe.OutputFrameBytes();
            player.Seek(At(250));
            player.Play();
            QTRY_VERIFY(Ms(player.GetPosition()) >= 450);
            player.Pause();
            QVERIFY(player.IsPaused());
            const std::uint32_t paused = Ms(player.GetPosition());
            QVERIFY(!QTest::qWaitFor([&] { return Ms(player.GetPosition()) != paused; }, 100));
            player.Pause();
            QVERIFY(player.IsPlaying());
            QTRY_VERIFY_WITH_TIMEOUT(player.IsStopped(), 5000);
        } // closing the output flushes the driver's file
        std::string reference;
        QCOMPARE(Run("ffmpeg -v quiet -nostdin -i " + Quote(path) + " -f " + type + " -", &reference), 0);
        const std::size_t from = (250 * std::size_t{rate} + 999) / 1000 * frameBytes;
        QVERIFY(reference.size() > from + 4096);
        const std::string played = WithoutSilence(ReadFileBytes(m_dir->File("played.raw")), frameBytes);
        if (lossy) {
            // Within one codec frame of the seek, and exact once the
            // decoder's warm-up after the seek is over.
            const std::string later = reference.substr(from + 8192 * frameBytes / 4, 1024);
            QVERIFY2(played.find(later) != std::string::npos, "the samples after the seek were not played");
            QCOMPARE(played.find(reference.substr(0, 1024)), std::string::npos);
            return;
        }
        const std::string expected = reference.substr(from);
        const std::size_t start = played.find(expected.substr(0, 256));
        QVERIFY2(start != std::string::npos, "the samples from the seek position were not played");
        // Seek, pause and resume: every sample from the seek on, once, in order.
        QCOMPARE(played.size() - start, expected.size());
        QVERIFY(played.substr(start) == expected);
        QCOMPARE(start, std::size_t{0});
    }
};

QTEST_GUILESS_MAIN(TestWavePlayer)
#include "TestWavePlayer.moc"
