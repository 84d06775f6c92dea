#include "cardwriter/mov_muxer.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cardwriter/box_writer.h"

namespace quorva::cardwriter {
namespace {

// "qt  " brand, minor version and one compatible brand: 20 bytes, so that the media data
// starts at the same offset in every movie.
std::vector<uint8_t> BuildFtyp(bool wideBox) {
    BoxWriter w;
    w.Begin("ftyp");
    w.FourCC("qt  ");
    w.U32(0x00000200);
    w.FourCC("qt  ");
    w.End();
    if (wideBox) {
        w.Begin("wide");
        w.End();
    }
    return std::move(w.bytes());
}

uint64_t MediaDuration(const MuxTrack& t) {
    return static_cast<uint64_t>(t.sizes.size()) * t.sampleDelta;
}

// Duration of a track in the movie's time scale.
uint32_t MovieDuration(const MuxTrack& t, uint32_t movieTimescale) {
    return static_cast<uint32_t>(MediaDuration(t) * movieTimescale / t.timescale);
}

void WriteAvc1(BoxWriter& w, const MuxTrack& t) {
    w.Begin("avc1");
    w.Zeros(6);
    w.U16(1);  // data reference index
    w.U16(0);  // version
    w.U16(0);  // revision
    w.U32(0);  // vendor
    w.U32(0);  // temporal quality
    w.U32(0);  // spatial quality
    w.U16(static_cast<uint16_t>(t.width));
    w.U16(static_cast<uint16_t>(t.height));
    w.U32(0x00480000);  // 72 dpi
    w.U32(0x00480000);
    w.U32(0);  // data size
    w.U16(1);  // frames per sample
    uint8_t name[32] = {};
    const char* compressor = "H.264";
    name[0] = static_cast<uint8_t>(std::strlen(compressor));
    std::memcpy(name + 1, compressor, name[0]);
    w.Bytes(name, sizeof name);
    w.U16(24);      // depth
    w.U16(0xFFFF);  // no colour table
    w.Begin("avcC");
    w.Bytes(t.codecConfig);
    w.End();
    w.End();
}

// One MPEG-4 descriptor: tag, length in the four-byte form, payload.
void Descriptor(BoxWriter& w, uint8_t tag, const std::vector<uint8_t>& payload) {
    w.U8(tag);
    const uint32_t n = static_cast<uint32_t>(payload.size());
    w.U8(static_cast<uint8_t>(0x80 | ((n >> 21) & 0x7F)));
    w.U8(static_cast<uint8_t>(0x80 | ((n >> 14) & 0x7F)));
    w.U8(static_cast<uint8_t>(0x80 | ((n >> 7) & 0x7F)));
    w.U8(static_cast<uint8_t>(n & 0x7F));
    w.Bytes(payload);
}

void WriteMp4a(BoxWriter& w, const MuxTrack& t) {
    w.Begin("mp4a");
    w.Zeros(6);
    w.U16(1);  // data reference index
    w.U16(0);  // version
    w.U16(0);  // revision
    w.U32(0);  // vendor
    w.U16(static_cast<uint16_t>(t.channels));
    w.U16(16);  // sample size
    w.U16(0);   // compression id
    w.U16(0);   // packet size
    w.U32(static_cast<uint32_t>(t.sampleRate) << 16);

    BoxWriter dsi;
    dsi.Bytes(t.codecConfig);
    BoxWriter dcd;
    dcd.U8(0x40);  // object type: MPEG-4 audio
    dcd.U8(0x15);  // audio stream
    dcd.U24(1536);
    dcd.U32(t.bitRate);
    dcd.U32(t.bitRate);
    Descriptor(dcd, 0x05, dsi.bytes());
    BoxWriter es;
    es.U16(2);  // ES id
    es.U8(0);   // flags
    Descriptor(es, 0x04, dcd.bytes());
    Descriptor(es, 0x06, {0x02});
    w.Begin("esds");
    w.FullHeader(0, 0);
    Descriptor(w, 0x03, es.bytes());
    w.End();
    w.End();
}

void WriteTrak(BoxWriter& w, const MuxTrack& t, uint32_t trackId, uint32_t movieTimescale,
               uint32_t creationTime, bool splitTimeToSample) {
    const bool video = t.kind == MuxTrack::Kind::kVideo;
    const uint32_t duration = MovieDuration(t, movieTimescale);
    w.Begin("trak");

    w.Begin("tkhd");
    w.FullHeader(0, 0x000007);  // enabled, in movie, in preview
    w.U32(creationTime);
    w.U32(creationTime);
    w.U32(trackId);
    w.U32(0);
    w.U32(duration);
    w.Zeros(8);
    w.U16(0);                   // layer
    w.U16(0);                   // alternate group
    w.U16(video ? 0 : 0x0100);  // volume
    w.U16(0);
    w.UnityMatrix();
    w.U32(video ? static_cast<uint32_t>(t.width) << 16 : 0);
    w.U32(video ? static_cast<uint32_t>(t.height) << 16 : 0);
    w.End();

    w.Begin("edts");
    w.Begin("elst");
    w.FullHeader(0, 0);
    w.U32(1);
    w.U32(duration);
    w.U32(0);           // media time
    w.U32(0x00010000);  // rate 1.0
    w.End();
    w.End();

    w.Begin("mdia");
    w.Begin("mdhd");
    w.FullHeader(0, 0);
    w.U32(creationTime);
    w.U32(creationTime);
    w.U32(t.timescale);
    w.U32(static_cast<uint32_t>(MediaDuration(t)));
    w.U16(0x55C4);  // language "und"
    w.U16(0);
    w.End();

    w.Begin("hdlr");
    w.FullHeader(0, 0);
    w.FourCC("mhlr");
    w.FourCC(video ? "vide" : "soun");
    w.Zeros(12);
    const std::string_view name = video ? "VideoHandler" : "SoundHandler";
    w.U8(static_cast<uint8_t>(name.size()));
    w.Bytes(name.data(), name.size());
    w.End();

    w.Begin("minf");
    if (video) {
        w.Begin("vmhd");
        w.FullHeader(0, 1);
        w.Zeros(8);
        w.End();
    } else {
        w.Begin("smhd");
        w.FullHeader(0, 0);
        w.Zeros(4);
        w.End();
    }
    w.Begin("dinf");
    w.Begin("dref");
    w.FullHeader(0, 0);
    w.U32(1);
    w.Begin("url ");
    w.FullHeader(0, 1);  // media in this file
    w.End();
    w.End();
    w.End();

    w.Begin("stbl");
    w.Begin("stsd");
    w.FullHeader(0, 0);
    w.U32(1);
    if (video)
        WriteAvc1(w, t);
    else
        WriteMp4a(w, t);
    w.End();

    const uint32_t count = static_cast<uint32_t>(t.sizes.size());
    w.Begin("stts");
    w.FullHeader(0, 0);
    if (splitTimeToSample && video && count >= 2) {
        w.U32(2);
        w.U32(count / 2);
        w.U32(t.sampleDelta);
        w.U32(count - count / 2);
        w.U32(t.sampleDelta);
    } else {
        w.U32(1);
        w.U32(count);
        w.U32(t.sampleDelta);
    }
    w.End();

    if (video) {
        w.Begin("stss");
        w.FullHeader(0, 0);
        w.U32(static_cast<uint32_t>(t.syncSamples.size()));
        for (uint32_t s : t.syncSamples)
            w.U32(s);
        w.End();
    }

    w.Begin("stsc");
    w.FullHeader(0, 0);
    w.U32(1);
    w.U32(1);  // first chunk
    w.U32(1);  // samples per chunk
    w.U32(1);  // sample description
    w.End();

    w.Begin("stsz");
    w.FullHeader(0, 0);
    w.U32(0);
    w.U32(count);
    for (uint32_t s : t.sizes)
        w.U32(s);
    w.End();

    w.Begin("stco");
    w.FullHeader(0, 0);
    w.U32(count);
    for (uint64_t o : t.offsets)
        w.U32(static_cast<uint32_t>(o));
    w.End();

    w.End();  // stbl
    w.End();  // minf
    w.End();  // mdia
    w.End();  // trak
}

}  // namespace

std::vector<uint8_t> BuildMoov(const std::vector<MuxTrack>& tracks,
                               const std::vector<uint8_t>& udat, uint32_t creationTime,
                               bool splitTimeToSample) {
    // The movie runs on the first (video) track's clock, so that its duration in movie
    // units is exact and frame count × time scale ÷ duration gives the frame rate.
    const uint32_t movieTimescale = tracks.empty() ? 1000 : tracks.front().timescale;
    const uint32_t movieDuration =
        tracks.empty() ? 0 : MovieDuration(tracks.front(), movieTimescale);
    BoxWriter w;
    w.Begin("moov");
    w.Begin("mvhd");
    w.FullHeader(0, 0);
    w.U32(creationTime);
    w.U32(creationTime);
    w.U32(movieTimescale);
    w.U32(movieDuration);
    w.U32(0x00010000);  // rate
    w.U16(0x0100);      // volume
    w.Zeros(10);
    w.UnityMatrix();
    w.Zeros(24);  // preview, poster, selection and current times
    w.U32(static_cast<uint32_t>(tracks.size() + 1));
    w.End();
    for (size_t i = 0; i < tracks.size(); ++i)
        WriteTrak(w, tracks[i], static_cast<uint32_t>(i + 1), movieTimescale, creationTime,
                  splitTimeToSample);
    if (!udat.empty()) {
        w.Begin("udat");
        w.Bytes(udat);
        w.End();
    }
    w.End();
    return std::move(w.bytes());
}

MovMuxer::~MovMuxer() {
    if (file_) {
        std::fclose(file_);
        std::error_code ec;
        std::filesystem::remove(path_, ec);  // an unfinished movie is not left behind
    }
}

bool MovMuxer::Fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + path_ + ": " + std::strerror(errno);
    failed_ = true;
    return false;
}

bool MovMuxer::Open(const std::string& path, const MovieQuirks& quirks, std::string* error) {
    path_ = path;
    quirks_ = quirks;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return Fail(error, "cannot create");
    const std::vector<uint8_t> ftyp = BuildFtyp(quirks.wideBox);
    const uint8_t mdatHeader[8] = {0, 0, 0, 0, 'm', 'd', 'a', 't'};
    if (std::fwrite(ftyp.data(), 1, ftyp.size(), file_) != ftyp.size() ||
        std::fwrite(mdatHeader, 1, 8, file_) != 8)
        return Fail(error, "cannot write");
    mdatStart_ = ftyp.size();
    position_ = mdatStart_ + 8;
    return true;
}

int MovMuxer::AddTrack(const MuxTrack& track) {
    tracks_.push_back(track);
    tracks_.back().sizes.clear();
    tracks_.back().offsets.clear();
    tracks_.back().syncSamples.clear();
    return static_cast<int>(tracks_.size() - 1);
}

bool MovMuxer::WriteSample(int track, const uint8_t* data, size_t size, bool key) {
    if (!file_ || failed_ || track < 0 || track >= static_cast<int>(tracks_.size())) return false;
    if (size && std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
        return false;
    }
    MuxTrack& t = tracks_[static_cast<size_t>(track)];
    t.sizes.push_back(static_cast<uint32_t>(size));
    t.offsets.push_back(position_);
    if (key) t.syncSamples.push_back(static_cast<uint32_t>(t.sizes.size()));
    position_ += size;
    return true;
}

bool MovMuxer::Finish(const std::vector<uint8_t>& udat, uint32_t creationTime, std::string* error) {
    if (!file_) return false;
    if (failed_) return Fail(error, "cannot write");
    const uint64_t mdatSize = position_ - mdatStart_;
    if (mdatSize > 0xFFFFFFFFu) {
        errno = EFBIG;
        return Fail(error, "media data too large");
    }
    std::vector<uint8_t> moov = BuildMoov(tracks_, udat, creationTime, quirks_.splitTimeToSample);
    uint8_t size[4];
    PutU32(size, static_cast<uint32_t>(mdatSize));
    if (std::fwrite(moov.data(), 1, moov.size(), file_) != moov.size() ||
        std::fseek(file_, static_cast<long>(mdatStart_), SEEK_SET) != 0 ||
        std::fwrite(size, 1, 4, file_) != 4)
        return Fail(error, "cannot write");
    if (std::fclose(file_) != 0) {
        file_ = nullptr;
        return Fail(error, "cannot write");
    }
    file_ = nullptr;

    if (quirks_.moovBeforeMdat) {
        // Rewrite as ftyp, moov, mdat with the chunk offsets moved behind the moov (in
        // memory: this variant is for small test movies).
        std::ifstream in(path_, std::ios::binary);
        std::vector<uint8_t> all((std::istreambuf_iterator<char>(in)), {});
        in.close();
        for (MuxTrack& t : tracks_)
            for (uint64_t& o : t.offsets)
                o += moov.size();
        const std::vector<uint8_t> moved =
            BuildMoov(tracks_, udat, creationTime, quirks_.splitTimeToSample);
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(all.data()), static_cast<long>(mdatStart_));
        out.write(reinterpret_cast<const char*>(moved.data()), static_cast<long>(moved.size()));
        out.write(reinterpret_cast<const char*>(all.data() + mdatStart_),
                  static_cast<long>(mdatSize));
        if (!out) return Fail(error, "cannot rewrite");
    }
    if (quirks_.truncateTo >= 0) {
        std::error_code ec;
        const auto whole = std::filesystem::file_size(path_, ec);
        if (!ec && static_cast<uint64_t>(quirks_.truncateTo) < whole)
            std::filesystem::resize_file(path_, static_cast<uint64_t>(quirks_.truncateTo), ec);
        if (ec) return Fail(error, "cannot truncate");
    }
    return true;
}

}  // namespace quorva::cardwriter
