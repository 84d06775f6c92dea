// Application messages: the ids that components post to the main window and the movie
// windows. Each carries a wParam and an lParam, as a posted window message would.
#pragma once

#include <cstdint>

#include "platform/app_message_target.h"

namespace quorva {

enum AppMessageId : uint32_t {
    WM_APP_GRAPH_EVENT = 0x8004,
    WM_APP_PROGRESS = 0x8008,
    WM_APP_SLIDER_TRACK = 0x8065,
    WM_APP_SLIDER_BEGIN = 0x8066,
    WM_APP_SLIDER_END = 0x8067,
    WM_APP_MAP_READY = 0x812D,
    WM_APP_MAP_SEEK = 0x812E,
    WM_APP_EVENT_PREV = 0x8191,
    WM_APP_EVENT_NEXT = 0x8192,
    WM_APP_SETTING_CHANGED = 0x81F5,
    WM_APP_MOVIE_MENU = 0x825C,
    WM_APP_MOVIE_CLICK = 0x825F,
    WM_APP_PLAYER_ENDED = 0x8260,
    WM_APP_PLAYER_READY = 0x8261,
    WM_APP_EVENT_FILTER = 0x82BD,
    WM_APP_PREVIEW_ITEM = 0x8386,
    WM_APP_SESSION_ENDED = 0x83EA,
    WM_APP_SESSION_READY = 0x83EB,
    WM_APP_FOLDER_SELECTED = 0x8456,
    WM_APP_SOURCE_REMOVED = 0x84B1,
    WM_APP_PRELOAD_DONE = 0x8515,
    WM_APP_TASK_DONE = 0x8516,
    WM_APP_DELETE_DONE = 0x8517,
    WM_APP_STARTUP = 0x8518,
    WM_APP_APPBAR = 0x8519,
    WM_APP_ZOOM_REFRESH = 0x8579,
    WM_APP_MOVIE_REPOSITION = 0x857B,
    WM_APP_UPDATE_AVAILABLE = 0x87D1,
};

}  // namespace quorva
