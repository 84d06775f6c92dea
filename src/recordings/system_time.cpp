#include "recordings/system_time.h"

#include <cstdio>

namespace quorva {

SystemTime LocalTimeFromUnix(int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    SystemTime st;
    if (!localtime_r(&t, &tm)) return st;
    st.year = static_cast<uint16_t>(tm.tm_year + 1900);
    st.month = static_cast<uint16_t>(tm.tm_mon + 1);
    st.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st.day = static_cast<uint16_t>(tm.tm_mday);
    st.hour = static_cast<uint16_t>(tm.tm_hour);
    st.minute = static_cast<uint16_t>(tm.tm_min);
    st.second = static_cast<uint16_t>(tm.tm_sec);
    return st;
}

int64_t MakeLocalUnix(int yearSince1900, int month0, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = yearSince1900;
    tm.tm_mon = month0;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = 0;
    std::time_t t = std::mktime(&tm);
    return t == static_cast<std::time_t>(-1) ? -1 : static_cast<int64_t>(t);
}

int64_t UnixFromLocalTime(const SystemTime& t) {
    return MakeLocalUnix(t.year - 1900, t.month - 1, t.day, t.hour, t.minute, t.second);
}

std::string FormatSystemTime(const SystemTime& t) {
    if (t.IsZero()) return "";
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

}  // namespace quorva
