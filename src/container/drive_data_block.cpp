#include "container/drive_data_block.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "recordings/recording_name.h"

namespace quorva {

namespace {

bool IsSpace(uint8_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

size_t FieldLength(const uint8_t* field, size_t width) {
    size_t n = 0;
    while (n < width && field[n] != 0)
        ++n;
    return n;
}

// A double that fits a float (so that the narrowing is defined), as the recorder's
// single-precision arithmetic expects.
float NarrowToFloat(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    if (v > kMax) return std::numeric_limits<float>::infinity();
    if (v < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

int TruncToInt(float v) {
    if (!(v > -2147483648.0f && v < 2147483648.0f)) return v > 0 ? INT32_MAX : INT32_MIN;
    return static_cast<int>(v);
}

double Coordinate(const uint8_t* field, size_t width, uint8_t signByte) {
    if (!FieldHasDigit(field, width)) return 720.0;
    const double v = FieldAtof(field, width);
    // ddmm.mmmm: whole degrees are the hundreds; the rest are minutes.
    if (!(std::fabs(v) < 2147483647.0)) return 720.0;
    const double degrees = static_cast<int>(v) / 100 + std::fmod(v, 100.0) / 60.0;
    return signByte == 0 ? -degrees : degrees;
}

}  // namespace

bool FieldHasDigit(const uint8_t* field, size_t width) {
    const size_t n = FieldLength(field, width);
    for (size_t i = 0; i < n; ++i)
        if (IsDigit(field[i])) return true;
    return false;
}

double FieldAtof(const uint8_t* field, size_t width) {
    const size_t n = FieldLength(field, width);
    size_t i = 0;
    while (i < n && IsSpace(field[i]))
        ++i;
    bool negate = false;
    if (i < n && (field[i] == '+' || field[i] == '-')) {
        negate = field[i] == '-';
        ++i;
    }
    const char* first = reinterpret_cast<const char*>(field + i);
    const char* last = reinterpret_cast<const char*>(field + n);
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Like strtod: too large gives infinity, too small gives zero.
        v = 0.0;
        for (const char* p = first; p < ptr; ++p) {
            if (*p == 'e' || *p == 'E') {
                v = (p + 1 < ptr && p[1] == '-') ? 0.0 : std::numeric_limits<double>::infinity();
                break;
            }
        }
    } else if (ec != std::errc()) {
        v = 0.0;
    }
    return negate ? -v : v;
}

int FieldAtoi(const uint8_t* field, size_t width) {
    const size_t n = FieldLength(field, width);
    size_t i = 0;
    while (i < n && IsSpace(field[i]))
        ++i;
    bool negate = false;
    if (i < n && (field[i] == '+' || field[i] == '-')) {
        negate = field[i] == '-';
        ++i;
    }
    long v = 0;
    for (; i < n && IsDigit(field[i]) && v < 100000000; ++i)
        v = v * 10 + (field[i] - '0');
    return static_cast<int>(negate ? -v : v);
}

float SamplePeriodFor(std::string_view path) {
    return IsTimeLapseName(path) ? kTimeLapseSamplePeriodMs : kSamplePeriodMs;
}

int DecodeHeader(const uint8_t* data, size_t available, std::string_view drivePath,
                 DriveDataHeader& header) {
    if (available < kDriveDataHeaderSize) return -1;
    int decoded = 0;
    size_t at = 0;
    for (;;) {
        const uint8_t* h = data + at;
        const bool valued = h[16] == 'M' || h[16] == 'D';
        for (int k = 0; k < 4; ++k)
            header.values[k] = valued ? NarrowToFloat(FieldAtof(h + 4 * k, 4)) / 1000.0f : -1.0f;
        header.mode = static_cast<char>(h[16]);
        std::memcpy(header.version, h + 17, 6);
        header.a = static_cast<char>(h[23]);
        header.b = static_cast<char>(h[24]);
        header.timeLapse = IsTimeLapseName(drivePath) ? 'T' : 'N';
        ++decoded;
        // A chained header: "@CS" and an upper-case letter at 30..33, the next header 34
        // bytes further on.
        if (at + 34 > available) break;
        const bool chained =
            h[30] == '@' && h[31] == 'C' && h[32] == 'S' && h[33] >= 'A' && h[33] <= 'Z';
        if (!chained || at + 34 + kDriveDataHeaderSize > available) break;
        at += 34;
    }
    return 26 * decoded;
}

int64_t RecordUnixTime(const uint8_t* rec) {
    const uint8_t* t = rec + 31;
    const int64_t base =
        MakeLocalUnix(FieldAtoi(t, 2) + 100, FieldAtoi(t + 2, 2) - 1, FieldAtoi(t + 4, 2),
                      FieldAtoi(t + 6, 2), FieldAtoi(t + 8, 2), FieldAtoi(t + 10, 2));
    if (base == -1) return -1;
    return rec[44] != '*' ? base + FieldAtoi(rec + 44, 3) : base;
}

SystemTime DecodeRecordTime(const uint8_t* rec) {
    const int64_t seconds = RecordUnixTime(rec);
    return LocalTimeFromUnix(seconds == -1 ? 0 : seconds);
}

GpsSample DecodeGpsPart(const uint8_t* rec, int32_t index, float periodMs, RecordTimeCache* cache) {
    GpsSample s;
    s.index = index;
    s.position = TruncToInt(static_cast<float>(index) * periodMs);
    s.valid = rec[5] == 'A' ? 1 : 0;
    s.speed = FieldHasDigit(rec + 27, 4) ? FieldAtof(rec + 27, 4) : 32767.0;
    s.latitude = Coordinate(rec + 6, 9, rec[15]);
    s.longitude = Coordinate(rec + 16, 10, rec[26]);
    if (cache) {
        // Key: the twelve time digits and the correction (offsets 31..46).
        if (cache->valid && std::memcmp(cache->key, rec + 31, 16) == 0) {
            s.time = cache->time;
        } else {
            s.time = DecodeRecordTime(rec);
            std::memcpy(cache->key, rec + 31, 16);
            cache->time = s.time;
            cache->valid = true;
        }
    } else {
        s.time = DecodeRecordTime(rec);
    }
    return s;
}

GSensorSample DecodeGSensorPart(const uint8_t* rec, int32_t index, float periodMs) {
    GSensorSample s;
    s.index = index;
    s.position = TruncToInt(static_cast<float>(index) * periodMs);
    if (rec[75] == 'D')
        s.eventCode = 6;
    else if (rec[72] == 'D')
        s.eventCode = 5;
    else if (rec[76] == 'D')
        s.eventCode = 7;
    else
        s.eventCode = -1;
    switch (rec[73]) {
        case 'X':
            s.axis = 1;
            break;
        case 'Y':
            s.axis = 2;
            break;
        case 'Z':
            s.axis = 3;
            break;
        default:
            s.axis = 0;
            break;
    }
    s.g1 = NarrowToFloat(FieldAtof(rec + 57, 5)) / 1000.0f;
    s.g2 = NarrowToFloat(FieldAtof(rec + 62, 5)) / 1000.0f;
    s.g3 = NarrowToFloat(FieldAtof(rec + 67, 5)) / 1000.0f;
    s.status = rec[122];
    s.codeHigh = rec[123] >> 4;
    s.codeLow = rec[123] & 0x0F;
    return s;
}

int32_t DecodeVoltage(const uint8_t* rec) {
    if (rec[48] == ' ' && rec[49] == ' ' && rec[50] == ' ') return -1;
    return FieldAtoi(rec + 48, 3);
}

}  // namespace quorva
