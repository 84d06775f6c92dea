// Preloaded only into programs run under valgrind: libhwy (loaded with FFmpeg's JPEG XL
// support) measures its timer with "rdtscp" when starting, which valgrind's virtual CPU
// offers but cannot run on machines without it, so every FFmpeg program would die there
// before main. This stands in for that measurement; nothing of the viewer uses it.
#include <cstdint>

namespace hwy::platform {
uint64_t TimerResolution() {
    return 1;
}
}  // namespace hwy::platform
