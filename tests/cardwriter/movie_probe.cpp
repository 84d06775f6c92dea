#include "movie_probe.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <set>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace quorva::cardwriter::test {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

uint32_t U32At(const std::vector<uint8_t>& f, uint64_t o) {
    if (o + 4 > f.size()) return 0;
    return (uint32_t{f[o]} << 24) | (uint32_t{f[o + 1]} << 16) | (uint32_t{f[o + 2]} << 8) |
           f[o + 3];
}

namespace {

const std::set<std::string> kContainers = {"moov", "trak", "edts", "mdia", "minf", "dinf", "stbl"};

bool Walk(const std::vector<uint8_t>& f, uint64_t begin, uint64_t end, std::vector<Box>& out) {
    uint64_t pos = begin;
    while (pos + 8 <= end) {
        Box b;
        b.offset = pos;
        b.size = U32At(f, pos);
        b.type.assign(reinterpret_cast<const char*>(f.data() + pos + 4), 4);
        if (b.size < 8 || pos + b.size > end) return false;
        if (kContainers.count(b.type) && !Walk(f, pos + 8, pos + b.size, b.children)) return false;
        out.push_back(std::move(b));
        pos += out.back().size;
    }
    return pos == end;
}

void Collect(const Box& b, const std::string& type, std::vector<const Box*>& out) {
    if (b.type == type) out.push_back(&b);
    for (const Box& c : b.children)
        Collect(c, type, out);
}

}  // namespace

const Box* Box::Find(const std::string& path) const {
    const Box* at = this;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find('/', start);
        const std::string name = path.substr(start, slash - start);
        const Box* next = nullptr;
        for (const Box& c : at->children)
            if (c.type == name) {
                next = &c;
                break;
            }
        if (!next) return nullptr;
        at = next;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return at;
}

std::vector<const Box*> Box::All(const std::string& type) const {
    std::vector<const Box*> out;
    Collect(*this, type, out);
    return out;
}

std::optional<Box> WalkBoxes(const std::vector<uint8_t>& file) {
    Box root;
    root.size = file.size();
    if (!Walk(file, 0, file.size(), root.children)) return std::nullopt;
    return root;
}

std::string Run(const std::string& command, int* status) {
    std::string out;
    if (std::FILE* p = popen(command.c_str(), "r")) {
        std::array<char, 4096> buf;
        size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
            out.append(buf.data(), n);
        const int rc = pclose(p);
        if (status) *status = rc;
    } else if (status) {
        *status = -1;
    }
    return out;
}

bool HaveFfmpeg() {
    int rc = -1;
    Run("ffprobe -version >/dev/null 2>&1 && ffmpeg -version >/dev/null 2>&1", &rc);
    return rc == 0;
}

std::string DecodeErrors(const std::string& path) {
    int rc = 0;
    std::string out = Run("ffmpeg -nostdin -v error -i '" + path + "' -f null - 2>&1", &rc);
    if (rc != 0 && out.empty()) out = "ffmpeg failed";
    return out;
}

std::string ProbeStream(const std::string& path, int index, const std::string& entry) {
    std::string out =
        Run("ffprobe -v error -select_streams " + std::to_string(index) +
            " -show_entries stream=" + entry + " -of default=nw=1:nk=1 '" + path + "' 2>/dev/null");
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

DecodedVideo DecodeStamps(const std::string& path) {
    DecodedVideo v;
    AVFormatContext* fmt = nullptr;
    if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0) {
        v.error = "cannot open";
        return v;
    }
    AVCodecContext* dec = nullptr;
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int stream = -1;
    auto receive = [&]() {
        while (avcodec_receive_frame(dec, frame) >= 0) {
            v.width = frame->width;
            v.height = frame->height;
            if (frame->key_frame) ++v.keyFrames;
            v.stamps.push_back(ReadFrameStamp(frame->data[0], frame->width, frame->height,
                                              frame->linesize[0], StampPixels::kGray8));
            av_frame_unref(frame);
        }
    };
    if (avformat_find_stream_info(fmt, nullptr) < 0 ||
        (stream = av_find_best_stream(fmt, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0)) < 0) {
        v.error = "no video stream";
    } else {
        const AVCodecParameters* par = fmt->streams[stream]->codecpar;
        const AVCodec* codec = avcodec_find_decoder(par->codec_id);
        dec = avcodec_alloc_context3(codec);
        if (!codec || avcodec_parameters_to_context(dec, par) < 0 ||
            avcodec_open2(dec, codec, nullptr) < 0) {
            v.error = "cannot open the decoder";
        } else {
            while (av_read_frame(fmt, pkt) >= 0) {
                if (pkt->stream_index == stream && avcodec_send_packet(dec, pkt) >= 0) receive();
                av_packet_unref(pkt);
            }
            avcodec_send_packet(dec, nullptr);
            receive();
        }
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&dec);
    avformat_close_input(&fmt);
    return v;
}

}  // namespace quorva::cardwriter::test
