// What the playback controller tells the map window controller and asks of it. Until the
// map exists every call answers "no map": nothing is shown, the logo panel stays.
#pragma once

#include "panels/event_detectors.h"

namespace quorva {

enum class MapPlayState { kStop, kPause, kPlaying };

class PlaybackMap {
  public:
    virtual ~PlaybackMap() = default;

    virtual bool Exists() const { return false; }      // the map window was created
    virtual bool PageReady() const { return false; }   // its page has loaded
    virtual bool SwitchedOn() const { return false; }  // the map is switched on (map shown)
    // 0 when the map is switched off or offline.
    virtual int ConnectTest() { return 0; }
    virtual void Show(bool /*shown*/) {}
    virtual void SetPositionNumber(int /*position*/) {}
    virtual void SetLatLng(double /*latitude*/, double /*longitude*/) {}
    virtual void Invalidate() {}
    virtual void SetPlayState(MapPlayState /*state*/) {}
    // The tracks for recording r (with the whole list's track when groupTrack).
    virtual void LoadGrid(int /*recording*/, bool /*groupTrack*/) {}
    // One event icon; false stops the walk over the event list.
    virtual bool AddEventIcon(const EventPoint& /*event*/) { return true; }
};

}  // namespace quorva
