// The enabled state of the main window's bottom buttons, caption buttons and panels, from the
// state of the main slot, the list and the source.
#pragma once

#include <array>
#include <optional>

#include "road/playback_command_ids.h"

namespace quorva {

struct PlaybackButtonInputs {
    bool listShown = false;  // the file browser shows its list
    int listCount = 0;       // recordings in the list
    int currentIndex = -1;
    int mainState = 0;  // PlaybackSlotState of slot 0; closed when it is invalid
    int rateCode = 1;   // slot 0's rate code
    bool mainDataLoaded = false;
    bool csvAllowed = false;
    int sourceKind = 0;  // 1 SD card, 2 folder, 3 single file
};

struct PlaybackButtonStates {
    std::array<bool, command::kBottomButtons> bottom{};  // by command - ID_PLAY_STOP
    bool captions = false;                               // the four caption buttons
    bool panels = false;  // info panel and its buttons, folder tree, file list, browser buttons

    bool Enabled(int commandId) const {
        const int i = commandId - command::kFirstBottomButton;
        return i >= 0 && i < command::kBottomButtons && bottom[i];
    }
    void Set(int commandId, bool on) {
        const int i = commandId - command::kFirstBottomButton;
        if (i >= 0 && i < command::kBottomButtons) bottom[i] = on;
    }
    friend bool operator==(const PlaybackButtonStates&, const PlaybackButtonStates&) = default;
};

// The states after "update the buttons"; nothing while the browser does not show its list.
std::optional<PlaybackButtonStates> ComputeButtonStates(const PlaybackButtonInputs& in);

// Everything disabled (while a recording opens and near the end of a recording).
PlaybackButtonStates AllButtonsDisabled();

// After an open failed or timed out: the controls again, but of the bottom buttons only
// ID_OPEN_SOURCE and, when the open failed, ID_DELETE_FILES.
PlaybackButtonStates ButtonsAfterFailedOpen(bool openFailed);

}  // namespace quorva
