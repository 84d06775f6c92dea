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

bool WriteMovie(const std::string& path, const MovieRecipe& desc, std::string* error,
                MovieFacts* facts) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what;
        return false;
    };
    if (desc.width < 16 || desc.height < 16 || desc.width % 2 || desc.height % 2 ||
        desc.width > 4096 || desc.height > 2304)
        return fail("picture size must be even, from 16x16 to 4096x2304");
    if (desc.frames < 1 || desc.frames > kStampMaxFrame)
        return fail("frame count must be from 1 to " + std::to_string(kStampMaxFrame));
    if (desc.rate.num <= 0 || desc.rate.den <= 0 || desc.gop < 1)
        return fail("frame rate and key-frame interval must be positive");

    H264Options vo;
    vo.width = desc.width;
    vo.height = desc.height;
    vo.rateNum = desc.rate.num;
    vo.rateDen = desc.rate.den;
    vo.gop = desc.gop;
    vo.crf = desc.crf;
    vo.preset = desc.preset;
    vo.threads = desc.threads > 0 ? desc.threads : (desc.width * desc.height > 1280 * 720 ? 2 : 1);
    H264Encoder video;
    if (!video.Open(vo, error)) return false;

    // Sound no longer than the pictures, so that the movie's duration is the video's.
    AudioTrackData audio;
    if (desc.audio) {
        const int64_t samples =
            int64_t{desc.frames} * desc.rate.den * desc.audioRate / desc.rate.num;
        if (!EncodeTone(desc.audioRate, desc.audioChannels, static_cast<int>(samples / 1024), audio,
                        error))
            return false;
    }

    MovMuxer mux;
    if (!mux.Open(path, desc.quirks, error)) return false;
    MuxTrack vt;
    vt.kind = MuxTrack::Kind::kVideo;
    vt.timescale = desc.rate.timescale();
    vt.sampleDelta = desc.rate.frameDelta();
    vt.width = desc.width;
    vt.height = desc.height;
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

    ScenePainter painter(desc.width, desc.height, desc.camera, desc.seed);
    const char* cameraName = desc.camera == 0 ? "MAIN" : "SUB";
    size_t nextAudio = 0;
    int videoWritten = 0;
    // Writes the finished pictures, each followed by the sound that starts before the
    // next picture: samples lie in the media data in time order.
    auto emit = [&](std::vector<EncodedSample>& samples) {
        for (EncodedSample& s : samples) {
            if (!mux.WriteSample(videoTrack, s.data.data(), s.data.size(), s.key)) return false;
            ++videoWritten;
            while (audioTrack >= 0 && nextAudio < audio.packets.size() &&
                   int64_t(nextAudio) * audio.frameSize * desc.rate.num <
                       int64_t{videoWritten} * desc.rate.den * audio.sampleRate) {
                const auto& p = audio.packets[nextAudio++];
                if (!mux.WriteSample(audioTrack, p.data(), p.size(), true)) return false;
            }
        }
        samples.clear();
        return true;
    };

    std::vector<EncodedSample> samples;
    for (int i = 0; i < desc.frames; ++i) {
        AVFrame* picture = video.Picture();
        if (!picture) return fail("cannot get a picture buffer");
        YuvCanvas canvas;
        for (int p = 0; p < 3; ++p) {
            canvas.plane[p] = picture->data[p];
            canvas.stride[p] = picture->linesize[p];
        }
        canvas.width = desc.width;
        canvas.height = desc.height;
        SceneFrame scene;
        if (desc.scene) {
            scene = desc.scene(i);
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
    if (videoWritten != desc.frames) return fail("the encoder lost pictures");
    while (audioTrack >= 0 && nextAudio < audio.packets.size()) {
        const auto& p = audio.packets[nextAudio++];
        if (!mux.WriteSample(audioTrack, p.data(), p.size(), true))
            return fail("cannot write " + path);
    }
    if (!mux.Finish(desc.udat, desc.creationTime, error)) return false;

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
