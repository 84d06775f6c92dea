// The decoded parts of one drive-data record: a GPS sample and a G-sensor sample, and the
// decoded header of a drive-data block. Plain values.
#pragma once

#include <cstdint>

#include "recordings/system_time.h"

namespace quorva {

struct GSensorSample;

struct GpsSample {
    int32_t index = 0;     // record number in the file, from 0
    int32_t position = 0;  // record time in ms until the frame index is built, then frame number
    int32_t valid = 0;     // 1 when the status byte is 'A'
    const GSensorSample* linkedG = nullptr;  // set by the frame-index build
    double latitude = 720.0;   // degrees, signed; 720.0 when the field holds no digit
    double longitude = 720.0;  // degrees, signed; 720.0 when the field holds no digit
    double speed = 32767.0;    // km/h; 32767.0 when the field holds no digit
    double direction = 0.0;    // never decoded: always 0.0
    SystemTime time;           // local date and time; all zero when it cannot be converted
};

struct GSensorSample {
    int32_t index = 0;
    int32_t eventCode = -1;  // 6 (offset 75 'D'), 5 (offset 72 'D'), 7 (offset 76 'D'), else -1
    int32_t axis = 0;        // 1 X, 2 Y, 3 Z, else 0
    int32_t position = 0;    // as in GpsSample
    int32_t status = 0;      // record byte 122
    int32_t voltage = 0;     // tenths of a volt, from the next record; -1 absent; 0 for the last
    const GpsSample* linkedGps = nullptr;  // set by the frame-index build
    double g1 = 0.0;
    double g2 = 0.0;
    double g3 = 0.0;
    int32_t codeHigh = 0;  // high nibble of record byte 123
    int32_t codeLow = 0;   // low nibble of record byte 123
};

struct DriveDataHeader {
    float values[4] = {-1.0f, -1.0f, -1.0f, -1.0f};  // thousandths / 1000; -1 unless mode M or D
    char mode = 0;
    char version[6] = {};  // three two-digit decimals
    char a = 0;
    char b = 0;
    char timeLapse = 'N';  // 'T' when the file's name has T at position 0 or 2
};

}  // namespace quorva
