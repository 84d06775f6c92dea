// Reads a GPX file back with Qt's XML reader and checks the rules of GPX 1.1 that the track
// export uses: the root "gpx" in the GPX 1.1 namespace with version 1.1 and a creator, tracks
// of segments of points, each point with "lat" in -90..90 and "lon" in -180..180, its "time"
// (ISO 8601 UTC) before its "extensions", and the times in order.
#pragma once

#include <string>
#include <vector>

namespace quorva::test {

struct GpxCheck {
    bool valid = false;
    std::string problem;  // the first rule broken
    std::string trackName;
    int tracks = 0;
    std::vector<int> segmentPoints;  // points per segment, in order
    int points = 0;
    int timed = 0;   // points with a time
    int speeds = 0;  // points with a speed extension
    double firstLatitude = 0.0;
    std::string firstTime;
};

GpxCheck CheckGpx(const std::string& path);

}  // namespace quorva::test
