#include "road/playback_movie_menu.h"

#include "appcore/ui_text.h"
#include "road/playback_command_ids.h"
#include "road/playback_player_group.h"

namespace quorva {

using namespace command;

namespace {

constexpr int kTextFast = 79;
constexpr int kTextOpenSource = 81;
constexpr int kTextPause = 82;
constexpr int kTextPlay = 83;
constexpr int kTextSettings = 84;
constexpr int kTextSlow = 85;
constexpr int kTextSnapshot = 86;
constexpr int kTextStop = 87;
constexpr int kTextKeepAspect = 88;
constexpr int kTextStretch = 89;
constexpr int kTextLeaveFullScreen = 174;

PlaybackMenuItem Item(int command, int text, bool enabled = true) {
    return PlaybackMenuItem{command, UiText(text), enabled, false};
}

}  // namespace

std::vector<PlaybackMenuItem> BuildMovieMenu(const MovieMenuInput& in) {
    std::vector<PlaybackMenuItem> items;
    const int state = in.mainValid ? in.mainState : kSlotClosed;
    // Full-screen always offers the way back to the window, last.
    auto leaveFullScreen = [&] {
        items.push_back(PlaybackMenuItem::Separator());
        items.push_back(Item(ID_LEAVE_FULL_SCREEN, kTextLeaveFullScreen));
    };
    if (state == kSlotClosed) {
        items.push_back(Item(ID_SETTINGS, kTextSettings));
        items.push_back(PlaybackMenuItem::Separator());
        items.push_back(Item(ID_OPEN_SOURCE, kTextOpenSource));
        if (in.fullScreen) leaveFullScreen();
        return items;
    }
    if (state == kSlotStopped) {
        items.push_back(Item(ID_PLAY_PAUSE, kTextPlay));
    } else if (state == kSlotPaused) {
        items.push_back(Item(ID_PLAY_PAUSE, kTextPlay));
        items.push_back(Item(ID_PLAY_STOP, kTextStop));
    } else {
        items.push_back(Item(ID_PLAY_PAUSE, kTextPause));
        items.push_back(Item(ID_PLAY_STOP, kTextStop));
        items.push_back(Item(ID_PLAY_FAST, kTextFast, in.rateCode < 2));
        items.push_back(Item(ID_PLAY_SLOW, kTextSlow, in.rateCode >= 0));
    }
    if (in.fullScreen) {
        const bool keeps = in.mainValid && in.keepAspect != 0;
        items.push_back(Item(ID_ASPECT_TOGGLE, keeps ? kTextStretch : kTextKeepAspect));
        leaveFullScreen();
        return items;
    }
    items.push_back(PlaybackMenuItem::Separator());
    items.push_back(Item(ID_SNAPSHOT, kTextSnapshot));
    items.push_back(Item(ID_SETTINGS, kTextSettings));
    items.push_back(PlaybackMenuItem::Separator());
    items.push_back(Item(ID_OPEN_SOURCE, kTextOpenSource));
    return items;
}

}  // namespace quorva
