#include "panels/info_panel_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorva {
namespace {

SystemTime Time(int y, int mo, int d, int h, int mi, int s) {
    SystemTime t;
    t.year = static_cast<uint16_t>(y);
    t.month = static_cast<uint16_t>(mo);
    t.day = static_cast<uint16_t>(d);
    t.hour = static_cast<uint16_t>(h);
    t.minute = static_cast<uint16_t>(mi);
    t.second = static_cast<uint16_t>(s);
    return t;
}

TEST(InfoPanelTextsTest, FileTimeMatchesTheCalendar) {
    // 1970-01-01 lies 11644473600 s after 1601-01-01.
    EXPECT_EQ(FileTimeFromSystemTime(Time(1970, 1, 1, 0, 0, 0)), 116444736000000000ull);
    EXPECT_EQ(FileTimeFromSystemTime(Time(1601, 1, 1, 0, 0, 0)), 0ull);
    const auto back = SystemTimeFromFileTime(116444736000000000ull + 10000ull * 1234);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->year, 1970);
    EXPECT_EQ(back->dayOfWeek, 4);  // a Thursday
    EXPECT_EQ(back->second, 1);
    EXPECT_EQ(back->milliseconds, 234);
    for (const SystemTime& bad :
         {Time(0, 0, 0, 0, 0, 0), Time(2023, 13, 1, 0, 0, 0), Time(2023, 2, 29, 0, 0, 0),
          Time(2023, 1, 1, 24, 0, 0), Time(1600, 12, 31, 0, 0, 0)}) {
        EXPECT_FALSE(FileTimeFromSystemTime(bad)) << bad.year << "-" << bad.month;
    }
    EXPECT_TRUE(FileTimeFromSystemTime(Time(2024, 2, 29, 0, 0, 0)));
}

TEST(InfoPanelTextsTest, DateAndTimeAtAPosition) {
    const SystemTime start = Time(2023, 5, 1, 12, 34, 56);
    const float frame30 = 1000.0f / 30.0f;
    struct Case {
        SystemTime start;
        int position;
        bool timeLapse;
        const char* expected;
    };
    const Case cases[] = {
        {start, 0, false, "2023/05/01 12:34:56"},
        {start, 300, false, "2023/05/01 12:35:06"},
        {start, 29, false, "2023/05/01 12:34:56"},  // 966 ms: still the same second
        {start, 300, true, "2023/05/01 12:37:26"},  // 300 frames stand for 150 s
        {Time(2024, 2, 28, 23, 59, 59), 60, false, "2024/02/29 00:00:01"},
        {Time(2023, 12, 31, 23, 59, 59), 30, false, "2024/01/01 00:00:00"},
        {Time(2057, 5, 1, 8, 0, 0), 0, false, "2022/05/01 08:00:00"},
        {Time(2050, 1, 1, 0, 0, 0), 0, false, "2015/01/01 00:00:00"},
        {Time(2049, 12, 31, 23, 59, 59), 0, false, "2049/12/31 23:59:59"},
        {Time(2049, 12, 31, 23, 59, 59), 30, false, "2015/01/01 00:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelDateTimeText(c.start, c.position, frame30, c.timeLapse).value_or("none"),
                  c.expected)
            << c.position;
    }
    EXPECT_EQ(PanelDateTimeText(start, 300, 33.333f, true).value_or("none"),
              "2023/05/01 12:37:25");  // 149.9985 s: the second has not yet turned
    EXPECT_FALSE(PanelDateTimeText(start, -1, frame30, false));
    EXPECT_FALSE(PanelDateTimeText(SystemTime{}, 0, frame30, false));
    EXPECT_FALSE(PanelDateTimeText(Time(2023, 2, 30, 0, 0, 0), 0, frame30, false));
}

TEST(InfoPanelTextsTest, ElapsedTimeCountsFifteenTimesForTimeLapse) {
    EXPECT_EQ(ElapsedUnits(300, 1000.0f / 30.0f, false), 100000000ull);
    EXPECT_EQ(ElapsedUnits(300, 1000.0f / 30.0f, true), 1500000000ull);
    EXPECT_EQ(ElapsedUnits(300, 33.333f, true), 1499990000ull);  // 149999 ms, rounded
    EXPECT_EQ(ElapsedUnits(-5, 33.3f, false), 0ull);
    EXPECT_EQ(ElapsedUnits(10, 0.0f, false), 0ull);
    EXPECT_EQ(ElapsedUnits(10, std::numeric_limits<float>::quiet_NaN(), false), 0ull);
}

TEST(InfoPanelTextsTest, GValuesTruncateTowardZero) {
    const std::pair<double, const char*> cases[] = {
        {0.129, "0.12G"},
        {-0.129, "-0.12G"},
        {1.999, "1.99G"},
        {0.0, "0.00G"},
        {-0.004, "0.00G"},
        {-4.99, "-4.99G"},
        {2.5, "2.50G"},
        {-1.0, "-1.00G"},
        // Thousandths decoded in single precision keep their value.
        {static_cast<double>(0.29f), "0.29G"},
        {static_cast<double>(-0.57f), "-0.57G"},
        {static_cast<double>(1.01f), "1.01G"},
        {static_cast<double>(0.999f), "0.99G"},
    };
    for (auto [g, text] : cases)
        EXPECT_EQ(GValueText(g).value_or("none"), text) << g;
    EXPECT_FALSE(GValueText(-5.0));
    EXPECT_FALSE(GValueText(-7.0));
    EXPECT_FALSE(GValueText(std::nan("")));
}

TEST(InfoPanelTextsTest, SpeedShowsWithinZeroTo999WithAValidFix) {
    EXPECT_EQ(SpeedNumberText(true, 999.4).value_or("none"), "999 ");
    EXPECT_EQ(SpeedNumberText(true, 0.0).value_or("none"), "0 ");
    EXPECT_EQ(SpeedNumberText(true, -0.0).value_or("none"), "0 ");
    EXPECT_EQ(SpeedNumberText(true, 42.4).value_or("none"), "42 ");
    EXPECT_EQ(SpeedNumberText(true, 999.0).value_or("none"), "999 ");
    EXPECT_FALSE(SpeedNumberText(true, 999.6));
    EXPECT_FALSE(SpeedNumberText(true, -0.1));
    EXPECT_FALSE(SpeedNumberText(true, 32767.0));  // no digits in the record
    EXPECT_FALSE(SpeedNumberText(false, 42.0));
    EXPECT_FALSE(SpeedNumberText(true, std::nan("")));
}

TEST(InfoPanelTextsTest, VoltageInVoltsWithOneDecimal) {
    EXPECT_EQ(VoltageText(125).value_or("none"), "12.5");
    EXPECT_EQ(VoltageText(0).value_or("none"), "0.0");  // the last record
    EXPECT_EQ(VoltageText(999).value_or("none"), "99.9");
    EXPECT_FALSE(VoltageText(-1));
}

}  // namespace
}  // namespace quorva
