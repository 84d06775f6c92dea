// Drive-data blocks as the recorder writes them: "CSMDAT", a 26-byte header, a big-endian
// record count, 124-byte ASCII records (one per 100 ms, or 66.666664 ms in time-lapse
// recordings), "CSMEND" and six characters (the GPS data version). The same bytes are
// the ".ADA" file and the payload of the movie's "udat" box.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cardwriter/civil_time.h"

namespace quorva::cardwriter {

constexpr size_t kDriveRecordSize = 124;
constexpr int kNoTimeCorrection = 1000;  // writes '*' (no correction)

// The values of one record, before encoding.
struct DriveRecord {
    bool fix = true;                         // status byte 'A', else 'V'
    bool positionKnown = true;               // false writes blanks for latitude and longitude
    double latitude = 35.681236;             // degrees, signed
    double longitude = 139.767125;           // degrees, signed
    int speed = 0;                           // km/h; -1 writes four blanks
    CivilTime time;                          // local date and time
    int timeCorrection = kNoTimeCorrection;  // seconds, -99..99
    int voltage = -1;                        // tenths of a volt, 0..999; -1 writes three blanks
    int g[3] = {0, 0, 0};                    // thousandths of G, -9999..9999
    char axis = ' ';                         // 'X', 'Y', 'Z' on records of a G event
    bool manualMark = false;                 // 'D' at offset 72
    bool emergencyMark = false;              // 'D' at offset 75
    bool parkingMark = false;                // 'D' at offset 76
    uint8_t status = 0;                      // byte 122
    uint8_t codes = 0;                       // byte 123 (two 4-bit codes)
};

struct DriveHeaderFields {
    int values[4] = {600, 600, 900, 1000};  // thousandths, 0..9999
    char mode = 'M';
    char version[6] = {'0', '1', '0', '5', '0', '2'};
    char a = 'J';
    char b = '1';
};

struct DriveDataFile {
    DriveHeaderFields header;
    std::vector<DriveRecord> records;
    // For malformed variants: the count written instead of the number of records
    // (0xFFFF: records run until the end tag), and whether the end tag is written.
    int countOverride = -1;
    bool endTag = true;
    std::string trailer = "240401";  // the six characters after the end tag; "" for none
};

std::array<uint8_t, kDriveRecordSize> EncodeDriveRecord(const DriveRecord& r);
// The latitude field "ddmm.mmmm" (9 characters) or longitude "dddmm.mmmm" (10) of |degrees|.
std::string DegreesMinutes(double degrees, int width);

std::vector<uint8_t> BuildDriveDataBlock(const DriveDataFile& file);
bool WriteDriveDataFile(const std::string& path, const DriveDataFile& file, std::string* error);

}  // namespace quorva::cardwriter
