// Muxes encoded samples into a movie in the recorder's layout: "ftyp", "mdat" with the
// samples in time order, then "moov" (movie header, one "trak" per track, the "udat" box
// with the drive-data block). Every track has one time-to-sample entry and one sample per
// chunk. The media data is streamed to the file; only the sample tables stay in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace quorva::cardwriter {

struct MuxTrack {
    enum class Kind { kVideo, kAudio };
    Kind kind = Kind::kVideo;
    uint32_t timescale = 30000;   // media time units per second
    uint32_t sampleDelta = 1000;  // constant duration of every sample, in media units
    // Video: picture size and the "avcC" payload.
    int width = 0;
    int height = 0;
    // Audio: sample rate, channel count and the AudioSpecificConfig.
    int sampleRate = 0;
    int channels = 0;
    uint32_t bitRate = 0;
    std::vector<uint8_t> codecConfig;

    // Filled while the samples are written.
    std::vector<uint32_t> sizes;
    std::vector<uint64_t> offsets;      // file offsets of the samples
    std::vector<uint32_t> syncSamples;  // 1-based numbers of the key frames (video)
};

// Ways to write a movie that is not quite the recorder's, for robustness tests.
struct MovieQuirks {
    bool wideBox = false;            // an 8-byte "wide" box after "ftyp", as common tools write
    bool splitTimeToSample = false;  // the video "stts" as two entries of the same duration
    bool moovBeforeMdat = false;     // "moov" ahead of the media data
    int64_t truncateTo = -1;         // cut the file to this many bytes (-1: keep it whole)
};

class MovMuxer {
  public:
    MovMuxer() = default;
    ~MovMuxer();
    MovMuxer(const MovMuxer&) = delete;
    MovMuxer& operator=(const MovMuxer&) = delete;

    // Creates the file and writes "ftyp" and the media data header.
    bool Open(const std::string& path, const MovieQuirks& quirks, std::string* error);
    // Adds a track; returns its index. Tracks appear in "moov" in this order.
    int AddTrack(const MuxTrack& track);
    // Appends one sample of a track to the media data.
    bool WriteSample(int track, const uint8_t* data, size_t size, bool key);
    // Patches the media data size, writes "moov" (with "udat" when udat is not empty),
    // applies the quirks and closes the file. creationTime is in seconds since 1904.
    bool Finish(const std::vector<uint8_t>& udat, uint32_t creationTime, std::string* error);

    const std::vector<MuxTrack>& tracks() const { return tracks_; }

  private:
    bool Fail(std::string* error, const std::string& what);

    std::FILE* file_ = nullptr;
    std::string path_;
    MovieQuirks quirks_;
    std::vector<MuxTrack> tracks_;
    uint64_t mdatStart_ = 0;  // offset of the "mdat" box header
    uint64_t position_ = 0;
    bool failed_ = false;
};

// The "moov" box of the given tracks (exposed for tests of the box layout).
std::vector<uint8_t> BuildMoov(const std::vector<MuxTrack>& tracks,
                               const std::vector<uint8_t>& udat, uint32_t creationTime,
                               bool splitTimeToSample);

}  // namespace quorva::cardwriter
