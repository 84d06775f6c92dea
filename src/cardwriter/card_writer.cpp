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

bool WriteRecording(const CardRecipe& desc, const PlannedRecording& r, DriveRoute& route,
                    RecordingFiles& out, std::string* error) {
    const CardFolders folders = FoldersOfLayout(desc.layout);
    const bool parking = IsParkingKind(r.kind);
    std::string movieDir, subDir, dataDir;
    if (desc.backup) {
        movieDir = dataDir = desc.root + "/Main";
        subDir = desc.root + "/Sub_";
    } else {
        movieDir = subDir =
            desc.root + "/" + (parking ? folders.parkingMovies : folders.normalMovies);
        dataDir = desc.root + "/" + (parking ? folders.parkingData : folders.normalData);
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

    MovieRecipe m;
    m.width = desc.width;
    m.height = desc.height;
    m.rate = desc.rate;
    m.frames = FramesOf(r.seconds, desc.rate);
    m.gop = desc.gop;
    m.camera = 0;
    m.audio = desc.audio;
    m.crf = desc.crf;
    m.threads = desc.threads;
    m.creationTime = created;
    m.seed = static_cast<uint32_t>(r.fileNumber);
    if (desc.udat) m.udat = block;
    m.scene = [&](int f) { return SceneAt(r, drive, 0, desc.rate, f); };
    const std::string moviePath = movieDir + "/" + out.name;
    if (!WriteMovie(moviePath, m, error)) return false;
    out.movie = moviePath;
    out.frames = m.frames;

    if (desc.sub) {
        MovieRecipe s = m;
        s.width = desc.subWidth;
        s.height = desc.subHeight;
        s.rate = desc.subRate;
        s.frames = FramesOf(r.seconds, desc.subRate);
        s.camera = 1;
        s.audio = false;
        s.scene = [&](int f) { return SceneAt(r, drive, 1, desc.subRate, f); };
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

CardResult WriteDemoCard(const CardRecipe& desc) {
    CardResult result;
    if (desc.layout != 0 && desc.layout != 1) {
        result.error = "layout must be 0 or 1";
        return result;
    }
    if (desc.runs < 0 || desc.perRun < 1 || !(desc.seconds > 0.0)) {
        result.error = "runs must be 0 or more, recordings per run and seconds positive";
        return result;
    }
    const CardFolders folders = FoldersOfLayout(desc.layout);
    std::vector<std::string> made = {folders.normalMovies, folders.normalData,
                                     folders.parkingMovies, folders.parkingData};
    if (desc.backup) made = {"Main", "Sub_"};
    for (const std::string& f : made) {
        std::error_code ec;
        std::filesystem::create_directories(desc.root + "/" + f, ec);
        if (ec) {
            result.error = "cannot create " + desc.root + "/" + f + ": " + ec.message();
            return result;
        }
    }
    DriveRoute route(static_cast<uint32_t>(desc.firstFileNumber));
    for (const PlannedRecording& r : PlanDemoCard(desc)) {
        RecordingFiles files;
        if (!WriteRecording(desc, r, route, files, &result.error)) return result;
        result.recordings.push_back(std::move(files));
    }
    result.ok = true;
    return result;
}

}  // namespace quorva::cardwriter
