// The road's map seam over the map window controller: what the playback controller tells
// the map and asks of it.
#pragma once

#include "road/playback_map.h"

namespace quorva {

class CMapDlgWrap;

class CquorvaPlaybackMap : public PlaybackMap {
  public:
    explicit CquorvaPlaybackMap(CMapDlgWrap* map) : map_(map) {}
    // The controller goes (shut-down): every call answers "no map" from then on.
    void Detach() { map_ = nullptr; }

    bool Exists() const override;
    bool PageReady() const override;
    bool SwitchedOn() const override;
    int ConnectTest() override;
    void Show(bool shown) override;
    void SetPositionNumber(int position) override;
    void SetLatLng(double latitude, double longitude) override;
    void SetPlayState(MapPlayState state) override;
    void LoadGrid(int recording, bool groupTrack) override;
    bool AddEventIcon(const EventPoint& event) override;

  private:
    CMapDlgWrap* map_;
    int recording_ = 0;  // of the last LoadGrid: the pins belong to it
};

}  // namespace quorva
