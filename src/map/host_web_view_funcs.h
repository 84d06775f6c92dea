// IHostWebViewFuncs: every call the map page makes on the host object "sample" lands here
// (the map window controller implements it). All calls come on the user-interface thread,
// while the page's script waits for the answer.
#pragma once

#include <optional>
#include <string>

#include "map/track_array.h"

namespace quorva {

class IHostWebViewFuncs {
  public:
    virtual ~IHostWebViewFuncs() = default;

    // 1 when the map is switched on and the map service answered the last probe.
    virtual int JS2C_ConnectTest() = 0;
    // The page's map exists: it wants its tracks and pins.
    virtual void JS2C_OnInitHtml() = 0;
    // The track of the whole recording list.
    virtual TrackArray JS2C_GetGPSData() = 0;
    // The track of the current recording; nothing when no drive data is loaded. The text
    // is not used.
    virtual std::optional<TrackArray> JS2C_GetGridData(const std::string& text) = 0;
    // The current position number as decimal text ("-1": none).
    virtual std::string JS2C_GetRelJpgNum() = 0;
    // An event pin was clicked.
    virtual void JS2C_OnClickCrashPoint(int ifile, int igrid, int ipos, int valid, double lat,
                                        double lng, double speed, double direction) = 0;
    // The address of the script that makes the map library available and calls loadLibs.
    virtual std::string JS2C_GetMapURL() = 0;
    // The page asks for the position update message.
    virtual void JS2C_SetSend() = 0;
};

}  // namespace quorva
