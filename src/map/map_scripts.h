// The scripts the host runs in the map page: the steps of loading a recording's tracks and
// one event pin per event.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "container/drive_data_samples.h"

namespace quorva {

inline constexpr const char* kClearCrashPosScript = "cplist.ClearCrashPos()";
inline constexpr const char* kRemoveLineListScript = "orbitgrplist.RemoveLineList()";
inline constexpr const char* kCreateLineScript = "orbitgrplist.CreateLine()";
inline constexpr const char* kMoveMarkerScript = "orbitgrplist.MoveMarker()";

// Clear the pins, remove the position lines, redraw the list's track when drawGroup, then
// load the recording's track: three or four scripts.
std::vector<std::string> LoadGridScripts(int recording, bool drawGroup);

// The twelve values of one event pin.
struct CrashPos {
    int icolor = 0;  // event kind, picks the pin
    double levelx = 0.0, levely = 0.0, levelz = 0.0;
    int ifile = 0;
    int igrid = 0;  // index of the recording in the list
    int ipos = 0;   // position number of the event
    double lat = 0.0, lng = 0.0;
    int valid = 0;
    double speed = 0.0, direction = 0.0;
};

std::string AddCrashPosScript(const CrashPos& pos);

// The pin of an event of kind `kind` at G sample `sample` of recording `recording`; nothing
// when the sample has no linked fix or its fix lies at latitude 0 and longitude 0.
std::optional<CrashPos> EventPinFor(int kind, const GSensorSample* sample, int recording);

}  // namespace quorva
