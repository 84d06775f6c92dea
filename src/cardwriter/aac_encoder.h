// AAC encoding through libavcodec's own "aac" encoder: a quiet tone, mono by default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorva::cardwriter {

struct AudioTrackData {
    int sampleRate = 48000;
    int channels = 1;
    int frameSize = 1024;  // samples per packet
    uint32_t bitRate = 64000;
    std::vector<uint8_t> config;  // AudioSpecificConfig
    std::vector<std::vector<uint8_t>> packets;
};

// Encodes at most maxPackets packets (each frameSize samples long) of a soft two-tone hum.
bool EncodeTone(int sampleRate, int channels, int maxPackets, AudioTrackData& out,
                std::string* error);

}  // namespace quorva::cardwriter
