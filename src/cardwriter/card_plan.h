// What a demo card holds: the recordings in recording order, each with its kind (and so
// its name letters), start time, file number, length and the event it shows.
#pragma once

#include <string>
#include <vector>

#include "cardwriter/civil_time.h"
#include "cardwriter/movie_writer.h"

namespace quorva::cardwriter {

enum class RecordingKind {
    kContinuous,        // A___
    kImpact,            // AG__
    kManual,            // AM__
    kTimeLapse,         // T___ (continuous time-lapse)
    kParking,           // P___
    kParkingImpact,     // PG__
    kParkingTimeLapse,  // P_T_
};

// The drive-data event a recording shows (on a few records around its middle).
enum class DriveEvent {
    kNone,
    kImpactX,       // a hard brake: G1 peak, axis letter X
    kImpactY,       // a swerve: G2 peak, axis letter Y
    kBumpZ,         // a pothole: G3 peak, axis letter Z
    kManual,        // the record button: 'D' at offset 72
    kEmergency,     // emergency recording stop: 'D' at offset 75
    kParkingWatch,  // parking monitoring triggered: 'D' at offset 76
};

struct PlannedRecording {
    RecordingKind kind = RecordingKind::kContinuous;
    bool runStart = false;  // 'S' at position 3
    CivilTime start;
    int fileNumber = 1;
    double seconds = 3.0;  // length of the movie
    DriveEvent event = DriveEvent::kNone;
    double noFixSeconds = 0.0;  // movie seconds at the start without a GPS fix
};

struct CardRecipe {
    std::string root;  // the card's root folder (created when missing)
    int layout = 0;    // 0: "Normal"/"_NData", 1: "Video"/"_VData"; both with "Parking"/"_PData"
    // A backup copy instead of a card: main movies and drive data in "Main", the sub
    // camera's movies in the sibling "Sub_".
    bool backup = false;
    int runs = 2;    // continuous runs
    int perRun = 3;  // recordings per run
    double seconds = 3.0;
    // Also a continuous time-lapse run and a parking run (parking, parking impact and
    // parking time-lapse recordings).
    bool extras = true;
    int width = 640, height = 360;
    FrameRate rate{30, 1};
    bool sub = true;  // write the sub camera's movies
    int subWidth = 320, subHeight = 180;
    FrameRate subRate{55, 2};  // 27.5 frames per second
    bool audio = true;         // sound in the main camera's movies
    bool udat = true;          // drive-data block in the movies' "udat" box
    int gop = 15;
    int crf = 23;
    int threads = 0;
    CivilTime start{2024, 5, 18, 9, 12, 30};
    int firstFileNumber = 101;
};

// The four name letters of a recording: class, trigger, time-lapse/extra, run start.
std::string NameLetters(RecordingKind kind, bool runStart);
// "A__S-240518-091230-000101M.MOV" for camera 'M' or 'S'; 'D' gives the ".ADA" name.
std::string RecordingFileName(const PlannedRecording& r, char camera);
bool IsTimeLapseKind(RecordingKind kind);
bool IsParkingKind(RecordingKind kind);
// Real seconds one drive-data record stands for (0.1, or 1.0 in time-lapse: one record
// every 66.666664 ms of movie at 15 times the speed) and movie ms between records.
double RealSecondsPerRecord(RecordingKind kind);
double RecordPeriodMs(RecordingKind kind);
constexpr int kTimeLapseFactor = 15;

// Folder names of a layout: movie and data folders of the normal and the parking half.
struct CardFolders {
    std::string normalMovies, normalData, parkingMovies, parkingData;
};
CardFolders FoldersOfLayout(int layout);

// The recordings of a demo card, in recording order.
std::vector<PlannedRecording> PlanDemoCard(const CardRecipe& desc);

}  // namespace quorva::cardwriter
