#include "road/playback_buttons.h"

#include "road/playback_player_group.h"

namespace quorva {

using namespace command;

std::optional<PlaybackButtonStates> ComputeButtonStates(const PlaybackButtonInputs& in) {
    if (!in.listShown) return std::nullopt;
    PlaybackButtonStates s;
    s.captions = true;
    s.panels = true;
    s.Set(ID_EXPORT_CSV, in.csvAllowed);
    if (in.listCount <= 0) {
        s.Set(ID_OPEN_SOURCE, true);
        return s;
    }
    const bool playing = in.mainState == kSlotPlaying;
    const bool paused = in.mainState == kSlotPaused;
    const bool single = in.listCount == 1;
    s.Set(ID_PLAY_STOP, playing || paused);
    s.Set(ID_PLAY_PREV, !single && in.currentIndex != 0);
    s.Set(ID_PLAY_PAUSE, playing || in.mainDataLoaded);
    s.Set(ID_SNAPSHOT, in.mainDataLoaded);
    s.Set(ID_ZOOM_MODE, in.mainDataLoaded);
    s.Set(ID_PLAY_SLOW, playing && in.rateCode != -2 && in.rateCode != -4);
    s.Set(ID_PLAY_FAST, playing && in.rateCode != 2 && in.rateCode != 4);
    s.Set(ID_PLAY_NEXT, !single && in.currentIndex != in.listCount - 1);
    // Consecutive recordings are joined from a card or from a folder of them.
    s.Set(ID_SAVE_JOINED, in.sourceKind == 1 || in.sourceKind == 2);
    s.Set(ID_DELETE_FILES, in.sourceKind != 3);
    s.Set(ID_OPEN_SOURCE, true);
    s.Set(ID_SETTINGS, true);
    s.Set(ID_MAP_TOGGLE, true);
    return s;
}

PlaybackButtonStates AllButtonsDisabled() {
    return PlaybackButtonStates{};
}

PlaybackButtonStates ButtonsAfterFailedOpen(bool openFailed) {
    PlaybackButtonStates s;
    s.captions = true;
    s.panels = true;
    s.Set(ID_OPEN_SOURCE, true);
    s.Set(ID_DELETE_FILES, openFailed);
    return s;
}

}  // namespace quorva
