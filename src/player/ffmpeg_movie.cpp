#include "player/ffmpeg_movie.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <thread>

#include "container/video_track.h"

namespace quorva {

namespace {

std::string AvErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

double Rational(AVRational r) {
    return r.num > 0 && r.den > 0 ? av_q2d(r) : 0.0;
}

}  // namespace

FfmpegMovie::FfmpegMovie() = default;

FfmpegMovie::~FfmpegMovie() {
    Close();
}

void FfmpegMovie::Close() {
    swr_free(&swr_);
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    av_frame_free(&audioFrame_);
    avcodec_free_context(&video_);
    avcodec_free_context(&audio_);
    avformat_close_input(&format_);
    videoIndex_ = audioIndex_ = -1;
}

bool FfmpegMovie::Open(const std::string& path, int decodeThreads, bool withAudio,
                       std::string* error) {
    Close();
    info_ = {};
    frameTicks_.clear();
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        Close();
        return false;
    };
    // One rule for every reader of movies: what the box reader cannot show is refused.
    VideoTrack track;
    std::string why;
    if (!ReadMovieVideoTrack(path, track, &why)) return fail(why);

    int rc = avformat_open_input(&format_, path.c_str(), nullptr, nullptr);
    if (rc < 0) return fail("cannot open " + path + ": " + AvErrorText(rc));
    rc = avformat_find_stream_info(format_, nullptr);
    if (rc < 0) return fail("cannot read the streams: " + AvErrorText(rc));

    // The stream of the video track (the demuxer numbers streams by their track ids).
    videoIndex_ = -1;
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        const AVStream* candidate = format_->streams[i];
        if (candidate->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            static_cast<uint32_t>(candidate->id) == track.trackId) {
            videoIndex_ = static_cast<int>(i);
            break;
        }
    }
    if (videoIndex_ < 0)
        videoIndex_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoIndex_ < 0) return fail("no video track");
    AVStream* st = format_->streams[videoIndex_];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) return fail("no decoder for the video track");
    video_ = avcodec_alloc_context3(codec);
    if (!video_ || avcodec_parameters_to_context(video_, st->codecpar) < 0)
        return fail("cannot set up the video decoder");
    if (decodeThreads <= 0)
        decodeThreads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    video_->thread_count = decodeThreads;
    video_->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    video_->pkt_timebase = st->time_base;
    rc = avcodec_open2(video_, codec, nullptr);
    if (rc < 0) return fail("cannot open the video decoder: " + AvErrorText(rc));
    if (video_->width <= 0 || video_->height <= 0 || video_->width > kMaxPictureSide ||
        video_->height > kMaxPictureSide)
        return fail("unusable picture size");

    frame_ = av_frame_alloc();
    audioFrame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!frame_ || !audioFrame_ || !packet_) return fail("out of memory");

    info_.rotation = track.rotation;
    const bool sideways = track.rotation == 90 || track.rotation == 270;
    info_.width = sideways ? video_->height : video_->width;
    info_.height = sideways ? video_->width : video_->height;
    info_.frameCount = track.FrameCount();
    info_.frameRate = track.FramesPerSecond();
    info_.durationSec = track.Seconds();

    // Positions and time stamps: the frames' own times, counted from the stream's start.
    const double tb = Rational(st->time_base);
    ptsPerTick_ = tb > 0.0 ? 1.0 / (tb * track.timescale) : 1.0;
    startPts_ = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    if (track.ConstantRate() && info_.frameRate > 0.0) {
        info_.timeline = FrameTimeline::Constant(info_.frameCount, 1000.0 / info_.frameRate);
        ptsPerFrame_ = ptsPerTick_ * track.timescale / info_.frameRate;
    } else {
        info_.timeline = FrameTimeline::Listed(track.FrameTimesMs(), track.Seconds() * 1000.0);
        frameTicks_ = std::move(track.frameTimes);
        ticksPerFrame_ = info_.frameCount > 0 ? static_cast<double>(track.durationTicks) /
                                                    static_cast<double>(info_.frameCount)
                                              : 1.0;
        ptsPerFrame_ =
            info_.frameRate > 0.0 ? ptsPerTick_ * track.timescale / info_.frameRate : 1.0;
    }

    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        if (static_cast<int>(i) != videoIndex_) format_->streams[i]->discard = AVDISCARD_ALL;
    }
    if (withAudio) {
        const int a = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (a >= 0 && OpenAudio(a)) {
            format_->streams[a]->discard = AVDISCARD_DEFAULT;
            audioIndex_ = a;
            info_.hasAudio = true;
        }
    }
    return true;
}

bool FfmpegMovie::OpenAudio(int streamIndex) {
    AVStream* st = format_->streams[streamIndex];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) return false;
    audio_ = avcodec_alloc_context3(codec);
    if (!audio_ || avcodec_parameters_to_context(audio_, st->codecpar) < 0 ||
        avcodec_open2(audio_, codec, nullptr) < 0 || audio_->sample_rate <= 0 ||
        audio_->ch_layout.nb_channels <= 0) {
        avcodec_free_context(&audio_);
        return false;
    }
    const int outChannels = std::min(audio_->ch_layout.nb_channels, 2);
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, outChannels);
    if (swr_alloc_set_opts2(&swr_, &outLayout, AV_SAMPLE_FMT_S16, audio_->sample_rate,
                            &audio_->ch_layout, audio_->sample_fmt, audio_->sample_rate, 0,
                            nullptr) < 0 ||
        swr_init(swr_) < 0) {
        swr_free(&swr_);
        avcodec_free_context(&audio_);
        return false;
    }
    info_.audioSampleRate = audio_->sample_rate;
    info_.audioChannels = outChannels;
    return true;
}

int64_t FfmpegMovie::PositionOfPts(int64_t pts) const {
    if (frameTicks_.empty())
        return static_cast<int64_t>(std::llround((pts - startPts_) / ptsPerFrame_));
    // The frame whose start lies nearest.
    const double ticks = static_cast<double>(pts - startPts_) / ptsPerTick_;
    const auto after =
        std::lower_bound(frameTicks_.begin(), frameTicks_.end(), ticks,
                         [](int64_t t, double v) { return static_cast<double>(t) < v; });
    if (after == frameTicks_.begin()) return ticks < -0.5 * ticksPerFrame_ ? -1 : 0;
    if (after == frameTicks_.end()) {
        // Past the last frame's start by more than half a frame: no frame of the movie.
        const double last = static_cast<double>(frameTicks_.back());
        return ticks - last > 0.5 * ticksPerFrame_ ? static_cast<int64_t>(frameTicks_.size())
                                                   : static_cast<int64_t>(frameTicks_.size()) - 1;
    }
    const auto before = after - 1;
    const bool nearer = ticks - static_cast<double>(*before) <= static_cast<double>(*after) - ticks;
    return (nearer ? before : after) - frameTicks_.begin();
}

int64_t FfmpegMovie::PtsOfPosition(int64_t position) const {
    if (frameTicks_.empty())
        return startPts_ + static_cast<int64_t>(std::llround(position * ptsPerFrame_));
    const size_t i = static_cast<size_t>(
        std::clamp<int64_t>(position, 0, static_cast<int64_t>(frameTicks_.size()) - 1));
    return startPts_ +
           static_cast<int64_t>(std::llround(static_cast<double>(frameTicks_[i]) * ptsPerTick_));
}

void FfmpegMovie::LeaveKeyFramesOnlyAtNextKey() {
    if (keyOnly_) resumeAtKey_ = true;
}

void FfmpegMovie::SetKeyFramesOnly(bool on) {
    keyOnly_ = on;
    resumeAtKey_ = false;
    if (video_) video_->skip_frame = on ? AVDISCARD_NONKEY : AVDISCARD_DEFAULT;
}

FfmpegMovie::ReadResult FfmpegMovie::NextFrame(int64_t* position, bool* keyFrame) {
    if (!format_) return ReadResult::kError;
    for (;;) {
        int rc = avcodec_receive_frame(video_, frame_);
        if (rc == 0) {
            // Pictures the decoder had in hand when key-frames-only reading began.
            if (keyOnly_ && !frame_->key_frame) continue;
            int64_t pts = frame_->best_effort_timestamp;
            if (pts == AV_NOPTS_VALUE) pts = frame_->pts;
            const int64_t pos = pts == AV_NOPTS_VALUE ? lastPosition_ + 1 : PositionOfPts(pts);
            // A picture outside the movie's frames (from data the tables leave out, such as
            // a sample cut in half) is not shown.
            if (pos < 0 || pos >= info_.frameCount) continue;
            lastPosition_ = pos;
            if (position) *position = pos;
            if (keyFrame) *keyFrame = frame_->key_frame != 0;
            return ReadResult::kFrame;
        }
        if (rc == AVERROR_EOF) return ReadResult::kEnd;
        if (rc != AVERROR(EAGAIN)) return ReadResult::kError;
        if (drained_) return ReadResult::kEnd;

        rc = av_read_frame(format_, packet_);
        if (rc < 0) {
            drained_ = true;
            avcodec_send_packet(video_, nullptr);
            continue;
        }
        if (packet_->stream_index == videoIndex_) {
            if (resumeAtKey_ && (packet_->flags & AV_PKT_FLAG_KEY)) {
                keyOnly_ = resumeAtKey_ = false;
                video_->skip_frame = AVDISCARD_DEFAULT;
            }
            if (!keyOnly_ || (packet_->flags & AV_PKT_FLAG_KEY)) {
                // A packet the decoder refuses (damaged data) is skipped.
                avcodec_send_packet(video_, packet_);
            }
        } else if (packet_->stream_index == audioIndex_ && audioEnabled_ && audioCallback_) {
            DecodeAudio(packet_);
        }
        av_packet_unref(packet_);
    }
}

void FfmpegMovie::DecodeAudio(AVPacket* packet) {
    if (!audio_ || !swr_) return;
    if (avcodec_send_packet(audio_, packet) < 0) return;
    const AVRational tb = format_->streams[audioIndex_]->time_base;
    while (avcodec_receive_frame(audio_, audioFrame_) == 0) {
        const int outFrames = swr_get_out_samples(swr_, audioFrame_->nb_samples);
        if (outFrames <= 0) continue;
        audioBuffer_.resize(static_cast<size_t>(outFrames) * info_.audioChannels);
        uint8_t* out[1] = {reinterpret_cast<uint8_t*>(audioBuffer_.data())};
        const int got =
            swr_convert(swr_, out, outFrames, const_cast<const uint8_t**>(audioFrame_->data),
                        audioFrame_->nb_samples);
        if (got > 0) {
            const double ms =
                audioFrame_->pts == AV_NOPTS_VALUE ? -1.0 : audioFrame_->pts * av_q2d(tb) * 1000.0;
            audioCallback_(audioBuffer_.data(), got, info_.audioChannels, info_.audioSampleRate,
                           ms);
        }
    }
}

bool FfmpegMovie::SeekToKeyFrameBefore(int64_t position) {
    if (!format_) return false;
    const int64_t pts = PtsOfPosition(std::max<int64_t>(position, 0));
    int rc = av_seek_frame(format_, videoIndex_, pts, AVSEEK_FLAG_BACKWARD);
    if (rc < 0)
        rc = av_seek_frame(format_, videoIndex_, pts, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
    avcodec_flush_buffers(video_);
    if (audio_) avcodec_flush_buffers(audio_);
    drained_ = false;
    lastPosition_ = position - 1;
    return rc >= 0;
}

std::shared_ptr<VideoFrame> FfmpegMovie::ConvertCurrent(FramePool& pool) {
    auto out = converter_.Convert(*frame_, pool);
    if (!out) return nullptr;
    if (info_.rotation != 0) {
        out = TurnPicture(*out, info_.rotation, pool);
        if (!out) return nullptr;
    }
    out->keyFrame = frame_->key_frame != 0;
    return out;
}

std::shared_ptr<DecodedPicture> FfmpegMovie::TakeCurrent() {
    if (!frame_ || !frame_->buf[0]) return nullptr;
    AvFramePtr copy(av_frame_alloc());
    if (!copy) return nullptr;
    av_frame_move_ref(copy.get(), frame_);
    auto picture = std::make_shared<DecodedPicture>();
    picture->keyFrame = copy->key_frame != 0;
    picture->rotation = info_.rotation;
    picture->frame = std::move(copy);
    return picture;
}

}  // namespace quorva
