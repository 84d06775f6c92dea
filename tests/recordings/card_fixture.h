// Small recorder cards and folders made in a temporary folder for the tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace quorva::testing {

namespace fs = std::filesystem;

// A fresh temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string leaf = "quorva-" + std::to_string(::getpid()) + "-" + info->test_suite_name() +
                           "-" + info->name();
        for (char& c : leaf) {
            if (c == '/') c = '_';
        }
        path_ = fs::temp_directory_path() / leaf;
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    std::string str() const { return path_.string(); }
    std::string operator/(const std::string& rel) const { return (path_ / rel).string(); }

  private:
    fs::path path_;
};

// A file with the movie header the recording test looks for ("ftyp" at bytes 4..7).
inline void WriteMovie(const std::string& path, size_t size = 300) {
    fs::create_directories(fs::path(path).parent_path());
    std::string bytes(size, '\0');
    const char head[] =
        "\0\0\0\x18"
        "ftypqt  ";
    for (size_t i = 0; i < 12 && i < size; ++i)
        bytes[i] = head[i];
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

inline void WriteFile(const std::string& path, const std::string& text = "x") {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// "A___-240131-080000-000010M.MOV" from its parts.
inline std::string Name(const std::string& prefix, const std::string& date, int number,
                        char camera = 'M', const std::string& time = "080000") {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s-%s-%s-%06d%c.MOV", prefix.c_str(), date.c_str(),
                  time.c_str(), number, camera);
    return buf;
}

}  // namespace quorva::testing
