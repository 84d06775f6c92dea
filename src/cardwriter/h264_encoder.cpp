#include "cardwriter/h264_encoder.h"

#include <cstdio>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/opt.h>
}

namespace quorva::cardwriter {

std::string AvErrorText(int code) {
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buf, sizeof buf);
    return buf;
}

std::vector<std::vector<uint8_t>> SplitAnnexB(const uint8_t* data, size_t size) {
    std::vector<std::vector<uint8_t>> nals;
    size_t i = 0;
    auto startCodeAt = [&](size_t p) {
        return p + 3 <= size && data[p] == 0 && data[p + 1] == 0 && data[p + 2] == 1;
    };
    while (i < size && !startCodeAt(i))
        ++i;
    while (i < size) {
        i += 3;  // past 00 00 01
        size_t end = i;
        while (end < size && !startCodeAt(end))
            ++end;
        size_t nalEnd = end;
        // A four-byte start code leaves a zero byte before the next 00 00 01.
        while (nalEnd > i && end < size && data[nalEnd - 1] == 0)
            --nalEnd;
        if (nalEnd > i) nals.emplace_back(data + i, data + nalEnd);
        i = end;
    }
    return nals;
}

namespace {

bool SetError(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + AvErrorText(code);
    return false;
}

std::vector<uint8_t> BuildAvcC(const std::vector<uint8_t>& sps, const std::vector<uint8_t>& pps) {
    std::vector<uint8_t> r;
    r.push_back(1);       // configuration version
    r.push_back(sps[1]);  // profile
    r.push_back(sps[2]);  // profile compatibility
    r.push_back(sps[3]);  // level
    r.push_back(0xFF);    // four-byte NAL lengths
    r.push_back(0xE1);    // one SPS
    r.push_back(static_cast<uint8_t>(sps.size() >> 8));
    r.push_back(static_cast<uint8_t>(sps.size()));
    r.insert(r.end(), sps.begin(), sps.end());
    r.push_back(1);  // one PPS
    r.push_back(static_cast<uint8_t>(pps.size() >> 8));
    r.push_back(static_cast<uint8_t>(pps.size()));
    r.insert(r.end(), pps.begin(), pps.end());
    const int profile = sps[1];
    if (profile == 100 || profile == 110 || profile == 122 || profile == 144) {
        r.push_back(0xFC | 1);  // chroma format 4:2:0 (the only one we encode)
        r.push_back(0xF8 | 0);  // luma bit depth 8
        r.push_back(0xF8 | 0);  // chroma bit depth 8
        r.push_back(0);         // no SPS extensions
    }
    return r;
}

}  // namespace

bool H264Encoder::Open(const H264Options& o, std::string* error) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        if (error) *error = "libavcodec has no libx264 encoder";
        return false;
    }
    ctx_.reset(avcodec_alloc_context3(codec));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!ctx_ || !frame_ || !packet_) return SetError(error, "out of memory", AVERROR(ENOMEM));
    ctx_->width = o.width;
    ctx_->height = o.height;
    ctx_->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx_->time_base = AVRational{o.rateDen, o.rateNum};
    ctx_->framerate = AVRational{o.rateNum, o.rateDen};
    ctx_->gop_size = o.gop;
    ctx_->keyint_min = o.gop;
    ctx_->max_b_frames = 0;
    ctx_->thread_count = o.threads;
    ctx_->color_range = AVCOL_RANGE_MPEG;
    ctx_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(ctx_->priv_data, "preset", o.preset.c_str(), 0);
    av_opt_set(ctx_->priv_data, "tune", "zerolatency", 0);
    av_opt_set_double(ctx_->priv_data, "crf", o.crf, 0);
    // Key frames exactly every gop frames: no scene-cut key frames.
    av_opt_set(ctx_->priv_data, "x264-params", "scenecut=0:bframes=0", 0);
    if (int r = avcodec_open2(ctx_.get(), codec, nullptr); r < 0)
        return SetError(error, "cannot open the H.264 encoder", r);

    std::vector<uint8_t> sps, pps;
    for (auto& nal : SplitAnnexB(ctx_->extradata, static_cast<size_t>(ctx_->extradata_size))) {
        const int type = nal[0] & 0x1F;
        if (type == 7 && sps.empty() && nal.size() >= 4) sps = nal;
        if (type == 8 && pps.empty()) pps = nal;
    }
    if (sps.empty() || pps.empty()) {
        if (error) *error = "the H.264 encoder gave no parameter sets";
        return false;
    }
    avcC_ = BuildAvcC(sps, pps);

    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = o.width;
    frame_->height = o.height;
    if (int r = av_frame_get_buffer(frame_.get(), 0); r < 0)
        return SetError(error, "cannot allocate a picture", r);
    return true;
}

AVFrame* H264Encoder::Picture() {
    if (av_frame_make_writable(frame_.get()) < 0) return nullptr;
    return frame_.get();
}

bool H264Encoder::EncodePicture(std::vector<EncodedSample>& out, std::string* error) {
    frame_->pts = nextPts_++;
    frame_->pict_type = AV_PICTURE_TYPE_NONE;
    if (int r = avcodec_send_frame(ctx_.get(), frame_.get()); r < 0)
        return SetError(error, "H.264 encoding failed", r);
    return Drain(out, error);
}

bool H264Encoder::Flush(std::vector<EncodedSample>& out, std::string* error) {
    if (int r = avcodec_send_frame(ctx_.get(), nullptr); r < 0 && r != AVERROR_EOF)
        return SetError(error, "H.264 encoding failed", r);
    return Drain(out, error);
}

bool H264Encoder::Drain(std::vector<EncodedSample>& out, std::string* error) {
    for (;;) {
        const int r = avcodec_receive_packet(ctx_.get(), packet_.get());
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
        if (r < 0) return SetError(error, "H.264 encoding failed", r);
        EncodedSample s;
        s.key = (packet_->flags & AV_PKT_FLAG_KEY) != 0;
        for (auto& nal : SplitAnnexB(packet_->data, static_cast<size_t>(packet_->size))) {
            const int type = nal[0] & 0x1F;
            if (type == 7 || type == 8 || type == 9) continue;  // in "avcC"; no delimiters
            const uint32_t n = static_cast<uint32_t>(nal.size());
            const uint8_t len[4] = {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                                    static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)};
            s.data.insert(s.data.end(), len, len + 4);
            s.data.insert(s.data.end(), nal.begin(), nal.end());
        }
        av_packet_unref(packet_.get());
        out.push_back(std::move(s));
    }
}

}  // namespace quorva::cardwriter
