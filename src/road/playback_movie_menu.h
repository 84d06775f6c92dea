// The items of the movie context menu by the main slot's state.
#pragma once

#include <string>
#include <vector>

namespace quorva {

// One item of the menu (the fields of the main window's owner-drawn menu items).
struct PlaybackMenuItem {
    int id = 0;  // command id; 0 for a separator
    std::string text;
    bool enabled = true;
    bool separator = false;

    static PlaybackMenuItem Separator() { return PlaybackMenuItem{0, {}, true, true}; }
    friend bool operator==(const PlaybackMenuItem&, const PlaybackMenuItem&) = default;
};

struct MovieMenuInput {
    bool mainValid = false;
    int mainState = 0;  // PlaybackSlotState of slot 0
    int rateCode = 1;
    int keepAspect = 1;  // slot 0 keeps the picture's aspect ratio
    bool fullScreen = false;
};

// Closed (or invalid): 設定, a separator, 参照. Stopped: 再生; paused: 再生, 停止; playing:
// 一時停止, 停止, 早送り (greyed from code 2), スロー (greyed at negative codes). Then in
// full-screen only the aspect item, otherwise a separator, 静止画, 設定, a separator, 参照.
// The aspect item names the mode that choosing it switches to. In full-screen a separator and
// "フルスクリーンを終了" (ID_LEAVE_FULL_SCREEN) end the menu.
std::vector<PlaybackMenuItem> BuildMovieMenu(const MovieMenuInput& in);

}  // namespace quorva
