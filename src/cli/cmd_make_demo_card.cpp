// quorva-cli make-demo-card: writes a recorder card (folders, names, main and sub movies,
// drive-data files) for tests, benchmarks and a first look at the viewer.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cardwriter/card_writer.h"
#include "cli/cli_command.h"
#include "cli/json_writer.h"

namespace quorva::cli {
namespace {

using cardwriter::CardRecipe;

const char* KindName(cardwriter::RecordingKind kind) {
    using cardwriter::RecordingKind;
    switch (kind) {
        case RecordingKind::kContinuous:
            return "continuous";
        case RecordingKind::kImpact:
            return "impact";
        case RecordingKind::kManual:
            return "manual";
        case RecordingKind::kTimeLapse:
            return "time-lapse";
        case RecordingKind::kParking:
            return "parking";
        case RecordingKind::kParkingImpact:
            return "parking-impact";
        case RecordingKind::kParkingTimeLapse:
            return "parking-time-lapse";
    }
    return "";
}

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseSize(const std::string& s, int& w, int& h) {
    const auto x = s.find('x');
    return x != std::string::npos && ParseInt(s.substr(0, x), 16, 4096, w) &&
           ParseInt(s.substr(x + 1), 16, 2304, h) && w % 2 == 0 && h % 2 == 0;
}

int Usage(const std::string& message) {
    std::fprintf(stderr, "make-demo-card: %s\n", message.c_str());
    return 2;
}

int MakeDemoCard(const std::vector<std::string>& args) {
    CardRecipe desc;
    bool haveDir = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--layout") {
            if (!value(v) || !ParseInt(v, 0, 1, desc.layout)) return Usage("--layout takes 0 or 1");
        } else if (a == "--runs") {
            if (!value(v) || !ParseInt(v, 0, 1000, desc.runs)) return Usage("--runs takes 0..1000");
        } else if (a == "--per-run") {
            if (!value(v) || !ParseInt(v, 1, 1000, desc.perRun))
                return Usage("--per-run takes 1..1000");
        } else if (a == "--seconds") {
            char* end = nullptr;
            if (!value(v)) return Usage("--seconds takes a number");
            desc.seconds = std::strtod(v.c_str(), &end);
            if (v.empty() || *end || !(desc.seconds > 0.0) || desc.seconds > 3600)
                return Usage("--seconds takes a number from above 0 to 3600");
        } else if (a == "--size") {
            if (!value(v) || !ParseSize(v, desc.width, desc.height))
                return Usage("--size takes WxH, even numbers from 16x16 to 4096x2304");
        } else if (a == "--sub-size") {
            if (!value(v) || !ParseSize(v, desc.subWidth, desc.subHeight))
                return Usage("--sub-size takes WxH, even numbers from 16x16 to 4096x2304");
        } else if (a == "--fps") {
            if (!value(v) || !cardwriter::ParseFrameRate(v, desc.rate))
                return Usage("--fps takes a rate such as 30, 27.5 or 30000/1001");
        } else if (a == "--sub-fps") {
            if (!value(v) || !cardwriter::ParseFrameRate(v, desc.subRate))
                return Usage("--sub-fps takes a rate such as 30, 27.5 or 30000/1001");
        } else if (a == "--gop") {
            if (!value(v) || !ParseInt(v, 1, 1000, desc.gop)) return Usage("--gop takes 1..1000");
        } else if (a == "--no-extras") {
            desc.extras = false;
        } else if (a == "--crf") {
            if (!value(v) || !ParseInt(v, 0, 51, desc.crf)) return Usage("--crf takes 0..51");
        } else if (a == "--backup") {
            desc.backup = true;
        } else if (a == "--no-sub") {
            desc.sub = false;
        } else if (!a.empty() && a[0] == '-') {
            return Usage("unknown option " + a);
        } else if (!haveDir) {
            desc.root = a;
            haveDir = true;
        } else {
            return Usage("one folder only");
        }
    }
    if (!haveDir) return Usage("the card folder is missing");
    while (desc.root.size() > 1 && desc.root.back() == '/')
        desc.root.pop_back();

    cardwriter::QuietCodecLogs();
    const cardwriter::CardResult card = cardwriter::WriteDemoCard(desc);
    if (!card.ok) {
        std::fprintf(stderr, "make-demo-card: %s\n", card.error.c_str());
        return 1;
    }
    JsonWriter j;
    j.BeginObject();
    j.Field("dir", desc.root);
    j.Field("layout", desc.layout);
    j.Key("recordings").BeginArray();
    for (const auto& r : card.recordings) {
        j.BeginObject();
        j.Field("name", r.name);
        j.Field("kind", KindName(r.plan.kind));
        j.Field("movie", r.movie);
        if (r.sub.empty())
            j.Key("sub").Null();
        else
            j.Field("sub", r.sub);
        j.Field("data", r.data);
        j.Field("frames", r.frames);
        j.Field("sub_frames", r.subFrames);
        j.Field("records", r.records);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

const CliCommand kMakeDemoCard(
    "make-demo-card",
    "DIR [--layout 0|1] [--runs R] [--per-run N] [--seconds S] [--size WxH] [--sub-size WxH]\n"
    "      [--fps F] [--sub-fps F] [--gop N] [--crf Q] [--no-extras] [--no-sub]\n"
    "      [--backup]\n"
    "      writes a recorder card: R continuous runs of N recordings (impact, manual and\n"
    "      G events among them) and, unless --no-extras, a time-lapse run and a parking run;\n"
    "      --backup writes a backup copy (\"Main\" and \"Sub_\") instead of the card folders;\n"
    "      answers "
    "{\"dir\",\"layout\",\"recordings\":[{\"name\",\"kind\",\"movie\",\"sub\",\"data\",\n"
    "      \"frames\",\"sub_frames\",\"records\"}]} (\"sub\" null with --no-sub)",
    MakeDemoCard);

}  // namespace
}  // namespace quorva::cli
