// One movie file opened with libavformat and its video (and, optionally, audio) stream
// decoded with libavcodec: reading frames in order, seeking to the key frame before a
// position, key-frames-only reading, and conversion of pictures to 32-bit pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "player/decoded_picture.h"
#include "player/frame_timeline.h"
#include "player/picture_converter.h"
#include "player/video_frame.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

namespace quorva {

struct MovieInfo {
    int width = 0;  // of the picture as shown (turned upright)
    int height = 0;
    int64_t frameCount = 0;  // video frames in the movie (whose data lies inside the file)
    double frameRate = 0.0;  // the video track's own frame rate (the mean one when it varies)
    double durationSec = 0.0;
    int rotation = 0;        // clockwise degrees the decoded picture is turned to be shown
    FrameTimeline timeline;  // where each frame starts
    bool hasAudio = false;
    int audioSampleRate = 0;
    int audioChannels = 0;
};

// Decoded audio handed on as interleaved signed 16-bit samples.
using AudioCallback = std::function<void(const int16_t* samples, int frames, int channels,
                                         int sampleRate, double mediaMs)>;

class FfmpegMovie {
  public:
    FfmpegMovie();
    ~FfmpegMovie();
    FfmpegMovie(const FfmpegMovie&) = delete;
    FfmpegMovie& operator=(const FfmpegMovie&) = delete;

    // Opens the file and the stream of its video track (the movie's own box reader decides
    // whether the movie can be shown, and gives its frames and their times); decodeThreads 0
    // chooses from the machine. withAudio also opens the first audio stream (a failure there
    // leaves the movie silent).
    bool Open(const std::string& path, int decodeThreads, bool withAudio, std::string* error);
    const MovieInfo& Info() const { return info_; }

    enum class ReadResult { kFrame, kEnd, kError };
    // Decodes up to the next video frame in presentation order; its position number is set.
    ReadResult NextFrame(int64_t* position, bool* keyFrame);
    // The frame last returned by NextFrame, converted to 32-bit pixels and turned upright;
    // null on failure.
    std::shared_ptr<VideoFrame> ConvertCurrent(FramePool& pool);
    // The frame last returned by NextFrame as the decoder gave it (a reference to its
    // planes, not converted), with its rotation; null when there is none.
    std::shared_ptr<DecodedPicture> TakeCurrent();

    // Moves the reader to the key frame at or before the position and empties the decoders.
    bool SeekToKeyFrameBefore(int64_t position);
    // Reads key frames only (the decoder skips every other picture).
    void SetKeyFramesOnly(bool on);
    bool KeyFramesOnly() const { return keyOnly_ && !resumeAtKey_; }
    // Reads every frame again from the next key frame on (the pictures in between would
    // lack what they are built on).
    void LeaveKeyFramesOnlyAtNextKey();

    void SetAudioCallback(AudioCallback callback) { audioCallback_ = std::move(callback); }
    void SetAudioEnabled(bool on) { audioEnabled_ = on; }

    // Frame index of a presentation time stamp of the video stream.
    int64_t PositionOfPts(int64_t pts) const;
    int64_t PtsOfPosition(int64_t position) const;

  private:
    bool OpenAudio(int streamIndex);
    void DecodeAudio(AVPacket* packet);
    void Close();

    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVFrame* audioFrame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwrContext* swr_ = nullptr;
    int videoIndex_ = -1;
    int audioIndex_ = -1;
    int64_t startPts_ = 0;
    double ptsPerFrame_ = 1.0;         // stream time-base units per frame (constant frame rate)
    double ptsPerTick_ = 1.0;          // stream time-base units per tick of the track's time scale
    std::vector<int64_t> frameTicks_;  // each frame's start in track ticks (variable rate)
    double ticksPerFrame_ = 1.0;       // the mean frame duration in track ticks
    bool keyOnly_ = false;
    bool resumeAtKey_ = false;
    bool audioEnabled_ = true;
    bool drained_ = false;  // end of file reached; the decoder is being drained
    int64_t lastPosition_ = -1;
    PictureConverter converter_;
    AudioCallback audioCallback_;
    std::vector<int16_t> audioBuffer_;
    MovieInfo info_;
};

}  // namespace quorva
