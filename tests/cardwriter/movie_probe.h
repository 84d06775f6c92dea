// Test helpers: a plain box walker over a movie file, the ffprobe/ffmpeg oracle, and
// decoding every picture of a movie to read its frame stamp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cardwriter/frame_stamp.h"

namespace quorva::cardwriter::test {

std::vector<uint8_t> ReadAll(const std::string& path);

struct Box {
    std::string type;
    uint64_t offset = 0;  // of the box header
    uint64_t size = 0;    // including the header
    std::vector<Box> children;
    const Box* Find(const std::string& path) const;              // "trak/mdia/minf/stbl/stts"
    std::vector<const Box*> All(const std::string& type) const;  // pre-order
};

// Walks boxes by their sizes; descends into the usual containers. Empty on a box that
// runs past its parent.
std::optional<Box> WalkBoxes(const std::vector<uint8_t>& file);
uint32_t U32At(const std::vector<uint8_t>& file, uint64_t offset);

// Runs a shell command, returns its standard output and sets the exit status.
std::string Run(const std::string& command, int* status = nullptr);
bool HaveFfmpeg();
// Error lines of a full decode (empty when the movie decodes cleanly).
std::string DecodeErrors(const std::string& path);
// One ffprobe stream entry ("width", "nb_frames", "r_frame_rate", ...) of stream `index`.
std::string ProbeStream(const std::string& path, int index, const std::string& entry);

struct DecodedVideo {
    int width = 0;
    int height = 0;
    std::vector<std::optional<FrameStamp>> stamps;  // one per decoded picture
    int keyFrames = 0;
    std::string error;
};
// Decodes the first video stream with libavcodec and reads every picture's stamp.
DecodedVideo DecodeStamps(const std::string& path);

}  // namespace quorva::cardwriter::test
