// A decoded picture as the decoder gave it (its own planes, held by reference, not yet
// converted), with its position number and media time. The presenter converts only the
// pictures it shows, at the size they are shown; a read-back converts at the native size.
#pragma once

#include <cstdint>
#include <memory>

struct AVFrame;

namespace quorva {

struct AvFrameFree {
    void operator()(AVFrame* frame) const;
};
using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFree>;

struct DecodedPicture {
    AvFramePtr frame;      // a reference to the decoder's picture
    int64_t position = 0;  // position number (frame index from 0)
    double mediaMs = 0.0;  // where the frame starts
    bool keyFrame = false;
    uint64_t serial = 0;  // seek generation the frame was decoded for
    int rotation = 0;     // clockwise degrees it is turned to be shown
};

using DecodedPtr = std::shared_ptr<const DecodedPicture>;

}  // namespace quorva
