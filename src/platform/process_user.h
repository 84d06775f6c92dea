// Who the process runs as.
#pragma once

namespace quorva {

// True when the process runs with the administrator's (root's) rights.
bool RunningAsAdministrator();

}  // namespace quorva
