// Facts of the running process: its id (for names of temporary files that must not collide
// with another instance's) and the processor time it used.
#pragma once

namespace quorva::platform {

long CurrentProcessId();

// User and system processor time of the whole process so far, in seconds.
double ProcessCpuSeconds();

}  // namespace quorva::platform
