// Writes a picture (32-bit pixels at its native size) as a JPEG file.
#pragma once

#include <string>

#include "player/video_frame.h"

namespace quorva {

constexpr int kSnapshotJpegQuality = 92;

bool WriteJpeg(const VideoFrame& picture, const std::string& path,
               int quality = kSnapshotJpegQuality);
bool WritePng(const VideoFrame& picture, const std::string& path);

}  // namespace quorva
