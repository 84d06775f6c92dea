#include "container/join_drive_data.h"

#include <cstring>

#include "container/big_endian.h"
#include "container/drive_data_block.h"
#include "platform/mapped_file.h"
#include "platform/output_file.h"

namespace quorva {

bool ReadJoinDriveData(const std::string& drivePath, JoinDriveData& out) {
    MappedFile file;
    if (!file.Open(drivePath)) return false;
    uint8_t head[kDriveDataRecordsOffset];
    if (file.Size() < sizeof head || !file.ReadAt(0, head, sizeof head) ||
        std::memcmp(head, "CSMDAT", 6) != 0)
        return false;
    JoinDriveData data;
    std::memcpy(data.header, head + 6, sizeof data.header);
    const uint16_t count = ReadBe16(head + 32);
    const uint64_t room = (file.Size() - kDriveDataRecordsOffset) / kDriveDataRecordSize;
    const bool uncounted = count == kUncountedRecords;
    const uint64_t wanted = uncounted ? room : std::min<uint64_t>(count, room);
    data.records.resize(static_cast<size_t>(wanted * kDriveDataRecordSize));
    if (wanted > 0 &&
        !file.ReadAt(kDriveDataRecordsOffset, data.records.data(), data.records.size()))
        return false;
    uint64_t n = wanted;
    if (uncounted) {
        for (n = 0; n < wanted; ++n) {
            if (std::memcmp(data.records.data() + n * kDriveDataRecordSize, "CSMEND", 6) == 0)
                break;
        }
        data.records.resize(static_cast<size_t>(n * kDriveDataRecordSize));
    }
    data.count = n;
    out = std::move(data);
    return true;
}

void AppendJoinDriveData(JoinDriveData& into, const JoinDriveData& more) {
    if (more.count == 0) return;
    into.records.insert(into.records.end(), more.records.begin(), more.records.end());
    const auto last = more.records.end() - static_cast<long>(kDriveDataRecordSize);
    for (int copy = 0; copy < 2; ++copy) {
        into.records.insert(into.records.end(), last,
                            last + static_cast<long>(kDriveDataRecordSize));
    }
    into.count += more.count + 2;
}

bool WriteDriveData(const std::string& path, const JoinDriveData& data, bool syncToDisk) {
    OutputFile out;
    if (!out.Create(path)) return false;
    uint8_t count16[2];
    WriteBe16(count16, data.count >= 65535 ? uint16_t{0xFFFF} : static_cast<uint16_t>(data.count));
    bool ok = out.Write("CSMDAT", 6) && out.Write(data.header, sizeof data.header) &&
              out.Write(count16, 2) && out.Write(data.records.data(), data.records.size()) &&
              out.Write("CSMEND", 6);
    if (ok && data.count >= 65535) {
        uint8_t count32[4];
        WriteBe32(count32, static_cast<uint32_t>(data.count));
        ok = out.Write(count32, 4);
    }
    if (ok && syncToDisk) ok = out.Sync();
    return out.Close() && ok;
}

}  // namespace quorva
