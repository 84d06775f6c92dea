// Facts of the running process: its id (for names of temporary files that must not collide
// with another instance's), who it runs as, and the processor time it used.
#pragma once

namespace quorva::platform {

long CurrentProcessId();

// True when the process runs with the administrator's (root's) rights.
bool RunningAsAdministrator();

// User and system processor time of the whole process so far, in seconds.
double ProcessCpuSeconds();

}  // namespace quorva::platform
