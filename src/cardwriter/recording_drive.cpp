#include "cardwriter/recording_drive.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorva::cardwriter {
namespace {

// The shape of a G peak over the five records of an event.
constexpr double kPeak[5] = {0.45, 1.0, 0.75, 0.35, 0.15};
constexpr double kBump[5] = {0.55, 1.0, -0.7, 0.3, 0.1};

int Thousandths(double g) {
    return static_cast<int>(std::lround(g * 1000.0));
}

uint8_t KindCode(RecordingKind kind) {
    return static_cast<uint8_t>(kind);
}

}  // namespace

int RecordCountOf(const PlannedRecording& r) {
    return std::max(1, static_cast<int>(std::lround(r.seconds * 1000.0 / RecordPeriodMs(r.kind))));
}

RecordingDrive SimulateRecordingDrive(const PlannedRecording& r, DriveRoute& route) {
    RecordingDrive d;
    const int n = RecordCountOf(r);
    const double realStep = RealSecondsPerRecord(r.kind);
    const bool parked = IsParkingKind(r.kind);
    const int noFixRecords =
        static_cast<int>(std::lround(r.noFixSeconds * 1000.0 / RecordPeriodMs(r.kind)));
    const int eventFirst = std::max(0, n / 2 - 2);
    const double startOdometer = route.Current().odometer;
    d.file.records.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const DrivePoint p = parked ? route.Park(realStep) : route.Drive(i == 0 ? 0.0 : realStep);
        DriveRecord rec;
        rec.time = AddSeconds(r.start, static_cast<int64_t>(std::floor(i * realStep + 1e-9)));
        rec.fix = i >= noFixRecords;
        rec.positionKnown = rec.fix;
        rec.latitude = p.latitude;
        rec.longitude = p.longitude;
        rec.speed = rec.fix ? static_cast<int>(std::lround(p.speed)) : -1;
        double g[3] = {p.longitudinal, p.lateral, p.vertical};
        const int k = i - eventFirst;
        if (k >= 0 && k < 5) {
            switch (r.event) {
                case DriveEvent::kImpactX:
                    g[0] -= 1.15 * kPeak[k];
                    rec.axis = 'X';
                    break;
                case DriveEvent::kImpactY:
                    g[1] += 0.95 * kPeak[k];
                    rec.axis = 'Y';
                    break;
                case DriveEvent::kBumpZ:
                    g[2] += 1.3 * kBump[k];
                    rec.axis = 'Z';
                    break;
                case DriveEvent::kManual:
                    rec.manualMark = true;
                    break;
                case DriveEvent::kEmergency:
                    rec.emergencyMark = true;
                    break;
                case DriveEvent::kParkingWatch:
                    rec.parkingMark = true;
                    break;
                case DriveEvent::kNone:
                    break;
            }
        }
        for (int a = 0; a < 3; ++a)
            rec.g[a] = Thousandths(g[a]);
        // Parked, the recorder watches the supply: 12.5 V falling slowly.
        if (parked) rec.voltage = 125 - static_cast<int>(i * realStep / 20.0) % 10;
        rec.status = parked ? 1 : 0;
        rec.codes = static_cast<uint8_t>((KindCode(r.kind) << 4) | (rec.fix ? 9 - i / 7 % 3 : 0));
        d.file.records.push_back(rec);
        d.distance.push_back(p.odometer - startOdometer);
    }
    return d;
}

SceneFrame SceneAt(const PlannedRecording& r, const RecordingDrive& drive, int camera,
                   FrameRate rate, int frame) {
    SceneFrame s;
    const double movieSeconds = frame * static_cast<double>(rate.den) / rate.num;
    const double pos = movieSeconds * 1000.0 / RecordPeriodMs(r.kind);
    const int n = static_cast<int>(drive.distance.size());
    const int i = std::clamp(static_cast<int>(pos), 0, std::max(0, n - 1));
    if (n > 0) {
        const double frac = std::clamp(pos - i, 0.0, 1.0);
        const double next = i + 1 < n ? drive.distance[static_cast<size_t>(i + 1)]
                                      : drive.distance[static_cast<size_t>(i)];
        s.distance = drive.distance[static_cast<size_t>(i)] * (1 - frac) + next * frac;
    }
    const double real = movieSeconds * (IsTimeLapseKind(r.kind) ? kTimeLapseFactor : 1);
    const CivilTime t = AddSeconds(r.start, static_cast<int64_t>(std::floor(real + 1e-9)));
    char caption[64];
    std::snprintf(caption, sizeof caption, "%s #%06d  %s %06d", camera == 0 ? "MAIN" : "SUB", frame,
                  NameLetters(r.kind, r.runStart).c_str(), r.fileNumber);
    s.caption = caption;
    char tail[32] = "";
    if (n > 0) {
        const DriveRecord& rec = drive.file.records[static_cast<size_t>(i)];
        if (IsParkingKind(r.kind) && rec.voltage >= 0)
            std::snprintf(tail, sizeof tail, "  P %d.%dV", rec.voltage / 10, rec.voltage % 10);
        else if (rec.speed >= 0)
            std::snprintf(tail, sizeof tail, "  %3dKM/H", rec.speed);
        else
            std::snprintf(tail, sizeof tail, "  NO GPS");
    }
    s.overlay = OverlayTime(t) + tail;
    return s;
}

}  // namespace quorva::cardwriter
