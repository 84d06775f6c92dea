// Writes recordings and whole cards as the recorder does. On the card the main and the
// sub camera's movies of a recording lie side by side in the movie folder of its half
// (normal or parking), named alike but for the camera letter (M, S), and its drive-data
// file (camera letter D, ".ADA") lies in the half's data folder. A backup copy holds the
// main movies and drive-data files in "Main" and the sub movies in "Sub_".
#pragma once

#include <string>
#include <vector>

#include "cardwriter/card_plan.h"
#include "cardwriter/drive_route.h"

namespace quorva::cardwriter {

struct RecordingFiles {
    PlannedRecording plan;
    std::string name;   // the main camera's file name
    std::string movie;  // paths written ("" when not written)
    std::string sub;
    std::string data;
    int frames = 0;
    int subFrames = 0;
    int records = 0;
};

struct CardResult {
    bool ok = false;
    std::string error;
    std::vector<RecordingFiles> recordings;
};

// Writes one recording's files under desc.root with the movie settings of desc; the
// route advances through the recording.
bool WriteRecording(const CardRecipe& desc, const PlannedRecording& recording, DriveRoute& route,
                    RecordingFiles& out, std::string* error);

// Writes the layout's four folders (or "Main" and "Sub_") and every recording of
// PlanDemoCard(desc).
CardResult WriteDemoCard(const CardRecipe& desc);

// Quiets FFmpeg's informational messages (encoder statistics) for the whole process.
void QuietCodecLogs();

}  // namespace quorva::cardwriter
