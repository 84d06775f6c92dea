#include "container_fixtures.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace quorva::test {

void PutBe16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}
void PutBe32(Bytes& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        b.push_back(static_cast<uint8_t>(v >> s));
}
void PutBytes(Bytes& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
}

static void SerializeInto(const TestBox& box, Bytes& out) {
    Bytes body = box.payload;
    for (const auto& c : box.children)
        SerializeInto(c, body);
    const uint32_t size = box.sizeOverride >= 0 ? static_cast<uint32_t>(box.sizeOverride)
                                                : static_cast<uint32_t>(body.size() + 8);
    PutBe32(out, size);
    PutBytes(out, box.type);
    out.insert(out.end(), body.begin(), body.end());
}

Bytes Serialize(const TestBox& box) {
    Bytes out;
    SerializeInto(box, out);
    return out;
}

Bytes Serialize(const std::vector<TestBox>& boxes) {
    Bytes out;
    for (const auto& b : boxes)
        SerializeInto(b, out);
    return out;
}

namespace {

TestBox Leaf(const std::string& type, Bytes payload) {
    return TestBox{type, std::move(payload), {}};
}
TestBox Container(const std::string& type, std::vector<TestBox> children) {
    return TestBox{type, {}, std::move(children)};
}

Bytes FullBoxHead(uint8_t version = 0) {
    return Bytes{version, 0, 0, 0};
}

Bytes Mvhd(uint32_t timescale, uint32_t duration) {
    Bytes p = FullBoxHead();
    PutBe32(p, 0);  // creation
    PutBe32(p, 0);  // modification
    PutBe32(p, timescale);
    PutBe32(p, duration);
    PutBe32(p, 0x00010000);  // rate
    PutBe16(p, 0x0100);      // volume
    p.resize(p.size() + 10 + 36 + 24, 0);
    PutBe32(p, 3);  // next track id
    return p;
}

Bytes Tkhd(uint32_t id, uint32_t duration, int w, int h, int rotation = 0) {
    Bytes p = Bytes{0, 0, 0, 3};
    PutBe32(p, 0);
    PutBe32(p, 0);
    PutBe32(p, id);
    PutBe32(p, 0);
    PutBe32(p, duration);
    p.resize(p.size() + 8 + 8, 0);
    // The display matrix (a, b, u, c, d, v, x, y, w) of a clockwise turn.
    const uint32_t one = 0x10000, minusOne = 0xFFFF0000u;
    const uint32_t turns[4][4] = {
        {one, 0, 0, one}, {0, one, minusOne, 0}, {minusOne, 0, 0, minusOne}, {0, minusOne, one, 0}};
    const auto& t = turns[((rotation / 90) % 4 + 4) % 4];
    if (rotation == 0) {
        p.resize(p.size() + 36, 0);  // the recorder leaves it empty
    } else {
        for (uint32_t v : {t[0], t[1], 0u, t[2], t[3], 0u, 0u, 0u, 0x40000000u})
            PutBe32(p, v);
    }
    PutBe32(p, static_cast<uint32_t>(w) << 16);
    PutBe32(p, static_cast<uint32_t>(h) << 16);
    return p;
}

Bytes Elst(uint32_t duration, int32_t mediaTime = 0, uint32_t emptyEdit = 0) {
    Bytes p = FullBoxHead();
    PutBe32(p, emptyEdit ? 2 : 1);
    if (emptyEdit) {
        PutBe32(p, emptyEdit);
        PutBe32(p, 0xFFFFFFFFu);
        PutBe32(p, 0x00010000);
    }
    PutBe32(p, duration);
    PutBe32(p, static_cast<uint32_t>(mediaTime));
    PutBe32(p, 0x00010000);
    return p;
}

Bytes Mdhd(uint32_t timescale, uint32_t duration) {
    Bytes p = FullBoxHead();
    PutBe32(p, 0);
    PutBe32(p, 0);
    PutBe32(p, timescale);
    PutBe32(p, duration);
    PutBe16(p, 0x55c4);
    PutBe16(p, 0);
    return p;
}

Bytes Hdlr(const std::string& kind) {
    Bytes p = FullBoxHead();
    PutBe32(p, 0);
    PutBytes(p, kind);
    p.resize(p.size() + 12, 0);
    PutBytes(p, "handler");
    p.push_back(0);
    return p;
}

Bytes VideoStsd(int w, int h) {
    Bytes entry;
    entry.resize(6, 0);
    PutBe16(entry, 1);  // data reference index
    entry.resize(entry.size() + 16, 0);
    PutBe16(entry, static_cast<uint16_t>(w));
    PutBe16(entry, static_cast<uint16_t>(h));
    PutBe32(entry, 0x00480000);
    PutBe32(entry, 0x00480000);
    PutBe32(entry, 0);
    PutBe16(entry, 1);
    entry.resize(entry.size() + 32, 0);
    PutBe16(entry, 0x18);
    PutBe16(entry, 0xFFFF);
    Bytes p = FullBoxHead();
    PutBe32(p, 1);
    PutBe32(p, static_cast<uint32_t>(entry.size() + 8));
    PutBytes(p, "avc1");
    p.insert(p.end(), entry.begin(), entry.end());
    return p;
}

Bytes AudioStsd() {
    Bytes entry(6, 0);
    PutBe16(entry, 1);
    entry.resize(entry.size() + 8, 0);
    PutBe16(entry, 2);
    PutBe16(entry, 16);
    PutBe32(entry, 0);
    PutBe32(entry, 48000u << 16);
    Bytes p = FullBoxHead();
    PutBe32(p, 1);
    PutBe32(p, static_cast<uint32_t>(entry.size() + 8));
    PutBytes(p, "mp4a");
    p.insert(p.end(), entry.begin(), entry.end());
    return p;
}

}  // namespace

namespace {

// The movie box of MakeMovie, its chunk offsets counted from where the media data's payload
// starts.
Bytes MovieBox(const MovieRecipe& desc, const std::vector<std::vector<uint64_t>>& offsets) {
    uint32_t movieDuration = 0;
    std::vector<TestBox> traks;
    for (size_t k = 0; k < desc.tracks.size(); ++k) {
        const auto& t = desc.tracks[k];
        uint32_t mediaDuration = t.frames * t.delta;
        Bytes stts = FullBoxHead();
        if (t.deltas.empty()) {
            PutBe32(stts, 1);
            PutBe32(stts, t.frames);
            PutBe32(stts, t.delta);
        } else {
            mediaDuration = 0;
            PutBe32(stts, t.frames);
            for (uint32_t i = 0; i < t.frames; ++i) {
                const uint32_t d = t.deltas[std::min<size_t>(i, t.deltas.size() - 1)];
                PutBe32(stts, 1);
                PutBe32(stts, d);
                mediaDuration += d;
            }
        }
        const uint32_t duration = static_cast<uint32_t>(static_cast<uint64_t>(mediaDuration) *
                                                        desc.movieTimescale / t.timescale);
        movieDuration = std::max(movieDuration, duration + t.emptyEdit);
        Bytes stsc = FullBoxHead();
        PutBe32(stsc, 1);
        PutBe32(stsc, 1);
        PutBe32(stsc, 1);
        PutBe32(stsc, 1);
        Bytes stsz = FullBoxHead();
        PutBe32(stsz, 0);
        PutBe32(stsz, t.frames);
        for (uint32_t i = 0; i < t.frames; ++i)
            PutBe32(stsz, t.sampleBytes);
        Bytes chunks = FullBoxHead();
        PutBe32(chunks, t.frames);
        for (uint64_t o : offsets[k]) {
            if (desc.co64) PutBe32(chunks, static_cast<uint32_t>(o >> 32));
            PutBe32(chunks, static_cast<uint32_t>(o));
        }
        std::vector<TestBox> stbl{
            Leaf("stsd", t.video ? VideoStsd(t.width, t.height) : AudioStsd()), Leaf("stts", stts)};
        if (t.video) {
            Bytes stss = FullBoxHead();
            std::vector<uint32_t> sync;
            for (uint32_t i = 0; i < t.frames; i += std::max<uint32_t>(1, t.syncEvery))
                sync.push_back(i + 1);
            PutBe32(stss, static_cast<uint32_t>(sync.size()));
            for (uint32_t s : sync)
                PutBe32(stss, s);
            stbl.push_back(Leaf("stss", stss));
        }
        stbl.push_back(Leaf("stsc", stsc));
        stbl.push_back(Leaf("stsz", stsz));
        stbl.push_back(Leaf(desc.co64 ? "co64" : "stco", chunks));
        Bytes dref = FullBoxHead();
        PutBe32(dref, 1);
        PutBe32(dref, 12);
        PutBytes(dref, "url ");
        PutBe32(dref, 1);
        TestBox minf =
            Container("minf", {t.video ? Leaf("vmhd", Bytes{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0})
                                       : Leaf("smhd", Bytes{0, 0, 0, 0, 0, 0, 0, 0}),
                               Container("dinf", {Leaf("dref", dref)}), Container("stbl", stbl)});
        TestBox mdia = Container("mdia", {Leaf("mdhd", Mdhd(t.timescale, mediaDuration)),
                                          Leaf("hdlr", Hdlr(t.video ? "vide" : "soun")), minf});
        traks.push_back(Container(
            "trak",
            {Leaf("tkhd", Tkhd(static_cast<uint32_t>(k + 1), duration, t.video ? t.width : 0,
                               t.video ? t.height : 0, t.rotation)),
             Container("edts", {Leaf("elst", Elst(duration, t.editMediaTime, t.emptyEdit))}),
             mdia}));
    }
    std::vector<TestBox> moovChildren{Leaf("mvhd", Mvhd(desc.movieTimescale, movieDuration))};
    for (auto& t : traks)
        moovChildren.push_back(std::move(t));
    return Serialize(Container("moov", moovChildren));
}

}  // namespace

Bytes MakeMovie(const MovieRecipe& desc) {
    TestBox ftyp = Leaf("ftyp", {});
    PutBytes(ftyp.payload, "qt  ");
    PutBe32(ftyp.payload, 0);
    PutBytes(ftyp.payload, "qt  ");
    const Bytes ftypBytes = Serialize(ftyp);
    const size_t wideBytes = desc.wideAfterFtyp ? 8 : 0;
    const size_t mdatHeader = desc.mdat64 ? 16 : 8;

    // Media data: the tracks' samples interleaved sample by sample.
    Bytes media;
    std::vector<std::vector<uint64_t>> offsets(desc.tracks.size());
    uint32_t most = 0;
    for (const auto& t : desc.tracks)
        most = std::max(most, t.frames);
    for (uint32_t i = 0; i < most; ++i) {
        for (size_t k = 0; k < desc.tracks.size(); ++k) {
            const auto& t = desc.tracks[k];
            if (i >= t.frames) continue;
            offsets[k].push_back(media.size());
            for (uint32_t b = 0; b < t.sampleBytes; ++b)
                media.push_back(static_cast<uint8_t>((i * 7 + b + k * 31) & 0xFF));
        }
    }
    Bytes udat;
    if (desc.udat)
        udat = Serialize(Leaf("udat", MakeBlock(MakeRecords(static_cast<int>(desc.udatRecords)))));
    // The boxes before the media data decide where its payload starts (the movie box's size
    // does not depend on the offsets' values).
    size_t before = ftypBytes.size() + wideBytes;
    if (desc.moovFirst) before += MovieBox(desc, offsets).size() + udat.size();
    const size_t mediaStart = before + mdatHeader;
    for (auto& track : offsets)
        for (auto& o : track)
            o += mediaStart;
    const Bytes moov = MovieBox(desc, offsets);

    Bytes out = ftypBytes;
    if (desc.wideAfterFtyp) {
        PutBe32(out, 8);
        PutBytes(out, "wide");
    }
    if (desc.moovFirst) {
        out.insert(out.end(), moov.begin(), moov.end());
        out.insert(out.end(), udat.begin(), udat.end());
    }
    if (desc.mdat64) {
        PutBe32(out, 1);
        PutBytes(out, "mdat");
        PutBe32(out, 0);
        PutBe32(out, static_cast<uint32_t>(media.size() + 16));
    } else {
        PutBe32(out, static_cast<uint32_t>(media.size() + 8));
        PutBytes(out, "mdat");
    }
    out.insert(out.end(), media.begin(), media.end());
    if (!desc.moovFirst) {
        out.insert(out.end(), moov.begin(), moov.end());
        out.insert(out.end(), udat.begin(), udat.end());
    }
    return out;
}

// A fragmented movie: an empty sample table in "moov", defaults in "trex", and fragments
// whose runs give sizes and flags (the defaults of the track elsewhere).
Bytes MakeFragmentedMovie(int fragments, int perFragment, bool explicitDurations) {
    auto be32 = [](Bytes& b, uint32_t v) { PutBe32(b, v); };
    auto full = [](uint32_t versionFlags) {
        Bytes b;
        PutBe32(b, versionFlags);
        return b;
    };
    Bytes mdhd = full(0);
    for (uint32_t v : {0u, 0u, 600u, 0u})
        be32(mdhd, v);
    mdhd.insert(mdhd.end(), {0x55, 0xc4, 0, 0});
    Bytes hdlr = full(0);
    be32(hdlr, 0);
    PutBytes(hdlr, "vide");
    hdlr.resize(hdlr.size() + 13, 0);
    Bytes tkhd = full(3);
    for (uint32_t v : {0u, 0u, 7u, 0u, 0u})
        be32(tkhd, v);
    tkhd.resize(tkhd.size() + 16 + 36 + 8, 0);
    Bytes stsd = full(0);
    be32(stsd, 1);
    be32(stsd, 86);
    PutBytes(stsd, "avc1");
    Bytes entry(78, 0);
    entry[24] = 0x01;  // width 320
    entry[25] = 0x40;
    entry[26] = 0x00;  // height 240
    entry[27] = 0xF0;
    stsd.insert(stsd.end(), entry.begin(), entry.end());
    Bytes empty = full(0);
    be32(empty, 0);
    Bytes stsz = full(0);
    be32(stsz, 0);
    be32(stsz, 0);
    Bytes trex = full(0);
    // Track 7: description 1, 20 ticks a frame (30 fps at 600), 100 bytes, not a sync sample.
    for (uint32_t v : {7u, 1u, 20u, 100u, 0x00010000u})
        be32(trex, v);
    TestBox stbl{"stbl",
                 {},
                 {TestBox{"stsd", stsd}, TestBox{"stts", empty}, TestBox{"stsc", empty},
                  TestBox{"stsz", stsz}, TestBox{"stco", empty}}};
    TestBox trak{"trak",
                 {},
                 {TestBox{"tkhd", tkhd}, TestBox{"mdia",
                                                 {},
                                                 {TestBox{"mdhd", mdhd}, TestBox{"hdlr", hdlr},
                                                  TestBox{"minf", {}, {stbl}}}}}};
    std::vector<TestBox> top{
        TestBox{"ftyp", Bytes(8, 'i')},
        TestBox{"moov", {}, {trak, TestBox{"mvex", {}, {TestBox{"trex", trex}}}}}};
    Bytes out = Serialize(top);
    for (int f = 0; f < fragments; ++f) {
        // tfhd: default-base-is-moof; trun: data offset, first-sample flags (a sync sample),
        // and per sample a size (and a duration when asked).
        Bytes tfhd = full(0x020000);
        be32(tfhd, 7);
        Bytes tfdt = full(0);
        be32(tfdt, static_cast<uint32_t>(f * perFragment * 20));
        const uint32_t flags = 0x000005 | 0x200 | (explicitDurations ? 0x100 : 0);
        Bytes trun = full(flags);
        be32(trun, static_cast<uint32_t>(perFragment));
        const size_t dataOffsetAt = trun.size();
        be32(trun, 0);  // data offset, set below
        be32(trun, 0x02000000);
        for (int i = 0; i < perFragment; ++i) {
            if (explicitDurations) be32(trun, 20);
            be32(trun, 50);
        }
        TestBox moof{
            "moof",
            {},
            {TestBox{"mfhd", Bytes(8, 0)},
             TestBox{"traf",
                     {},
                     {TestBox{"tfhd", tfhd}, TestBox{"tfdt", tfdt}, TestBox{"trun", trun}}}}};
        const size_t moofSize = Serialize(moof).size();
        // The data follows the moof box and the mdat header.
        const uint32_t offset = static_cast<uint32_t>(moofSize + 8);
        moof.children[1].children[2].payload[dataOffsetAt + 0] = static_cast<uint8_t>(offset >> 24);
        moof.children[1].children[2].payload[dataOffsetAt + 1] = static_cast<uint8_t>(offset >> 16);
        moof.children[1].children[2].payload[dataOffsetAt + 2] = static_cast<uint8_t>(offset >> 8);
        moof.children[1].children[2].payload[dataOffsetAt + 3] = static_cast<uint8_t>(offset);
        const Bytes moofBytes = Serialize(moof);
        out.insert(out.end(), moofBytes.begin(), moofBytes.end());
        const Bytes mdat = Serialize(TestBox{"mdat", Bytes(50 * perFragment, 0x11)});
        out.insert(out.end(), mdat.begin(), mdat.end());
    }
    return out;
}

static void Field(Bytes& rec, size_t at, const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i)
        rec[at + i] = i < s.size() ? static_cast<uint8_t>(s[i]) : ' ';
}

Bytes MakeRecord(const RecordRecipe& r) {
    Bytes rec(124, ' ');
    Field(rec, 0, "$GPRM", 5);
    rec[5] = static_cast<uint8_t>(r.status);
    Field(rec, 6, r.latitude, 9);
    rec[15] = r.latSign;
    Field(rec, 16, r.longitude, 10);
    rec[26] = r.lngSign;
    Field(rec, 27, r.speed, 4);
    Field(rec, 31, r.time, 12);
    Field(rec, 44, r.correction, 3);
    Field(rec, 48, r.voltage, 3);
    Field(rec, 57, r.g1, 5);
    Field(rec, 62, r.g2, 5);
    Field(rec, 67, r.g3, 5);
    rec[72] = static_cast<uint8_t>(r.event72);
    rec[73] = static_cast<uint8_t>(r.axis);
    rec[75] = static_cast<uint8_t>(r.event75);
    rec[76] = static_cast<uint8_t>(r.event76);
    rec[122] = r.status122;
    rec[123] = r.code123;
    return rec;
}

Bytes MakeHeader(const std::string& values, char mode, const std::string& version, char a, char b) {
    Bytes h(26, ' ');
    Field(h, 0, values, 16);
    h[16] = static_cast<uint8_t>(mode);
    Field(h, 17, version, 6);
    h[23] = static_cast<uint8_t>(a);
    h[24] = static_cast<uint8_t>(b);
    h[25] = ' ';
    return h;
}

Bytes MakeBlock(const std::vector<Bytes>& records, int count, const Bytes& header, bool endTag,
                const std::string& trailer) {
    Bytes out;
    PutBytes(out, "CSMDAT");
    out.insert(out.end(), header.begin(), header.end());
    PutBe16(out, static_cast<uint16_t>(count >= 0 ? count : static_cast<int>(records.size())));
    for (const auto& r : records)
        out.insert(out.end(), r.begin(), r.end());
    if (endTag) PutBytes(out, "CSMEND");
    PutBytes(out, trailer);
    return out;
}

std::vector<Bytes> MakeRecords(int n) {
    std::vector<Bytes> out;
    for (int i = 0; i < n; ++i) {
        RecordRecipe r;
        const int sec = 15 + i / 10;
        char t[32];
        std::snprintf(t, sizeof t, "24013108%02d%02d", 30 + sec / 60, sec % 60);
        r.time = t;
        char g[8];
        std::snprintf(g, sizeof g, "%+05d", (i * 37) % 2000 - 1000);
        r.g1 = g;
        r.voltage = (i % 4 == 0) ? "   " : "12" + std::to_string(i % 10);
        out.push_back(MakeRecord(r));
    }
    return out;
}

void WriteFile(const std::filesystem::path& path, const Bytes& data) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quorva-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

ScopedTz::ScopedTz(const char* tz) {
    if (const char* old = std::getenv("TZ")) {
        had_ = true;
        old_ = old;
    }
    setenv("TZ", tz, 1);
    tzset();
}

ScopedTz::~ScopedTz() {
    if (had_)
        setenv("TZ", old_.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

bool RunCommand(const std::string& command, std::string* output) {
    FILE* p = popen(command.c_str(), "r");
    if (!p) return false;
    std::string out;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        out.append(buf.data(), n);
    const int status = pclose(p);
    if (output) *output = out;
    return status == 0;
}

bool HaveTool(const std::string& name) {
    return RunCommand("command -v " + name + " >/dev/null 2>&1");
}

}  // namespace quorva::test
