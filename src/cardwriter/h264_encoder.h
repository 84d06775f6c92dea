// H.264 encoding through libavcodec (libx264): constant frame rate, a key frame every
// gop frames, no B-frames (decode order is presentation order). Packets come out in the
// length-prefixed form that movies store, with the parameter sets in the "avcC" record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cardwriter/av_handles.h"

namespace quorva::cardwriter {

struct EncodedSample {
    std::vector<uint8_t> data;
    bool key = false;
};

struct H264Options {
    int width = 640;
    int height = 360;
    int rateNum = 30;  // frames per second as a fraction
    int rateDen = 1;
    int gop = 15;
    int crf = 23;
    int threads = 1;
    std::string preset = "ultrafast";
};

class H264Encoder {
  public:
    bool Open(const H264Options& options, std::string* error);
    // A writable YUV 4:2:0 picture of the encoder's size to paint the next frame into.
    AVFrame* Picture();
    // Encodes the painted picture; appends any finished samples.
    bool EncodePicture(std::vector<EncodedSample>& out, std::string* error);
    // Drains the encoder.
    bool Flush(std::vector<EncodedSample>& out, std::string* error);
    // The "avcC" payload (AVC decoder configuration record).
    const std::vector<uint8_t>& AvcC() const { return avcC_; }

  private:
    bool Drain(std::vector<EncodedSample>& out, std::string* error);

    CodecContextPtr ctx_;
    FramePtr frame_;
    PacketPtr packet_;
    std::vector<uint8_t> avcC_;
    int64_t nextPts_ = 0;
};

// NAL units of an Annex B byte stream (start-code delimited), without their start codes.
std::vector<std::vector<uint8_t>> SplitAnnexB(const uint8_t* data, size_t size);

}  // namespace quorva::cardwriter
