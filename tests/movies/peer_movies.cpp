#include "peer_movies.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace quorva::peers {

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kStamp = "complete";
constexpr const char* kX264 = " -c:v libx264 -preset veryfast -pix_fmt yuv420p";

// A test picture whose hue turns 40 degrees a frame, so that every frame differs from its
// neighbours all over the picture; the smallest pictures are one colour.
std::string Picture(int w, int h, const std::string& rate, double seconds) {
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    std::ostringstream d;
    d << seconds;
    // testsrc2 draws even sizes only: small and odd pictures are one colour.
    const bool tiny = w < 16 || h < 16 || w % 2 != 0 || h % 2 != 0;
    const std::string source = tiny ? "color=c=0xC03030:" : "testsrc2=";
    return "-f lavfi -i '" + source + "s=" + size + ":r=" + rate + ":d=" + d.str() +
           (tiny ? ",format=yuv444p" : "") + ",hue=h=40*n'";
}

std::string Sound(double seconds) {
    std::ostringstream d;
    d << seconds;
    return " -f lavfi -i 'sine=f=440:r=48000:d=" + d.str() + "'";
}

PeerMovie Sized(int w, int h, const std::string& pixels, const std::string& rate, double seconds) {
    PeerMovie m;
    m.name = "size_" + std::to_string(w) + "x" + std::to_string(h) + ".mp4";
    m.make = Picture(w, h, rate, seconds) + " -c:v libx264 -preset veryfast -pix_fmt " + pixels +
             " {OUT}";
    m.oddSize = true;
    return m;
}

std::vector<PeerMovie> BuildTable() {
    std::vector<PeerMovie> t;
    auto add = [&](std::string name, std::string make, std::string from = "",
                   Patch patch = Patch::kNone) {
        PeerMovie m;
        m.name = std::move(name);
        m.make = std::move(make);
        m.from = std::move(from);
        m.patch = patch;
        t.push_back(std::move(m));
    };
    add("h264_bframes.mp4", Picture(320, 240, "25", 4.0) + kX264 + " -bf 3 -g 12 {OUT}");
    add("h264_gop300.mp4", Picture(160, 96, "60", 5.5) + kX264 +
                               " -bf 2 -g 300 -keyint_min 300 -sc_threshold 0 {OUT}");
    add("intra_59.94.mp4", Picture(320, 180, "60000/1001", 2.2) + kX264 + " -g 1 {OUT}");
    add("rate_23.976.mp4", Picture(320, 180, "24000/1001", 2.3) + kX264 + " {OUT}");
    add("rate_29.97.mp4", Picture(320, 180, "30000/1001", 2.2) + kX264 + " {OUT}");
    add("hevc_8bit.mp4", Picture(320, 240, "25", 2.2) +
                             " -c:v libx265 -preset ultrafast -x265-params log-level=error"
                             " -pix_fmt yuv420p -tag:v hvc1 {OUT}");
    add("hevc_10bit.mp4", Picture(320, 240, "25", 2.2) +
                              " -c:v libx265 -preset ultrafast -x265-params log-level=error"
                              " -pix_fmt yuv420p10le -tag:v hvc1 {OUT}");
    add("mjpeg.mov", Picture(320, 240, "25", 2.2) + " -c:v mjpeg -q:v 3 {OUT}");
    add("vfr_30_then_15.mp4",
        "-f lavfi -i 'testsrc2=s=320x240:r=30:d=1.2' -f lavfi -i 'testsrc2=s=320x240:r=15:d=1.2'"
        " -filter_complex '[0][1]concat=n=2:v=1,hue=h=40*n' -fps_mode vfr" +
            std::string(kX264) + " -bf 0 {OUT}");
    // Picture sizes: a few frames each (one a second: a recording of 2 s or less is too short
    // for the viewer); odd sides need 4:4:4 pictures.
    t.push_back(Sized(1, 1, "yuv444p", "1", 3));
    t.push_back(Sized(2, 2, "yuv420p", "1", 3));
    t.push_back(Sized(4, 4, "yuv420p", "1", 3));
    t.push_back(Sized(6, 6, "yuv420p", "1", 3));
    t.push_back(Sized(12, 8, "yuv420p", "1", 3));
    t.push_back(Sized(30, 16, "yuv420p", "1", 3));
    t.push_back(Sized(62, 34, "yuv420p", "1", 3));
    t.push_back(Sized(426, 240, "yuv420p", "1", 3));
    t.push_back(Sized(427, 241, "yuv444p", "1", 3));
    t.push_back(Sized(1922, 1082, "yuv420p", "1", 3));
    t.push_back(Sized(4096, 2160, "yuv420p", "2", 2.5));
    add("rotation_90.mp4", Picture(320, 180, "25", 2.2) + kX264 + " {OUT}", "", Patch::kRotate90);
    add("moov_at_end.mp4", Picture(320, 240, "25", 2.2) + kX264 + " {OUT}");
    add("moov_at_start.mp4",
        Picture(320, 240, "25", 5.0) + kX264 + " -bf 2 -g 25 -movflags +faststart {OUT}");
    add("fragmented.mp4", Picture(320, 240, "25", 2.4) + kX264 +
                              " -bf 2 -g 12 -movflags frag_keyframe+empty_moov+default_base_moof"
                              " {OUT}");
    add("wide_box.mov", Picture(320, 240, "25", 2.2) + kX264 + " {OUT}");
    add("audio_first.mp4", Picture(192, 108, "25", 2.4) + Sound(2.4) +
                               " -map 1:a -map 0:v -c:a aac" + kX264 + " {OUT}");
    add("audio_longer.mp4", Picture(192, 108, "25", 2.2) + Sound(3.5) +
                                " -map 0:v -map 1:a -c:a aac" + kX264 + " {OUT}");
    add("stream_copy_cut.mp4", "-ss 1.1 -i {SRC} -t 2.4 -c copy {OUT}", "h264_bframes.mp4");
    add("mdat_64bit.mp4", Picture(320, 240, "25", 2.2) + kX264 + " {OUT}", "", Patch::kMdat64);
    add("no_ftyp.mov", Picture(320, 240, "25", 2.2) + kX264 + " {OUT}", "", Patch::kNoFtyp);
    add("cut_in_half.mp4", "-i {SRC} -c copy -movflags +faststart {OUT}", "moov_at_start.mp4",
        Patch::kCutInHalf);
    return t;
}

std::string Replace(std::string s, const std::string& what, const std::string& with) {
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
    return s;
}

bool ReadFile(const std::string& path, Bytes& out) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    out.resize(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size())));
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

uint32_t Be32(const Bytes& b, size_t at) {
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

void PutBe32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// A plain box walker of our own for the patches (32-bit sizes; ffmpeg writes no others in
// these small movies).
struct Box {
    std::string type;
    size_t start = 0;
    size_t size = 0;
};

std::vector<Box> Boxes(const Bytes& b, size_t from, size_t to) {
    std::vector<Box> out;
    while (from + 8 <= to) {
        const size_t size = Be32(b, from);
        if (size < 8 || size > to - from) break;
        out.push_back({std::string(b.begin() + from + 4, b.begin() + from + 8), from, size});
        from += size;
    }
    return out;
}

const Box* Find(const std::vector<Box>& boxes, const std::string& type) {
    for (const Box& x : boxes)
        if (x.type == type) return &x;
    return nullptr;
}

std::vector<Box> Inside(const Bytes& b, const Box& box) {
    return Boxes(b, box.start + 8, box.start + box.size);
}

bool ApplyPatch(const std::string& path, Patch patch, std::string* error) {
    if (patch == Patch::kNone) return true;
    if (patch == Patch::kCutInHalf) {
        std::error_code ec;
        fs::resize_file(path, fs::file_size(path, ec) / 2, ec);
        return !ec;
    }
    Bytes b;
    if (!ReadFile(path, b)) return false;
    const std::vector<Box> top = Boxes(b, 0, b.size());
    if (patch == Patch::kNoFtyp) {
        if (top.empty() || top[0].type != "ftyp") return false;
        std::copy_n("free", 4, b.begin() + 4);
    } else if (patch == Patch::kMdat64) {
        // ffmpeg leaves an 8-byte "free" box before the media data for this form.
        size_t i = 1;
        while (i < top.size() && top[i].type != "mdat")
            ++i;
        if (i >= top.size() || top[i - 1].size != 8) {
            if (error) *error = "no room for a 64-bit media data header";
            return false;
        }
        const uint64_t size = top[i].size + 8;
        const size_t at = top[i - 1].start;
        PutBe32(b, at, 1);
        std::copy_n("mdat", 4, b.begin() + at + 4);
        PutBe32(b, at + 8, static_cast<uint32_t>(size >> 32));
        PutBe32(b, at + 12, static_cast<uint32_t>(size));
    } else if (patch == Patch::kRotate90) {
        const Box* moov = Find(top, "moov");
        if (!moov) return false;
        bool done = false;
        for (const Box& trak : Inside(b, *moov)) {
            if (trak.type != "trak" || done) continue;
            const auto parts = Inside(b, trak);
            const Box* mdia = Find(parts, "mdia");
            const Box* tkhd = Find(parts, "tkhd");
            const std::vector<Box> media = mdia ? Inside(b, *mdia) : std::vector<Box>{};
            const Box* hdlr = Find(media, "hdlr");
            if (!tkhd || !hdlr ||
                std::string(b.begin() + hdlr->start + 16, b.begin() + hdlr->start + 20) != "vide")
                continue;
            const size_t matrix = tkhd->start + 8 + (b[tkhd->start + 8] == 1 ? 52 : 40);
            const uint32_t m[9] = {0, 0x10000, 0, 0xFFFF0000u, 0, 0, 0, 0, 0x40000000};
            for (int k = 0; k < 9; ++k)
                PutBe32(b, matrix + 4 * k, m[k]);
            done = true;
        }
        if (!done) return false;
    }
    return WriteFile(path, b);
}

}  // namespace

const std::vector<PeerMovie>& PeerMovieTable();

namespace {

// The stamp of a folder made from this table: its size and a hash of its entries.
std::string TableStamp() {
    std::string all;
    for (const PeerMovie& m : PeerMovieTable())
        all += m.name + "|" + m.make + "|" + m.from + "|" +
               std::to_string(static_cast<int>(m.patch)) + "\n";
    return std::to_string(PeerMovieTable().size()) + " " +
           std::to_string(std::hash<std::string>{}(all));
}

}  // namespace

const std::vector<PeerMovie>& PeerMovieTable() {
    static const std::vector<PeerMovie> table = BuildTable();
    return table;
}

const PeerMovie* FindPeerMovie(const std::string& name) {
    for (const PeerMovie& m : PeerMovieTable())
        if (m.name == name) return &m;
    return nullptr;
}

std::string PeerMovieFolder() {
    if (const char* env = std::getenv("QUORVA_PEER_MOVIES"); env && *env) return env;
    return QUORVA_PEER_MOVIES_DEFAULT;
}

std::string PeerMoviePath(const std::string& name) {
    return PeerMovieFolder() + "/" + name;
}

bool MakePeerMovies(const std::string& folder, std::string* error) {
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    if (ec) {
        if (error) *error = "cannot make " + folder;
        return false;
    }
    for (const PeerMovie& m : PeerMovieTable()) {
        const std::string out = folder + "/" + m.name;
        std::string command = "ffmpeg -nostdin -v error -y " + m.make;
        command = Replace(command, "{OUT}", Quote(out));
        command = Replace(command, "{SRC}", Quote(folder + "/" + m.from));
        if (!RunCommand(command + " 2>&1") || !ApplyPatch(out, m.patch, error)) {
            if (error && error->empty()) *error = "cannot make " + m.name + ": " + command;
            return false;
        }
    }
    std::ofstream(folder + "/" + kStamp) << TableStamp() << "\n";
    return true;
}

bool HoldsPeerMovies(const std::string& folder) {
    std::ifstream in(folder + "/" + kStamp);
    std::string stamp;
    return std::getline(in, stamp) && stamp == TableStamp();
}

bool EnsurePeerMovies(std::string* error) {
    const std::string folder = PeerMovieFolder();
    return HoldsPeerMovies(folder) || MakePeerMovies(folder, error);
}

bool RunCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    const int status = pclose(pipe);
    if (output) *output = std::move(text);
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool HaveTool(const std::string& name) {
    return RunCommand("command -v " + name + " >/dev/null 2>&1");
}

std::string Quote(const std::string& s) {
    return "'" + Replace(s, "'", "'\\''") + "'";
}

std::map<std::string, std::string> ProbeVideo(const std::string& movie) {
    std::map<std::string, std::string> facts;
    std::string out;
    if (!RunCommand("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                    "stream=width,height,nb_read_frames,avg_frame_rate,duration:"
                    "stream_side_data=rotation -of default=nw=1 " +
                        Quote(movie),
                    &out))
        return facts;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) facts[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return facts;
}

double Rate(const std::string& fraction) {
    const auto slash = fraction.find('/');
    if (slash == std::string::npos) return std::stod(fraction);
    const double den = std::stod(fraction.substr(slash + 1));
    return den == 0 ? 0 : std::stod(fraction.substr(0, slash)) / den;
}

bool DecodeFrames(const std::string& movie, const std::vector<int64_t>& numbers, PeerFrames& out,
                  std::string* error) {
    const auto facts = ProbeVideo(movie);
    if (!facts.count("width") || !facts.count("height")) {
        if (error) *error = "ffprobe cannot read " + movie;
        return false;
    }
    out.width = std::stoi(facts.at("width"));
    out.height = std::stoi(facts.at("height"));
    if (facts.count("rotation") && std::abs(std::stoi(facts.at("rotation"))) % 180 == 90)
        std::swap(out.width, out.height);
    std::string select;
    for (int64_t n : numbers)
        select += (select.empty() ? "" : "+") + std::string("eq(n\\,") + std::to_string(n) + ")";
    const std::string raw =
        fs::temp_directory_path() / ("quorva-peer-" + std::to_string(::getpid()) + ".raw");
    const bool ok =
        RunCommand("ffmpeg -nostdin -v error -y -i " + Quote(movie) + " -vf \"select='" + select +
                   "'\" -fps_mode passthrough -f rawvideo -pix_fmt bgra " + Quote(raw) + " 2>&1");
    Bytes all;
    const bool read = ok && ReadFile(raw, all);
    std::error_code ec;
    fs::remove(raw, ec);
    const size_t each = static_cast<size_t>(out.width) * out.height * 4;
    if (!read || each == 0 || all.size() % each != 0) {
        if (error) *error = "ffmpeg cannot decode the frames of " + movie;
        return false;
    }
    // The frames come in decoding order of their numbers; those past the end are missing.
    std::vector<int64_t> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (size_t i = 0; i < sorted.size() && (i + 1) * each <= all.size(); ++i)
        out.pictures[sorted[i]] = Bytes(all.begin() + i * each, all.begin() + (i + 1) * each);
    return true;
}

double ShownSeconds(const std::string& movie) {
    std::string out;
    if (!RunCommand("ffprobe -v error -select_streams v:0 -show_entries "
                    "frame=best_effort_timestamp_time,pkt_duration_time -of csv=p=0 " +
                        Quote(movie),
                    &out))
        return -1.0;
    std::istringstream lines(out);
    double first = -1.0, end = -1.0;
    for (std::string line; std::getline(lines, line);) {
        const auto comma = line.find(',');
        if (comma == std::string::npos) continue;
        try {
            const double at = std::stod(line.substr(0, comma));
            const double length = std::stod(line.substr(comma + 1));
            if (first < 0) first = at;
            end = std::max(end, at + length);
        } catch (const std::exception&) {
        }
    }
    return first < 0 ? -1.0 : end - first;
}

std::vector<bool> KeyFrames(const std::string& movie) {
    std::vector<bool> keys;
    std::string out;
    if (!RunCommand("ffprobe -v error -select_streams v:0 -show_entries frame=key_frame -of "
                    "csv=p=0 " +
                        Quote(movie),
                    &out))
        return keys;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) keys.push_back(line[0] == '1');
    return keys;
}

}  // namespace quorva::peers
