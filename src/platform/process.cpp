#include "platform/process.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <string>

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

void NameThisThread(const char* name) {
    // The kernel keeps 15 characters and the terminating zero.
    const std::string shortName = std::string(name).substr(0, 15);
    ::pthread_setname_np(::pthread_self(), shortName.c_str());
}

}  // namespace quorva::platform
