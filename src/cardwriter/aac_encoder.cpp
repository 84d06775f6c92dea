#include "cardwriter/aac_encoder.h"

#include <cmath>

#include "cardwriter/av_handles.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace quorva::cardwriter {
namespace {

bool SetError(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + AvErrorText(code);
    return false;
}

}  // namespace

bool EncodeTone(int sampleRate, int channels, int maxPackets, AudioTrackData& out,
                std::string* error) {
    out = AudioTrackData{};
    out.sampleRate = sampleRate;
    out.channels = channels;
    if (maxPackets <= 0) return true;
    const AVCodec* codec = avcodec_find_encoder_by_name("aac");
    if (!codec) {
        if (error) *error = "libavcodec has no AAC encoder";
        return false;
    }
    CodecContextPtr ctx(avcodec_alloc_context3(codec));
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    if (!ctx || !frame || !packet) return SetError(error, "out of memory", AVERROR(ENOMEM));
    ctx->sample_rate = sampleRate;
    ctx->sample_fmt = AV_SAMPLE_FMT_FLTP;
    av_channel_layout_default(&ctx->ch_layout, channels);
    ctx->bit_rate = out.bitRate;
    ctx->time_base = AVRational{1, sampleRate};
    ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (int r = avcodec_open2(ctx.get(), codec, nullptr); r < 0)
        return SetError(error, "cannot open the AAC encoder", r);
    out.frameSize = ctx->frame_size;
    out.config.assign(ctx->extradata, ctx->extradata + ctx->extradata_size);

    frame->format = ctx->sample_fmt;
    frame->nb_samples = ctx->frame_size;
    frame->sample_rate = sampleRate;
    av_channel_layout_copy(&frame->ch_layout, &ctx->ch_layout);
    if (int r = av_frame_get_buffer(frame.get(), 0); r < 0)
        return SetError(error, "cannot allocate audio", r);

    auto drain = [&]() -> int {
        for (;;) {
            const int r = avcodec_receive_packet(ctx.get(), packet.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return 0;
            if (r < 0) return r;
            if (static_cast<int>(out.packets.size()) < maxPackets)
                out.packets.emplace_back(packet->data, packet->data + packet->size);
            av_packet_unref(packet.get());
        }
    };
    // The encoder's priming adds one packet: feed one frame fewer than the packets wanted.
    const int frames = maxPackets - 1;
    int64_t n = 0;
    for (int f = 0; f < frames; ++f) {
        if (int r = av_frame_make_writable(frame.get()); r < 0)
            return SetError(error, "AAC encoding failed", r);
        for (int i = 0; i < frame->nb_samples; ++i, ++n) {
            const double t = static_cast<double>(n) / sampleRate;
            // An engine-like hum with a faint tone above it, well below full scale.
            const float v = static_cast<float>(0.04 * std::sin(2 * M_PI * 110.0 * t) +
                                               0.015 * std::sin(2 * M_PI * 440.0 * t));
            for (int c = 0; c < channels; ++c)
                reinterpret_cast<float*>(frame->extended_data[c])[i] = v;
        }
        frame->pts = n - frame->nb_samples;
        if (int r = avcodec_send_frame(ctx.get(), frame.get()); r < 0)
            return SetError(error, "AAC encoding failed", r);
        if (int r = drain(); r < 0) return SetError(error, "AAC encoding failed", r);
    }
    if (int r = avcodec_send_frame(ctx.get(), nullptr); r < 0)
        return SetError(error, "AAC encoding failed", r);
    if (int r = drain(); r < 0) return SetError(error, "AAC encoding failed", r);
    return true;
}

}  // namespace quorva::cardwriter
