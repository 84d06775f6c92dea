#include "fuzz_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace quorva::fuzz {

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        struct stat st {};
        const std::string base = stat("/dev/shm", &st) == 0 ? "/dev/shm" : "/tmp";
        std::string f = base + "/quorva-fuzz-" + std::to_string(getpid());
        mkdir(f.c_str(), 0700);
        // Removed at exit; the path is kept in plain storage, which outlives the string.
        static char removeAtExit[512];
        std::snprintf(removeAtExit, sizeof removeAtExit, "%s", f.c_str());
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return f;
    }();
    return folder;
}

void WriteScratch(const std::string& path, const uint8_t* data, size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        std::perror(path.c_str());
        std::abort();
    }
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0) std::abort();
        data += n;
        size -= static_cast<size_t>(n);
    }
    ::close(fd);
}

}  // namespace quorva::fuzz
