// Progress reports of long work (movie teardown, join, CSV export): the (wParam, lParam)
// pair that the main window receives as WM_APP_PROGRESS. An empty callback reports nothing.
#pragma once

#include <cstdint>
#include <functional>

#include "appcore/app_messages.h"

namespace quorva {

using ProgressCallback = std::function<void(uintptr_t wParam, intptr_t lParam)>;

// A callback that posts WM_APP_PROGRESS to target (nothing when target is null).
inline ProgressCallback ProgressTo(AppMessageTarget* target) {
    if (!target) return {};
    return [target](uintptr_t w, intptr_t l) { target->PostAppMessage(WM_APP_PROGRESS, w, l); };
}

inline void Report(const ProgressCallback& progress, uint64_t w, int64_t l) {
    if (progress) progress(static_cast<uintptr_t>(w), static_cast<intptr_t>(l));
}

}  // namespace quorva
