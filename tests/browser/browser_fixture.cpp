#include "browser_fixture.h"

#include <cstdio>

#include "appcore/settings_store.h"
#include "recordings/recording_name.h"

namespace quorva::test {

TempFolder::TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string leaf = "quorva-browser-" + std::to_string(::getpid());
    if (info) leaf += std::string("-") + info->test_suite_name() + "-" + info->name();
    for (char& c : leaf)
        if (c == '/') c = '_';
    path_ = fs::temp_directory_path() / leaf;
    for (int n = 1; fs::exists(path_); ++n)
        path_ = fs::temp_directory_path() / (leaf + "-" + std::to_string(n));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void WriteMovie(const std::string& path, size_t size) {
    fs::create_directories(fs::path(path).parent_path());
    std::string bytes(size, '\0');
    const char head[] =
        "\0\0\0\x18"
        "ftypqt  ";
    for (size_t i = 0; i < 12 && i < size; ++i)
        bytes[i] = head[i];
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
}

void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Name(const std::string& prefix, const std::string& date, int number, char camera,
                 const std::string& time) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s-%s-%s-%06d%c.MOV", prefix.c_str(), date.c_str(),
                  time.c_str(), number, camera);
    return buf;
}

void MakeCard(const std::string& root) {
    const char* normal[] = {"A___", "AG__", "AM__", "T___"};
    for (int i = 0; i < 4; ++i)
        WriteMovie(root + "/Normal/" + Name(normal[i], "240131", 10 + i));
    for (int i = 0; i < 2; ++i)
        WriteMovie(root + "/Normal/" + Name("A___", "240131", 20 + i, 'M', "093000"));
    const char* parking[] = {"P___", "PG__", "P_T_"};
    for (int i = 0; i < 3; ++i)
        WriteMovie(root + "/Parking/" + Name(parking[i], "240130", 30 + i, 'M', "220000"));
    fs::create_directories(root + "/_NData");
    fs::create_directories(root + "/_PData");
}

std::vector<std::string> FileNames(const std::vector<RecordingEntry>& entries) {
    std::vector<std::string> names;
    for (const RecordingEntry& e : entries)
        names.emplace_back(FileNameOf(e.path));
    return names;
}

SettingsScope::SettingsScope() : previous_(SettingsDirectory()) {
    SetSettingsDirectory(folder_.str());
}

SettingsScope::~SettingsScope() {
    SetSettingsDirectory(previous_);
}

}  // namespace quorva::test
