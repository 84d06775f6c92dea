// Fuzzes the drive-data decoder (block, header, records), the frame index and links, the
// join's drive-data reader and writer, and the header and trailer reads.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "container/drive_data_block.h"
#include "container/drive_data_store.h"
#include "container/join_drive_data.h"
#include "fuzz_files.h"

using namespace quorva;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    // The first bytes choose the name (time-lapse or not), the frame duration and count.
    const bool timeLapse = data[0] & 1;
    const float frameMs = static_cast<float>(data[1]) * 0.5f;
    const uint64_t frames = static_cast<uint64_t>(data[2]) * 7;
    data += 3;
    size -= 3;
    const std::string folder = fuzz::ScratchFolder();
    const std::string name = timeLapse ? "T___-240131-083015-000123" : "A___-240131-083015-000123";
    const std::string drivePath = folder + "/" + name + "D.ADA";
    const std::string moviePath = folder + "/" + name + "M.MOV";

    // Straight from memory.
    {
        DriveDataStore store;
        store.SetPath(drivePath);
        const int n = store.DecodeBlock(data, size);
        if (n >= 0) {
            Check(store.Gps().size() == static_cast<size_t>(n) &&
                      store.GSensor().size() == static_cast<size_t>(n),
                  "one GPS and one G sample per record");
            store.SetFrameDuration(frameMs);
            if (store.BuildFrameIndex(frames)) {
                const auto& g = store.GSensor();
                const auto& gps = store.Gps();
                Check(store.FrameIndex().size() == frames, "one entry per frame");
                for (const GSensorSample* s : store.FrameIndex())
                    Check(s >= g.data() && s < g.data() + g.size(),
                          "frame index inside the samples");
                for (const GSensorSample& s : g)
                    Check(s.linkedGps >= gps.data() && s.linkedGps < gps.data() + gps.size(),
                          "linked GPS sample inside the samples");
            }
        }
    }

    // Through the file: load, header and trailer, and the join's read-write round trip.
    fuzz::WriteScratch(drivePath, data, size);
    DriveDataStore loaded;
    if (loaded.Load(drivePath)) Check(loaded.IsLoaded(), "loaded");
    DriveDataHeader header;
    ReadHeader(moviePath, header);
    uint8_t trailer[8];
    ReadTrailer(moviePath, trailer);
    JoinDriveData joined;
    if (ReadJoinDriveData(drivePath, joined)) {
        Check(joined.records.size() == joined.count * kDriveDataRecordSize, "record bytes");
        JoinDriveData more = joined;
        AppendJoinDriveData(joined, more);
        const std::string written = folder + "/joined.ADA";
        if (WriteDriveData(written, joined)) {
            JoinDriveData back;
            Check(ReadJoinDriveData(written, back), "a written drive-data file reads back");
            // Records that hold the end tag at their start end an uncounted read early.
            Check(back.count <= joined.count, "no records appear");
        }
    }
    return 0;
}
