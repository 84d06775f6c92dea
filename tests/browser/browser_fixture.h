// Small recorder cards and folders made in a temporary folder, a temporary settings folder,
// and a listener that records what the file browser reports (standard library only).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "browser/file_browser_listener.h"
#include "recordings/recording_entry.h"

namespace quorva::test {

namespace fs = std::filesystem;

// A fresh temporary folder named after the running test, removed with the object.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string str() const { return path_.string(); }
    std::string operator/(const std::string& rel) const { return (path_ / rel).string(); }

  private:
    fs::path path_;
};

// A file with the movie header the recording test looks for ("ftyp" at bytes 4..7).
void WriteMovie(const std::string& path, size_t size = 300);
void WriteFile(const std::string& path, const std::string& text = "x");

// "A___-240131-080000-000010M.MOV" from its parts.
std::string Name(const std::string& prefix, const std::string& date, int number, char camera = 'M',
                 const std::string& time = "080000");

// A card with layout 0 under root: "Normal" holds two runs on 240131 (numbers 10..13:
// A___, AG__, AM__, T___; and 20..21: A___, A___), "Parking" one run (30..32: P___, PG__,
// P_T_), and the two data folders.
void MakeCard(const std::string& root);

// The file names of a list of entries.
std::vector<std::string> FileNames(const std::vector<RecordingEntry>& entries);

// Points the settings store at a temporary folder for one test.
class SettingsScope {
  public:
    SettingsScope();
    ~SettingsScope();
    const TempFolder& Folder() const { return folder_; }

  private:
    TempFolder folder_;
    std::string previous_;
};

// Records the file browser's reports; can run a step of its own on each.
class RecordingListener : public FileBrowserListener {
  public:
    std::vector<FolderSelection> folders;
    std::vector<int> rows;
    std::vector<int> filters;
    std::function<void(const FolderSelection&)> onFolder;

    void OnFolderSelected(const FolderSelection& selection) override {
        folders.push_back(selection);
        if (onFolder) onFolder(selection);
    }
    void OnRecordingSelected(int row) override { rows.push_back(row); }
    void OnFilterCommand(int k) override { filters.push_back(k); }
};

}  // namespace quorva::test
