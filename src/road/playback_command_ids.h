// The command ids of the main window's playback buttons and menu items, and the control ids
// of its two sliders. Buttons carry the command id as their control id; the movie context
// menu uses the same ids.
#pragma once

namespace quorva::command {

inline constexpr int ID_PLAY_STOP = 38000;
inline constexpr int ID_PLAY_PREV = 38001;
inline constexpr int ID_PLAY_PAUSE = 38002;
inline constexpr int ID_PLAY_SLOW = 38003;
inline constexpr int ID_PLAY_FAST = 38004;
inline constexpr int ID_PLAY_NEXT = 38005;
inline constexpr int ID_SNAPSHOT = 38006;
inline constexpr int ID_SAVE_JOINED = 38007;
inline constexpr int ID_ZOOM_MODE = 38008;
inline constexpr int ID_OPEN_SOURCE = 38009;
inline constexpr int ID_DELETE_FILES = 38010;
inline constexpr int ID_SETTINGS = 38011;
inline constexpr int ID_EXPORT_CSV = 38012;
inline constexpr int ID_MAP_TOGGLE = 38013;
inline constexpr int ID_ASPECT_TOGGLE = 38200;
inline constexpr int ID_LEAVE_FULL_SCREEN = 38201;  // the full-screen menu's way out
// The recording list's menu: the GPS track of the selected recording, of the selected group.
inline constexpr int ID_EXPORT_GPX = 38400;
inline constexpr int ID_EXPORT_GPX_GROUP = 38401;
inline constexpr int ID_FILTER_0 = 38700;  // + k for the five kind filters (accepted to 38705)

inline constexpr int IDC_SEEK_SLIDER = 38100;
inline constexpr int IDC_VOLUME_SLIDER = 38101;
inline constexpr int IDC_PROGRESS_BAR = 38102;

inline constexpr int kFirstBottomButton = ID_PLAY_STOP;
inline constexpr int kBottomButtons = 14;  // ID_PLAY_STOP .. ID_MAP_TOGGLE

}  // namespace quorva::command
