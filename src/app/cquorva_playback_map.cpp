#include "app/cquorva_playback_map.h"

#include "map/map_dlg.h"
#include "map/map_dlg_wrap.h"

namespace quorva {

bool CquorvaPlaybackMap::Exists() const {
    return map_ && map_->Window();
}

bool CquorvaPlaybackMap::PageReady() const {
    return map_ && map_->PageReady();
}

bool CquorvaPlaybackMap::SwitchedOn() const {
    return map_ && map_->MapSwitch();
}

int CquorvaPlaybackMap::ConnectTest() {
    return map_ ? map_->JS2C_ConnectTest() : 0;
}

void CquorvaPlaybackMap::Show(bool shown) {
    if (!map_) return;
    map_->ShowMap(shown);
    if (shown && map_->Window()) map_->Window()->raise();
}

void CquorvaPlaybackMap::SetPositionNumber(int position) {
    if (map_) map_->SetPositionNumber(position);
}

void CquorvaPlaybackMap::SetLatLng(double latitude, double longitude) {
    if (map_) map_->SetLatLng(latitude, longitude);
}

void CquorvaPlaybackMap::SetPlayState(MapPlayState state) {
    if (!map_) return;
    switch (state) {
        case MapPlayState::kPlaying:
            map_->SetPlayState(kMapPlaying);
            break;
        case MapPlayState::kPause:
            map_->SetPlayState(kMapPaused);
            break;
        case MapPlayState::kStop:
            map_->SetPlayState(kMapStopped);
            break;
    }
}

void CquorvaPlaybackMap::LoadGrid(int recording, bool groupTrack) {
    recording_ = recording;
    if (map_) map_->LoadGrid(recording, groupTrack);
}

bool CquorvaPlaybackMap::AddEventIcon(const EventPoint& event) {
    // The road sends only events with a fix away from 0, 0; one without gives no pin and the
    // others still go.
    if (map_) map_->AddEventPin(event.kind, event.sample, recording_);
    return true;
}

}  // namespace quorva
