#include "model/CCueTime.h"
#include "platform/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ParseCase {
    const char* text;
    const char* shown;
    std::uint32_t minutes, seconds, frames;
};

class TimeParse : public testing::TestWithParam<ParseCase> {};

TEST_P(TimeParse, PartsAndText)
{
    const ParseCase& c = GetParam();
    const CCueTime t = CCueTime::Parse(c.text);
    EXPECT_EQ(t.Format(), TimeFormat::Msf);
    EXPECT_EQ(t.FramesPerSecond(), 75u);
    std::uint32_t m = 0, s = 0, f = 0;
    ASSERT_TRUE(t.ToMsf(75, m, s, f));
    EXPECT_EQ(m, c.minutes);
    EXPECT_EQ(s, c.seconds);
    EXPECT_EQ(f, c.frames);
    EXPECT_EQ(t.Text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Lenient, TimeParse, testing::Values(
    ParseCase{"1:2", "01:02:00", 1, 2, 0},
    ParseCase{"5", "05:00:00", 5, 0, 0},
    ParseCase{"", "00:00:00", 0, 0, 0},
    ParseCase{"3:75:80", "03:75:80", 3, 75, 80},
    ParseCase{"300:00:00", "300:00:00", 300, 0, 0},
    ParseCase{"9999:59:74", "9999:59:74", 9999, 59, 74},
    ParseCase{"02:05:74", "02:05:74", 2, 5, 74},
    ParseCase{" 7: +8 :9x", "07:08:09", 7, 8, 9},
    ParseCase{"-1:0:0", "00:00:00", 0, 0, 0},            // never wraps to a large time
    ParseCase{"999999:99:99", "65535:99:99", 65535, 99, 99}, // held at the field's largest
    ParseCase{"99999999999999999999:1:1", "65535:01:01", 65535, 1, 1},
    ParseCase{"a:b:c", "00:00:00", 0, 0, 0},
    ParseCase{"1:2:3:4", "01:02:03", 1, 2, 3},
    ParseCase{"::", "00:00:00", 0, 0, 0}));

// The strict reading every sheet line and every dialog uses: a time a
// sheet holds exactly, or the reason it is refused.
struct StrictCase {
    const char* text;
    const char* shown;   // empty when refused
    const char* problem; // the start of the reason
};

class TimeTryParse : public testing::TestWithParam<StrictCase> {};

TEST_P(TimeTryParse, KeepsOrRefuses)
{
    const StrictCase& c = GetParam();
    CCueTime t = CCueTime::FromMsf(1, 1, 1);
    std::string problem;
    const bool ok = CCueTime::TryParse(c.text, t, problem);
    EXPECT_EQ(ok, *c.shown != '\0') << c.text;
    if (ok) {
        EXPECT_EQ(t.Text(), c.shown);
        EXPECT_EQ(problem, "");
        // What is written reads back as the same time.
        CCueTime again;
        ASSERT_TRUE(CCueTime::TryParse(t.Text(), again, problem));
        EXPECT_EQ(CCueTime::Compare(again, t), 0);
        EXPECT_EQ(again.Text(), t.Text());
    } else {
        EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << problem;
        EXPECT_EQ(t.Text(), "01:01:01") << "a refused text leaves the time alone";
    }
    EXPECT_EQ(CCueTime::Problem(c.text), problem);
}

INSTANTIATE_TEST_SUITE_P(Strict, TimeTryParse, testing::Values(
    StrictCase{"00:00:00", "00:00:00", ""},
    StrictCase{"", "00:00:00", ""},
    StrictCase{"1:2", "01:02:00", ""},
    StrictCase{"255:00:00", "255:00:00", ""},
    StrictCase{"256:00:00", "256:00:00", ""},
    StrictCase{"300:00:00", "300:00:00", ""},
    StrictCase{"0300:00:00", "300:00:00", ""},
    StrictCase{"9999:59:74", "9999:59:74", ""},
    StrictCase{"10000:00:00", "", "Time past 9999:59:74"},
    StrictCase{"99999999999999999999:00:00", "", "Time past 9999:59:74"},
    StrictCase{"00:60:00", "", "Seconds past 59"},
    StrictCase{"01:300:00", "", "Seconds past 59"},
    StrictCase{"00:99:99", "", "Seconds past 59"},
    StrictCase{"00:00:75", "", "Frames past 74"},
    StrictCase{"-1:00:00", "", "Negative time"},
    StrictCase{"00:-1:00", "", "Invalid time"},
    StrictCase{"1:2:3:4", "", "Invalid time"},
    StrictCase{"00:02:00x", "", "Invalid time"},
    StrictCase{"a:b:c", "", "Invalid time"}));

TEST(CueTime, LongTimesSortAndCompareExactly)
{
    // Ten hours of chapters: every time past 255 minutes keeps its place.
    const CCueTime a = CCueTime::FromMsf(255, 59, 74);
    const CCueTime b = CCueTime::FromMsf(256, 0, 0);
    const CCueTime c = CCueTime::FromMsf(511, 0, 0);
    EXPECT_LT(CCueTime::Compare(a, b), 0);
    EXPECT_LT(CCueTime::Compare(b, c), 0);
    EXPECT_GT(CCueTime::Compare(c, CCueTime::FromMsf(255, 0, 0)), 0);
    EXPECT_EQ(CCueTime::Compare(CCueTime::FromMsf(600, 0, 0), CCueTime::FromMilliseconds(600u * 60000u)), 0);
    EXPECT_EQ(CCueTime::FromMsf(600, 0, 0).TotalFrames(), 600u * 60u * 75u);
    // The packed value keeps the low 8 bits of the minutes where they were.
    EXPECT_EQ(CCueTime::FromMsf(1, 2, 3).Value(), 0x030201u);
    EXPECT_NE(CCueTime::FromMsf(300, 0, 0).Value(), CCueTime::FromMsf(44, 0, 0).Value());
}

struct MsCase {
    CCueTime time;
    std::uint32_t ms;
};

class TimeToMs : public testing::TestWithParam<MsCase> {};

TEST_P(TimeToMs, Milliseconds)
{
    std::uint32_t ms = 1;
    EXPECT_TRUE(GetParam().time.ToMilliseconds(ms));
    EXPECT_EQ(ms, GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(Formats, TimeToMs, testing::Values(
    MsCase{CCueTime(), 0},
    MsCase{CCueTime::FromMsf(0, 0, 1), 13},        // 1000/75 truncates
    MsCase{CCueTime::FromMsf(0, 0, 74), 986},
    MsCase{CCueTime::FromMsf(1, 2, 3), 62040},
    MsCase{CCueTime::FromMsf(300, 0, 0), 300 * 60000},
    MsCase{CCueTime::FromMsf(9999, 59, 74), 9999 * 60000 + 59000 + 986},
    MsCase{CCueTime::FromSamples(44100, 2048), 1000},
    MsCase{CCueTime::FromSamples(22, 16), 1},       // 0.997 ms rounds up
    MsCase{CCueTime::FromSamples(11, 16), 0},       // 0.498 ms rounds down
    MsCase{CCueTime::FromMilliseconds(123456), 123456}));

TEST(CueTime, MillisecondsBackToMsf)
{
    struct { std::uint32_t ms; const char* text; } cases[] = {
        {13, "00:00:01"}, {986, "00:00:74"}, {2000, "00:02:00"},
        {100 * 60000, "100:00:00"}, {59999, "01:00:00"}, {59993, "00:59:74"}, {6, "00:00:00"}, {7, "00:00:01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CCueTime::FromMilliseconds(c.ms).Text(), c.text) << c.ms;
}

TEST(CueTime, SamplesConversions)
{
    CCueTime s;
    ASSERT_TRUE(CCueTime::FromMsf(0, 1, 0).ToSamples(2048, s));
    EXPECT_EQ(s.Format(), TimeFormat::Samples);
    EXPECT_EQ(s.Value(), 44100u);
    EXPECT_EQ(s.RateCode(), 2048u);
    // A samples value is returned unchanged, whatever code is asked for.
    CCueTime again;
    ASSERT_TRUE(s.ToSamples(16, again));
    EXPECT_EQ(again.Value(), 44100u);
    EXPECT_EQ(again.RateCode(), 2048u);
    EXPECT_EQ(CCueTime::FromSamples(44100 * 62 + 588 * 3, 512).Text(), "01:02:03");
}

TEST(CueTime, RateCodes)
{
    for (std::uint32_t code : {1u, 2u, 4u, 8u})
        EXPECT_EQ(CCueTime::RateOfCode(code), 11025u);
    for (std::uint32_t code : {16u, 32u, 64u, 128u})
        EXPECT_EQ(CCueTime::RateOfCode(code), 22050u);
    for (std::uint32_t code : {256u, 512u, 1024u, 2048u})
        EXPECT_EQ(CCueTime::RateOfCode(code), 44100u);
    for (std::uint32_t code : {0u, 3u, 4096u, 0xFFFFFFFFu})
        EXPECT_EQ(CCueTime::RateOfCode(code), 0u);
}

TEST(CueTime, CompareThroughMilliseconds)
{
    EXPECT_EQ(CCueTime::Compare(CCueTime::FromMsf(0, 2, 0), CCueTime::FromMilliseconds(2000)), 0);
    EXPECT_EQ(CCueTime::Compare(CCueTime::FromMsf(0, 0, 1), CCueTime::FromMilliseconds(14)), -1);
    EXPECT_EQ(CCueTime::Compare(CCueTime::FromMilliseconds(14), CCueTime::FromMsf(0, 0, 1)), 1);
    EXPECT_EQ(CCueTime::Compare(CCueTime(), CCueTime::FromMsf(0, 0, 0)), 0);
}

TEST(CueTime, ZeroFrameRateNeverDivides)
{
    std::uint32_t m = 9, s = 9, f = 9;
    EXPECT_FALSE(CCueTime::FromMilliseconds(5000).ToMsf(0, m, s, f));
    EXPECT_EQ(CCueTime::FromMsf(0, 1, 5, 0).Milliseconds(), 1000u);
}

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(ts::MulDiv(1, 1, 2), 1);
    EXPECT_EQ(ts::MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(ts::MulDiv(5, 1, 4), 1);
    EXPECT_EQ(ts::MulDiv(7, 1, 4), 2);
    EXPECT_EQ(ts::MulDiv(-7, 1, 4), -2);
    EXPECT_EQ(ts::MulDiv(7, -1, 4), -2);
    EXPECT_EQ(ts::MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(ts::MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(ts::MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(ts::MulDiv(3, 4, 0), -1);
}

} // namespace
