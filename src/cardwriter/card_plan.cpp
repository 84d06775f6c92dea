#include "cardwriter/card_plan.h"

#include <cmath>
#include <cstdio>

namespace quorva::cardwriter {

std::string NameLetters(RecordingKind kind, bool runStart) {
    std::string s;
    switch (kind) {
        case RecordingKind::kContinuous:
            s = "A__";
            break;
        case RecordingKind::kImpact:
            s = "AG_";
            break;
        case RecordingKind::kManual:
            s = "AM_";
            break;
        case RecordingKind::kTimeLapse:
            s = "T__";
            break;
        case RecordingKind::kParking:
            s = "P__";
            break;
        case RecordingKind::kParkingImpact:
            s = "PG_";
            break;
        case RecordingKind::kParkingTimeLapse:
            s = "P_T";
            break;
    }
    return s + (runStart ? 'S' : '_');
}

std::string RecordingFileName(const PlannedRecording& r, char camera) {
    char number[8];
    std::snprintf(number, sizeof number, "%06d", r.fileNumber % 1000000);
    return NameLetters(r.kind, r.runStart) + "-" + NameDate(r.start) + "-" + NameTime(r.start) +
           "-" + number + camera + (camera == 'D' ? ".ADA" : ".MOV");
}

bool IsTimeLapseKind(RecordingKind kind) {
    return kind == RecordingKind::kTimeLapse || kind == RecordingKind::kParkingTimeLapse;
}

bool IsParkingKind(RecordingKind kind) {
    return kind == RecordingKind::kParking || kind == RecordingKind::kParkingImpact ||
           kind == RecordingKind::kParkingTimeLapse;
}

double RealSecondsPerRecord(RecordingKind kind) {
    return IsTimeLapseKind(kind) ? 1.0 : 0.1;
}

double RecordPeriodMs(RecordingKind kind) {
    return IsTimeLapseKind(kind) ? 1000.0 / kTimeLapseFactor : 100.0;
}

CardFolders FoldersOfLayout(int layout) {
    if (layout == 1) return {"Video", "_VData", "Parking", "_PData"};
    return {"Normal", "_NData", "Parking", "_PData"};
}

std::vector<PlannedRecording> PlanDemoCard(const CardRecipe& desc) {
    std::vector<PlannedRecording> plan;
    int number = desc.firstFileNumber;
    const int64_t length = static_cast<int64_t>(std::ceil(desc.seconds));
    CivilTime runStart = desc.start;
    // Events spread over the continuous recordings after the first (which starts without
    // a fix, as the first recording of a day does while the receiver searches).
    const DriveEvent roles[] = {DriveEvent::kImpactX, DriveEvent::kManual, DriveEvent::kBumpZ,
                                DriveEvent::kImpactY, DriveEvent::kEmergency};
    int index = 0;
    for (int run = 0; run < desc.runs; ++run) {
        CivilTime t = runStart;
        for (int i = 0; i < desc.perRun; ++i, ++index) {
            PlannedRecording r;
            r.runStart = i == 0;
            r.start = t;
            r.fileNumber = number++;
            r.seconds = desc.seconds;
            if (index == 0) r.noFixSeconds = desc.seconds * 0.4;
            const int role = index - 1;
            if (role >= 0 && role < static_cast<int>(std::size(roles))) r.event = roles[role];
            if (r.event == DriveEvent::kImpactX || r.event == DriveEvent::kImpactY)
                r.kind = RecordingKind::kImpact;
            if (r.event == DriveEvent::kManual) r.kind = RecordingKind::kManual;
            plan.push_back(r);
            t = AddSeconds(t, length);
        }
        // The next drive starts later the same day.
        runStart = AddSeconds(t, 47 * 60 + 13);
    }
    if (!desc.extras) return plan;

    // A time-lapse drive: 15 times the real time in each second of movie.
    PlannedRecording tl;
    tl.kind = RecordingKind::kTimeLapse;
    tl.runStart = true;
    tl.start = runStart;
    tl.fileNumber = number++;
    tl.seconds = desc.seconds;
    plan.push_back(tl);
    CivilTime parked = AddSeconds(runStart, length * kTimeLapseFactor + 3 * 60);

    // Parked: motion wakes the recorder, then a knock, then time-lapse watching.
    const RecordingKind parking[] = {RecordingKind::kParking, RecordingKind::kParkingImpact,
                                     RecordingKind::kParkingTimeLapse};
    for (size_t i = 0; i < std::size(parking); ++i) {
        PlannedRecording r;
        r.kind = parking[i];
        r.runStart = i == 0;
        r.start = parked;
        r.fileNumber = number++;
        r.seconds = desc.seconds;
        r.event = parking[i] == RecordingKind::kParkingImpact ? DriveEvent::kBumpZ
                                                              : DriveEvent::kParkingWatch;
        plan.push_back(r);
        parked = AddSeconds(parked, length * (IsTimeLapseKind(r.kind) ? kTimeLapseFactor : 1));
    }
    return plan;
}

}  // namespace quorva::cardwriter
