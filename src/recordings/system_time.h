// A calendar time with the eight fields of a SYSTEMTIME, and the conversions from the
// recorder's local date and time fields. Local time comes from the C library (TZ).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace quorva {

struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;      // 1..12
    uint16_t dayOfWeek = 0;  // 0 = Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    bool IsZero() const {
        return year == 0 && month == 0 && dayOfWeek == 0 && day == 0 && hour == 0 && minute == 0 &&
               second == 0 && milliseconds == 0;
    }
    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// The local calendar time of a count of seconds since 1970 (UTC).
SystemTime LocalTimeFromUnix(int64_t seconds);

// mktime of the given local fields with the daylight flag 0: year counts from 1900 and
// month from 0, as in struct tm. Out-of-range fields roll over as mktime normalises them.
// Returns -1 when mktime fails.
int64_t MakeLocalUnix(int yearSince1900, int month0, int day, int hour, int minute, int second);

// Seconds since 1970 of a local SystemTime (as mktime), -1 when it cannot be converted.
int64_t UnixFromLocalTime(const SystemTime& t);

// "YYYY-MM-DD hh:mm:ss"; "" for an all-zero time.
std::string FormatSystemTime(const SystemTime& t);

}  // namespace quorva
