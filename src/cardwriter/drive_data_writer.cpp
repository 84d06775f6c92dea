#include "cardwriter/drive_data_writer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace quorva::cardwriter {
namespace {

void Put(std::array<uint8_t, kDriveRecordSize>& rec, size_t offset, const std::string& text) {
    std::memcpy(rec.data() + offset, text.data(), text.size());
}

std::string Printf(const char* format, int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

}  // namespace

std::string DegreesMinutes(double degrees, int width) {
    degrees = std::fabs(degrees);
    int whole = static_cast<int>(degrees);
    // Minutes in ten-thousandths, rounded, carried into the degrees when they reach 60.
    long minutes = std::lround((degrees - whole) * 60.0 * 10000.0);
    if (minutes >= 600000) {
        minutes -= 600000;
        ++whole;
    }
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*d%02ld.%04ld", width - 7, whole, minutes / 10000,
                  minutes % 10000);
    return buf;
}

std::array<uint8_t, kDriveRecordSize> EncodeDriveRecord(const DriveRecord& r) {
    std::array<uint8_t, kDriveRecordSize> rec;
    rec.fill(' ');
    Put(rec, 0, "$GPS,");
    rec[5] = r.fix ? 'A' : 'V';
    if (r.positionKnown) {
        Put(rec, 6, DegreesMinutes(r.latitude, 9));
        rec[15] = r.latitude < 0 ? 0 : 'N';
        Put(rec, 16, DegreesMinutes(r.longitude, 10));
        rec[26] = r.longitude < 0 ? 0 : 'E';
    }
    if (r.speed >= 0) Put(rec, 27, Printf("%04d", std::min(r.speed, 9999)));
    Put(rec, 31, RecordTime(r.time));
    rec[43] = ',';
    if (r.timeCorrection == kNoTimeCorrection)
        rec[44] = '*';
    else
        Put(rec, 44, Printf("%+03d", std::clamp(r.timeCorrection, -99, 99)));
    rec[47] = ',';
    if (r.voltage >= 0) Put(rec, 48, Printf("%03d", std::min(r.voltage, 999)));
    Put(rec, 51, ",GSNS,");
    for (int i = 0; i < 3; ++i)
        Put(rec, 57 + 5 * i, Printf("%+05d", std::clamp(r.g[i], -9999, 9999)));
    if (r.manualMark) rec[72] = 'D';
    rec[73] = static_cast<uint8_t>(r.axis);
    if (r.emergencyMark) rec[75] = 'D';
    if (r.parkingMark) rec[76] = 'D';
    rec[122] = r.status;
    rec[123] = r.codes;
    return rec;
}

std::vector<uint8_t> BuildDriveDataBlock(const DriveDataFile& file) {
    std::vector<uint8_t> out;
    auto text = [&](const std::string& s) { out.insert(out.end(), s.begin(), s.end()); };
    text("CSMDAT");
    for (int v : file.header.values)
        text(Printf("%04d", std::clamp(v, 0, 9999)));
    out.push_back(static_cast<uint8_t>(file.header.mode));
    out.insert(out.end(), file.header.version, file.header.version + 6);
    out.push_back(static_cast<uint8_t>(file.header.a));
    out.push_back(static_cast<uint8_t>(file.header.b));
    out.push_back(' ');
    const int count = file.countOverride >= 0
                          ? std::min(file.countOverride, 0xFFFF)
                          : static_cast<int>(std::min<size_t>(file.records.size(), 0xFFFF));
    out.push_back(static_cast<uint8_t>(count >> 8));
    out.push_back(static_cast<uint8_t>(count));
    for (const DriveRecord& r : file.records) {
        const auto rec = EncodeDriveRecord(r);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    if (file.endTag) text("CSMEND");
    std::string trailer = file.trailer.substr(0, 6);
    if (!trailer.empty()) trailer.resize(6, ' ');
    text(trailer);
    return out;
}

bool WriteDriveDataFile(const std::string& path, const DriveDataFile& file, std::string* error) {
    const std::vector<uint8_t> block = BuildDriveDataBlock(file);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        if (error) *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(block.data(), 1, block.size(), f) == block.size();
    if (std::fclose(f) != 0 || !written) {
        if (error) *error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace quorva::cardwriter
