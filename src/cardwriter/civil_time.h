// A local calendar time as the recorder writes it in names and drive-data records, with
// plain calendar arithmetic (no time zone: the recorder's clock is already local).
#pragma once

#include <cstdint>
#include <string>

namespace quorva::cardwriter {

struct CivilTime {
    int year = 2024;  // full year
    int month = 1;    // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// Seconds since 1970-01-01 00:00:00 of the calendar fields, as if they were UTC.
int64_t SecondsOf(const CivilTime& t);
CivilTime CivilFromSeconds(int64_t seconds);
CivilTime AddSeconds(const CivilTime& t, int64_t seconds);

// "YYMMDD" and "HHMMSS" as in recording names; "YYMMDDhhmmss" as in drive-data records.
std::string NameDate(const CivilTime& t);
std::string NameTime(const CivilTime& t);
std::string RecordTime(const CivilTime& t);
// "YYYY/MM/DD hh:mm:ss" for the picture overlay.
std::string OverlayTime(const CivilTime& t);

}  // namespace quorva::cardwriter
