#include "cardwriter/movie_writer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cardwriter/aac_encoder.h"
#include "cardwriter/frame_stamp.h"
#include "cardwriter/h264_encoder.h"

namespace quorva::cardwriter {

uint32_t FrameRate::timescale() const {
    return 1000 % den == 0 ? static_cast<uint32_t>(num) * (1000 / den) : static_cast<uint32_t>(num);
}
uint32_t FrameRate::frameDelta() const {
    return 1000 % den == 0 ? 1000 : static_cast<uint32_t>(den);
}

bool ParseFrameRate(const std::string& text, FrameRate& rate) {
    const char* s = text.c_str();
    char* end = nullptr;
    if (const auto slash = text.find('/'); slash != std::string::npos) {
        const long num = std::strtol(s, &end, 10);
        if (end != s + slash) return false;
        const long den = std::strtol(s + slash + 1, &end, 10);
        if (*end || num <= 0 || den <= 0 || num > 1000000 || den > 1000000) return false;
        rate = {static_cast<int>(num), static_cast<int>(den)};
        return true;
    }
    const double v = std::strtod(s, &end);
    if (end == s || *end || !(v > 0.0) || v > 1000.0) return false;
    // Thousandths of a frame per second, reduced.
    int num = static_cast<int>(v * 1000 + 0.5), den = 1000;
    for (int d : {2, 5})
        while (num % d == 0 && den % d == 0) {
            num /= d;
            den /= d;
        }
    if (num <= 0) return false;
    rate = {num, den};
    return true;
}

uint32_t MovieTimeOf(int64_t unixSeconds) {
    return static_cast<uint32_t>(unixSeconds + 2082844800LL);
}

bool WriteMovie(const std::string& path, const MovieSpec& spec, std::string* error,
                MovieFacts* facts) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what;
        return false;
    };
    if (spec.width < 16 || spec.height < 16 || spec.width % 2 || spec.height % 2 ||
        spec.width > 4096 || spec.height > 2304)
        return fail("picture size must be even, from 16x16 to 4096x2304");
    if (spec.frames < 1 || spec.frames > kStampMaxFrame)
        return fail("frame count must be from 1 to " + std::to_string(kStampMaxFrame));
    if (spec.rate.num <= 0 || spec.rate.den <= 0 || spec.gop < 1)
        return fail("frame rate and key-frame interval must be positive");

    H264Options vo;
    vo.width = spec.width;
    vo.height = spec.height;
    vo.rateNum = spec.rate.num;
    vo.rateDen = spec.rate.den;
    vo.gop = spec.gop;
    vo.crf = spec.crf;
    vo.preset = spec.preset;
    vo.threads = spec.threads > 0 ? spec.threads : (spec.width * spec.height > 1280 * 720 ? 2 : 1);
    H264Encoder video;
    if (!video.Open(vo, error)) return false;

    // Sound no longer than the pictures, so that the movie's duration is the video's.
    AudioTrackData audio;
    if (spec.audio) {
        const int64_t samples =
            int64_t{spec.frames} * spec.rate.den * spec.audioRate / spec.rate.num;
        if (!EncodeTone(spec.audioRate, spec.audioChannels, static_cast<int>(samples / 1024), audio,
                        error))
            return false;
    }

    MovMuxer mux;
    if (!mux.Open(path, spec.quirks, error)) return false;
    MuxTrack vt;
    vt.kind = MuxTrack::Kind::kVideo;
    vt.timescale = spec.rate.timescale();
    vt.sampleDelta = spec.rate.frameDelta();
    vt.width = spec.width;
    vt.height = spec.height;
    vt.codecConfig = video.AvcC();
    const int videoTrack = mux.AddTrack(vt);
    int audioTrack = -1;
    if (!audio.packets.empty()) {
        MuxTrack at;
        at.kind = MuxTrack::Kind::kAudio;
        at.timescale = static_cast<uint32_t>(audio.sampleRate);
        at.sampleDelta = static_cast<uint32_t>(audio.frameSize);
        at.sampleRate = audio.sampleRate;
        at.channels = audio.channels;
        at.bitRate = audio.bitRate;
        at.codecConfig = audio.config;
        audioTrack = mux.AddTrack(at);
    }

    ScenePainter painter(spec.width, spec.height, spec.camera, spec.seed);
    const char* cameraName = spec.camera == 0 ? "MAIN" : "SUB";
    size_t nextAudio = 0;
    int videoWritten = 0;
    // Writes the finished pictures, each followed by the sound that starts before the
    // next picture: samples lie in the media data in time order.
    auto emit = [&](std::vector<EncodedSample>& samples) {
        for (EncodedSample& s : samples) {
            if (!mux.WriteSample(videoTrack, s.data.data(), s.data.size(), s.key)) return false;
            ++videoWritten;
            while (audioTrack >= 0 && nextAudio < audio.packets.size() &&
                   int64_t(nextAudio) * audio.frameSize * spec.rate.num <
                       int64_t{videoWritten} * spec.rate.den * audio.sampleRate) {
                const auto& p = audio.packets[nextAudio++];
                if (!mux.WriteSample(audioTrack, p.data(), p.size(), true)) return false;
            }
        }
        samples.clear();
        return true;
    };

    std::vector<EncodedSample> samples;
    for (int i = 0; i < spec.frames; ++i) {
        AVFrame* picture = video.Picture();
        if (!picture) return fail("cannot get a picture buffer");
        YuvCanvas canvas;
        for (int p = 0; p < 3; ++p) {
            canvas.plane[p] = picture->data[p];
            canvas.stride[p] = picture->linesize[p];
        }
        canvas.width = spec.width;
        canvas.height = spec.height;
        SceneFrame scene;
        if (spec.scene) {
            scene = spec.scene(i);
        } else {
            char caption[32];
            std::snprintf(caption, sizeof caption, "%s #%06d", cameraName, i);
            scene.caption = caption;
            scene.distance = i * 0.45;
        }
        painter.Paint(canvas, i, scene);
        if (!video.EncodePicture(samples, error)) return false;
        if (!emit(samples)) return fail("cannot write " + path);
    }
    if (!video.Flush(samples, error)) return false;
    if (!emit(samples)) return fail("cannot write " + path);
    if (videoWritten != spec.frames) return fail("the encoder lost pictures");
    while (audioTrack >= 0 && nextAudio < audio.packets.size()) {
        const auto& p = audio.packets[nextAudio++];
        if (!mux.WriteSample(audioTrack, p.data(), p.size(), true))
            return fail("cannot write " + path);
    }
    if (!mux.Finish(spec.udat, spec.creationTime, error)) return false;

    if (facts) {
        const MuxTrack& t = mux.tracks()[static_cast<size_t>(videoTrack)];
        facts->frames = static_cast<int>(t.sizes.size());
        facts->keyFrames = static_cast<int>(t.syncSamples.size());
        facts->audioPackets =
            audioTrack >= 0
                ? static_cast<int>(mux.tracks()[static_cast<size_t>(audioTrack)].sizes.size())
                : 0;
        facts->timescale = t.timescale;
        facts->frameDelta = t.sampleDelta;
        std::error_code ec;
        facts->bytes = std::filesystem::file_size(path, ec);
    }
    return true;
}

}  // namespace quorva::cardwriter
