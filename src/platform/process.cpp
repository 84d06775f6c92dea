#include "platform/process.h"

#include <sys/resource.h>
#include <unistd.h>

namespace quorva::platform {

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

bool RunningAsAdministrator() {
    return ::geteuid() == 0;
}

double ProcessCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace quorva::platform
