// The drive-data block, byte by byte: "CSMDAT", a 26-byte header, a big-endian 16-bit
// record count (0xFFFF: records run until the end tag), 124-byte ASCII records, "CSMEND".
// These functions decode single pieces from bounded buffers; they never read past the
// sizes they are given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "container/big_endian.h"
#include "container/drive_data_samples.h"

namespace quorva {

constexpr size_t kDriveDataTagSize = 6;      // "CSMDAT", "CSMEND"
constexpr size_t kDriveDataHeaderSize = 26;  // file offsets 6..31
constexpr size_t kDriveDataRecordSize = 124;
constexpr size_t kDriveDataRecordsOffset = 34;  // in the file
constexpr uint16_t kUncountedRecords = 0xFFFF;
constexpr float kSamplePeriodMs = 100.0f;
constexpr float kTimeLapseSamplePeriodMs = 66.666664f;

// 66.666664 ms for a time-lapse name ('T' at position 0 or 2 of the file name), else 100.
float SamplePeriodFor(std::string_view path);

// Decodes the header at data (the bytes after "CSMDAT"); follows chained headers. Returns
// 26 x the number of headers decoded, or -1 when fewer than 26 bytes are available.
int DecodeHeader(const uint8_t* data, size_t available, std::string_view drivePath,
                 DriveDataHeader& header);

// Remembers the last time field decoded, so that the records of one second are converted
// once. One per decoding run (not shared between threads).
struct RecordTimeCache {
    bool valid = false;
    uint8_t key[16] = {};
    SystemTime time;
};

// The GPS part (offsets 0..47) of record index i; rec points at 124 readable bytes.
GpsSample DecodeGpsPart(const uint8_t* rec, int32_t index, float periodMs,
                        RecordTimeCache* cache = nullptr);
// The G-sensor part (offsets 51..77, 122, 123) of record index i.
GSensorSample DecodeGSensorPart(const uint8_t* rec, int32_t index, float periodMs);
// Offsets 48..50: the voltage of the record before; -1 for three spaces.
int32_t DecodeVoltage(const uint8_t* rec);

// Calls fn(record, i) for each complete record of the block at data (the bytes after
// "CSMDAT"), in order: count records, or with a count of 0xFFFF the records before the end
// tag; records that do not fit in available are not read. Returns the number of records,
// or -1 when the header and count do not fit.
template <class Fn>
int ForEachRecord(const uint8_t* data, size_t available, Fn&& fn) {
    if (available < kDriveDataHeaderSize + 2) return -1;
    const uint16_t count = ReadBe16(data + kDriveDataHeaderSize);
    const uint8_t* first = data + kDriveDataHeaderSize + 2;
    const size_t room = (available - kDriveDataHeaderSize - 2) / kDriveDataRecordSize;
    const bool uncounted = count == kUncountedRecords;
    const size_t limit = uncounted ? room : (count < room ? count : room);
    size_t i = 0;
    for (; i < limit; ++i) {
        const uint8_t* rec = first + kDriveDataRecordSize * i;
        if (uncounted && rec[0] == 'C' && rec[1] == 'S' && rec[2] == 'M' && rec[3] == 'E' &&
            rec[4] == 'N' && rec[5] == 'D')
            break;
        fn(rec, static_cast<int32_t>(i));
    }
    return static_cast<int>(i);
}

// Local time of the twelve digits YYMMDDhhmmss at rec + 31 with the correction at rec + 44.
SystemTime DecodeRecordTime(const uint8_t* rec);
// The same instant as seconds since 1970 (UTC); -1 when the digits give no time.
int64_t RecordUnixTime(const uint8_t* rec);

// Bounded C-library style number parsing of a fixed-width ASCII field (stops at a NUL),
// independent of the process locale.
double FieldAtof(const uint8_t* field, size_t width);
int FieldAtoi(const uint8_t* field, size_t width);
bool FieldHasDigit(const uint8_t* field, size_t width);

}  // namespace quorva
