#include "cardwriter/civil_time.h"

#include <cstdio>

namespace quorva::cardwriter {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

std::string Format(const char* format, int a, int b, int c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

}  // namespace

int64_t SecondsOf(const CivilTime& t) {
    return DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) *
               86400 +
           t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime CivilFromSeconds(int64_t seconds) {
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    CivilTime t;
    CivilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

CivilTime AddSeconds(const CivilTime& t, int64_t seconds) {
    return CivilFromSeconds(SecondsOf(t) + seconds);
}

std::string NameDate(const CivilTime& t) {
    return Format("%02d%02d%02d", t.year % 100, t.month, t.day);
}
std::string NameTime(const CivilTime& t) {
    return Format("%02d%02d%02d", t.hour, t.minute, t.second);
}
std::string RecordTime(const CivilTime& t) {
    return NameDate(t) + NameTime(t);
}
std::string OverlayTime(const CivilTime& t) {
    return Format("%04d/%02d/%02d", t.year, t.month, t.day) + " " +
           Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

}  // namespace quorva::cardwriter
