#include "cardwriter/card_writer.h"

#include <filesystem>
#include <vector>

#include "cardwriter/movie_writer.h"
#include "cardwriter/recording_drive.h"

extern "C" {
#include <libavutil/log.h>
}

namespace quorva::cardwriter {

void QuietCodecLogs() {
    av_log_set_level(AV_LOG_ERROR);
}

namespace {

int FramesOf(double seconds, FrameRate rate) {
    return std::max(1, static_cast<int>(seconds * rate.num / rate.den + 0.5));
}

}  // namespace

bool WriteRecording(const CardSpec& spec, const PlannedRecording& r, DriveRoute& route,
                    RecordingFiles& out, std::string* error) {
    const CardFolders folders = FoldersOfLayout(spec.layout);
    const bool parking = IsParkingKind(r.kind);
    std::string movieDir, subDir, dataDir;
    if (spec.backup) {
        movieDir = dataDir = spec.root + "/Main";
        subDir = spec.root + "/Sub_";
    } else {
        movieDir = subDir =
            spec.root + "/" + (parking ? folders.parkingMovies : folders.normalMovies);
        dataDir = spec.root + "/" + (parking ? folders.parkingData : folders.normalData);
    }
    for (const std::string& d : {movieDir, subDir, dataDir}) {
        std::error_code ec;
        std::filesystem::create_directories(d, ec);
    }

    out = RecordingFiles{};
    out.plan = r;
    out.name = RecordingFileName(r, 'M');
    const RecordingDrive drive = SimulateRecordingDrive(r, route);
    const std::vector<uint8_t> block = BuildDriveDataBlock(drive.file);
    const uint32_t created = MovieTimeOf(SecondsOf(r.start));

    MovieSpec m;
    m.width = spec.width;
    m.height = spec.height;
    m.rate = spec.rate;
    m.frames = FramesOf(r.seconds, spec.rate);
    m.gop = spec.gop;
    m.camera = 0;
    m.audio = spec.audio;
    m.crf = spec.crf;
    m.threads = spec.threads;
    m.creationTime = created;
    m.seed = static_cast<uint32_t>(r.fileNumber);
    if (spec.udat) m.udat = block;
    m.scene = [&](int f) { return SceneAt(r, drive, 0, spec.rate, f); };
    const std::string moviePath = movieDir + "/" + out.name;
    if (!WriteMovie(moviePath, m, error)) return false;
    out.movie = moviePath;
    out.frames = m.frames;

    if (spec.sub) {
        MovieSpec s = m;
        s.width = spec.subWidth;
        s.height = spec.subHeight;
        s.rate = spec.subRate;
        s.frames = FramesOf(r.seconds, spec.subRate);
        s.camera = 1;
        s.audio = false;
        s.scene = [&](int f) { return SceneAt(r, drive, 1, spec.subRate, f); };
        const std::string subPath = subDir + "/" + RecordingFileName(r, 'S');
        if (!WriteMovie(subPath, s, error)) return false;
        out.sub = subPath;
        out.subFrames = s.frames;
    }

    const std::string dataPath = dataDir + "/" + RecordingFileName(r, 'D');
    if (!WriteDriveDataFile(dataPath, drive.file, error)) return false;
    out.data = dataPath;
    out.records = static_cast<int>(drive.file.records.size());
    return true;
}

CardResult WriteDemoCard(const CardSpec& spec) {
    CardResult result;
    if (spec.layout != 0 && spec.layout != 1) {
        result.error = "layout must be 0 or 1";
        return result;
    }
    if (spec.runs < 0 || spec.perRun < 1 || !(spec.seconds > 0.0)) {
        result.error = "runs must be 0 or more, recordings per run and seconds positive";
        return result;
    }
    const CardFolders folders = FoldersOfLayout(spec.layout);
    std::vector<std::string> made = {folders.normalMovies, folders.normalData,
                                     folders.parkingMovies, folders.parkingData};
    if (spec.backup) made = {"Main", "Sub_"};
    for (const std::string& f : made) {
        std::error_code ec;
        std::filesystem::create_directories(spec.root + "/" + f, ec);
        if (ec) {
            result.error = "cannot create " + spec.root + "/" + f + ": " + ec.message();
            return result;
        }
    }
    DriveRoute route(static_cast<uint32_t>(spec.firstFileNumber));
    for (const PlannedRecording& r : PlanDemoCard(spec)) {
        RecordingFiles files;
        if (!WriteRecording(spec, r, route, files, &result.error)) return result;
        result.recordings.push_back(std::move(files));
    }
    result.ok = true;
    return result;
}

}  // namespace quorva::cardwriter
