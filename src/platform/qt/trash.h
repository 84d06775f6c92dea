// The desktop's trash (the freedesktop.org trash on Linux).
#pragma once

#include <string>

namespace quorva::platform {

// Moves the file to the trash without asking; false when it could not be moved.
bool MoveToTrash(const std::string& path);

}  // namespace quorva::platform
