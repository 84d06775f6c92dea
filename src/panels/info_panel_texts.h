// The texts of the info panel: date and time at a playback position, speed, supply voltage and
// the G values, and the calendar arithmetic behind the date. Standard library only. A field
// without data gives no text (the panel then draws its placeholder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "recordings/system_time.h"

namespace quorva {

// Count of 100 ns units since 1601-01-01 00:00:00 of a calendar time taken as it stands (no
// time zone); nothing when a field is out of range or the year is before 1601 or after 30827.
std::optional<uint64_t> FileTimeFromSystemTime(const SystemTime& t);
// The calendar time of a count of 100 ns units since 1601 (day of week included); nothing
// beyond the year 30827.
std::optional<SystemTime> SystemTimeFromFileTime(uint64_t units);

// Time since the recording's start at a frame, in 100 ns units: position x frame duration,
// 15 times that for a time-lapse recording (one frame stands for 15 frames' time), rounded to
// the millisecond. 0 for a negative position or a frame duration that is not a positive number.
uint64_t ElapsedUnits(int position, float frameMs, bool timeLapse);

// "YYYY/MM/DD hh:mm:ss" of start + elapsed; a year of 2050 or later is shown 35 years earlier.
// Nothing for a negative position or a start time that does not convert.
std::optional<std::string> PanelDateTimeText(const SystemTime& start, int position, float frameMs,
                                             bool timeLapse);

// The speed number with its trailing space ("42 "), when the fix is valid, the speed is not
// negative and its rounded value is at most 999 km/h.
std::optional<std::string> SpeedNumberText(bool fixValid, double speed);

// The voltage in volts with one decimal ("12.5") of a count of tenths of a volt; nothing for
// a negative count (-1: absent).
std::optional<std::string> VoltageText(int tenths);

// A G value truncated toward zero to two decimals ("0.12G", "-0.12G"); nothing for -5.0 or less.
std::optional<std::string> GValueText(double g);

// The text the date placeholder carries and is sized from, and the G placeholder's text.
inline constexpr const char* kDatePlaceholderText = "0000/00/00 00:00:00";
inline constexpr const char* kGPlaceholderText = "-0.00G";

}  // namespace quorva
