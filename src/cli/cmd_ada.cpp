// quorva-cli ada [--frames N --frame-ms F] FILE: the decoded drive-data file: header,
// sample period, records, maximum G, trailer, GPS and G samples, and with a frame count
// and duration the per-frame index (positions are then frame numbers).
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "container/drive_data_store.h"

namespace quorva::cli {
namespace {

bool ParseNumber(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(out);
}

std::string Chars(const char* p, size_t n) {
    std::string s;
    for (size_t i = 0; i < n && p[i] != '\0'; ++i)
        s += p[i];
    return s;
}

int Ada(const std::vector<std::string>& args) {
    std::string file;
    double frames = -1, frameMs = -1;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--frames" || args[i] == "--frame-ms") && i + 1 < args.size()) {
            double& target = args[i] == "--frames" ? frames : frameMs;
            if (!ParseNumber(args[i + 1], target) || target < 0) {
                std::fprintf(stderr, "ada: %s needs a number\n", args[i].c_str());
                return 2;
            }
            ++i;
        } else if (file.empty() && args[i].rfind("--", 0) != 0) {
            file = args[i];
        } else {
            std::fprintf(stderr, "ada: unexpected argument '%s'\n", args[i].c_str());
            return 2;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "ada: give a drive-data FILE\n");
        return 2;
    }
    if ((frames >= 0) != (frameMs >= 0)) {
        std::fprintf(stderr, "ada: --frames and --frame-ms go together\n");
        return 2;
    }
    DriveDataStore store;
    if (!store.Load(file)) {
        std::fprintf(stderr, "ada: %s holds no readable drive-data block\n", file.c_str());
        return 1;
    }
    const bool indexed = frames >= 0;
    if (indexed) {
        store.SetFrameDuration(static_cast<float>(frameMs));
        store.BuildFrameIndex(static_cast<uint64_t>(frames));
    }
    // The trailer: the bytes after the end tag.
    std::string trailer;
    bool haveTrailer = false;
    {
        DriveDataStore scan;
        if (scan.Open(file)) {
            haveTrailer = scan.FindTag("CSMEND", [&](const uint8_t* p, size_t n) {
                trailer = Chars(reinterpret_cast<const char*>(p), std::min<size_t>(n, 8));
                return 0;
            });
        }
    }
    double maxG = store.MaxG();
    if (!store.IsIndexed()) {
        for (const auto& g : store.GSensor())
            maxG = std::max({maxG, std::fabs(g.g1), std::fabs(g.g2), std::fabs(g.g3)});
    }

    const DriveDataHeader& h = store.Header();
    const auto& gps = store.Gps();
    JsonWriter json;
    json.BeginObject();
    json.Key("header").BeginObject();
    json.Key("values").BeginArray();
    for (float v : h.values)
        json.Double(ShortestOfFloat(v));
    json.EndArray();
    json.Field("mode", Chars(&h.mode, 1));
    json.Field("version", Chars(h.version, 6));
    json.Field("a", Chars(&h.a, 1));
    json.Field("b", Chars(&h.b, 1));
    json.Field("timelapse", Chars(&h.timeLapse, 1));
    json.EndObject();
    json.Field("period_ms", ShortestOfFloat(store.SamplePeriod()));
    json.Field("records", static_cast<int64_t>(store.RecordCount()));
    json.Field("max_g", ShortestOfFloat(maxG));
    json.Key("trailer");
    haveTrailer ? json.String(trailer) : json.Null();
    json.Key("gps").BeginArray();
    for (const GpsSample& s : gps) {
        json.BeginObject();
        json.Field("index", static_cast<int64_t>(s.index));
        json.Field("position", static_cast<int64_t>(s.position));
        json.Field("valid", static_cast<int64_t>(s.valid));
        json.Field("lat", s.latitude);
        json.Field("lng", s.longitude);
        json.Field("speed", s.speed);
        json.Field("time", FormatSystemTime(s.time));
        json.EndObject();
    }
    json.EndArray();
    json.Key("g").BeginArray();
    for (const GSensorSample& s : store.GSensor()) {
        json.BeginObject();
        json.Field("index", static_cast<int64_t>(s.index));
        json.Field("position", static_cast<int64_t>(s.position));
        json.Field("event", static_cast<int64_t>(s.eventCode));
        json.Field("axis", static_cast<int64_t>(s.axis));
        json.Field("status", static_cast<int64_t>(s.status));
        json.Field("voltage", static_cast<int64_t>(s.voltage));
        json.Key("g")
            .BeginArray()
            .Double(ShortestOfFloat(s.g1))
            .Double(ShortestOfFloat(s.g2))
            .Double(ShortestOfFloat(s.g3))
            .EndArray();
        json.Field("code_high", static_cast<int64_t>(s.codeHigh));
        json.Field("code_low", static_cast<int64_t>(s.codeLow));
        json.Field("gps",
                   s.linkedGps ? static_cast<int64_t>(s.linkedGps - gps.data()) : int64_t{-1});
        json.EndObject();
    }
    json.EndArray();
    if (indexed) {
        json.Key("frame_index").BeginArray();
        const GSensorSample* first = store.GSensor().data();
        for (const GSensorSample* s : store.FrameIndex())
            json.Int(s ? static_cast<int64_t>(s - first) : int64_t{-1});
        json.EndArray();
    }
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kAda("ada", "[--frames N --frame-ms F] FILE", Ada);

}  // namespace
}  // namespace quorva::cli
