// The drive data of one planned recording, simulated along the route, and what its
// pictures show at each frame (distance driven, time, speed).
#pragma once

#include <vector>

#include "cardwriter/card_plan.h"
#include "cardwriter/drive_data_writer.h"
#include "cardwriter/drive_route.h"
#include "cardwriter/scene_painter.h"

namespace quorva::cardwriter {

struct RecordingDrive {
    DriveDataFile file;
    std::vector<double> distance;  // metres since the recording started, per record
};

// Number of drive-data records of a recording: one per record period of its movie.
int RecordCountOf(const PlannedRecording& r);

// Advances the route through the recording (parked recordings stay where the car is).
RecordingDrive SimulateRecordingDrive(const PlannedRecording& r, DriveRoute& route);

// What frame `frame` of a camera's movie at `rate` shows.
SceneFrame SceneAt(const PlannedRecording& r, const RecordingDrive& drive, int camera,
                   FrameRate rate, int frame);

}  // namespace quorva::cardwriter
