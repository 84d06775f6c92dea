#include "panels/info_panel_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace quorva {

namespace {

constexpr int64_t kUnitsPerMs = 10000;
constexpr int64_t kUnitsPerSecond = 1000 * kUnitsPerMs;
constexpr int64_t kUnitsPerDay = 86400 * kUnitsPerSecond;

bool IsLeap(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int64_t y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

const int64_t kDays1601 = DaysFromCivil(1601, 1, 1);

}  // namespace

std::optional<uint64_t> FileTimeFromSystemTime(const SystemTime& t) {
    if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59 ||
        t.milliseconds > 999) {
        return std::nullopt;
    }
    const int64_t days = DaysFromCivil(t.year, t.month, t.day) - kDays1601;
    const int64_t units = days * kUnitsPerDay +
                          (t.hour * 3600 + t.minute * 60 + t.second) * kUnitsPerSecond +
                          t.milliseconds * kUnitsPerMs;
    return static_cast<uint64_t>(units);
}

std::optional<SystemTime> SystemTimeFromFileTime(uint64_t units) {
    const uint64_t days = units / kUnitsPerDay;
    uint64_t rest = units % kUnitsPerDay;
    int64_t y = 0;
    int m = 0;
    int d = 0;
    CivilFromDays(static_cast<int64_t>(days) + kDays1601, y, m, d);
    if (y > 30827) return std::nullopt;
    SystemTime t;
    t.year = static_cast<uint16_t>(y);
    t.month = static_cast<uint16_t>(m);
    t.day = static_cast<uint16_t>(d);
    t.dayOfWeek = static_cast<uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
    t.hour = static_cast<uint16_t>(rest / (3600 * kUnitsPerSecond));
    rest %= 3600 * kUnitsPerSecond;
    t.minute = static_cast<uint16_t>(rest / (60 * kUnitsPerSecond));
    rest %= 60 * kUnitsPerSecond;
    t.second = static_cast<uint16_t>(rest / kUnitsPerSecond);
    rest %= kUnitsPerSecond;
    t.milliseconds = static_cast<uint16_t>(rest / kUnitsPerMs);
    return t;
}

uint64_t ElapsedUnits(int position, float frameMs, bool timeLapse) {
    if (position < 0 || !std::isfinite(frameMs) || frameMs <= 0.0f) return 0;
    // Rounded to the millisecond, so that a frame duration such as 1000/30 held in single
    // precision does not show a frame boundary one second early.
    const double ms = std::round(static_cast<double>(position) * static_cast<double>(frameMs) *
                                 (timeLapse ? 15.0 : 1.0));
    const double limit = static_cast<double>(std::numeric_limits<int64_t>::max() / kUnitsPerMs);
    if (ms >= limit) return static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    return static_cast<uint64_t>(ms) * kUnitsPerMs;
}

std::optional<std::string> PanelDateTimeText(const SystemTime& start, int position, float frameMs,
                                             bool timeLapse) {
    if (position < 0) return std::nullopt;
    const std::optional<uint64_t> begin = FileTimeFromSystemTime(start);
    if (!begin) return std::nullopt;
    const uint64_t elapsed = ElapsedUnits(position, frameMs, timeLapse);
    if (elapsed > std::numeric_limits<uint64_t>::max() - *begin) return std::nullopt;
    const std::optional<SystemTime> t = SystemTimeFromFileTime(*begin + elapsed);
    if (!t || t->year == 0) return std::nullopt;
    const int year = t->year >= 2050 ? t->year - 35 : t->year;
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", year, t->month, t->day,
                  t->hour, t->minute, t->second);
    return std::string(text);
}

std::optional<std::string> SpeedNumberText(bool fixValid, double speed) {
    // The shown (rounded) number must fit three digits: 999.4 shows 999, 999.6 would be 1000.
    if (!fixValid || !(speed >= 0.0) || !(std::round(speed) <= 999.0)) return std::nullopt;
    char text[16];
    std::snprintf(text, sizeof text, "%.0f ", speed + 0.0);  // + 0.0: no "-0" for -0.0
    return std::string(text);
}

std::optional<std::string> VoltageText(int tenths) {
    if (tenths < 0) return std::nullopt;
    char text[24];
    std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
    return std::string(text);
}

std::optional<std::string> GValueText(double g) {
    if (!(g > -5.0)) return std::nullopt;
    if (!std::isfinite(g)) return std::nullopt;
    double hundredths = g * 100.0;
    // The samples hold thousandths decoded in single precision (0.29 arrives as
    // 0.2899999...): a product that lies within float noise of a whole number is that number.
    const double nearest = std::round(hundredths);
    if (std::fabs(hundredths - nearest) < 1e-4) hundredths = nearest;
    hundredths = std::clamp(hundredths, -1e9, 1e9);
    const double truncated = static_cast<double>(static_cast<int64_t>(hundredths)) / 100.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2fG", truncated + 0.0);
    return std::string(text);
}

}  // namespace quorva
