// Facts of the running process: its id (for names of temporary files that must not collide
// with another instance's), who it runs as, the processor time it used, and its threads'
// names.
#pragma once

namespace quorva::platform {

long CurrentProcessId();

// True when the process runs with the administrator's (root's) rights.
bool RunningAsAdministrator();

// User and system processor time of the whole process so far, in seconds.
double ProcessCpuSeconds();

// Names the calling thread for the system's tools (at most 15 characters are kept).
void NameThisThread(const char* name);

}  // namespace quorva::platform
