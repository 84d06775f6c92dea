// The viewer's own version, as the settings dialog shows it and the update check compares it.
#pragma once

namespace quorva {

inline constexpr const char* kViewerVersion = "1.0.0";

}  // namespace quorva
