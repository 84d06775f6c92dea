// A playback controller wired to the fakes: one folder of three recordings with 1800 frames of
// drive data each, and the steps that take a recording from selected to started.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "road_fakes.h"

namespace quorva::test {

class RoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        players.MakeDriveData(1800);
        SetFolders({{RecordingPath("/card/Normal", 1), RecordingPath("/card/Normal", 2),
                     RecordingPath("/card/Normal", 3)}});
        PlaybackControllerParts parts{players,  window,    window,    window, timers, timers,
                                      messages, catalogue, detectors, &map(), nullptr};
        parts.writeSetting = [this](std::string_view section, std::string_view key,
                                    std::string_view value) {
            settings.emplace_back(std::string(section), std::string(key), std::string(value));
            return true;
        };
        road = std::make_unique<PlaybackController>(std::move(parts));
        window.controller = road.get();
    }

    // The tree's folders (items 1..n); folder 1 is selected and loaded.
    void SetFolders(std::vector<std::vector<std::string>> folders) {
        window.folders = std::move(folders);
        window.selectedFolder = 1;
        catalogue = EntriesFor(window.folders[0]);
    }

    virtual PlaybackMap& map() { return noMap; }

    const std::string& PathOf(int row) const { return catalogue[static_cast<size_t>(row)].path; }

    // The player reports ready; without the browser's continuous mark the data reader then
    // runs and its answer is delivered.
    void Ready() {
        road->OnPlayerReady();
        if (!road->Started()) Deliver();
    }
    void Deliver() {
        FakeMessages::Message m{};
        ASSERT_TRUE(messages.Wait(m)) << "no answer of the data reader";
        road->HandleAppMessage(m.id, m.wParam, m.lParam);
    }
    // The user selects a row; 500 ms later it opens; the player gets ready; the data come.
    void Open(int row) {
        road->OnRecordingSelected(row);
        timers.Advance(kOpenDelayMs);
        Ready();
        ASSERT_TRUE(road->Started());
    }
    void OpenAndPlay(int row) {
        Open(row);
        road->OnPlayPause();
        ASSERT_EQ(players.State(0), kSlotPlaying);
    }
    void Tick(int n = 1) { timers.Advance(static_cast<int64_t>(kPlaybackTickMs) * n); }

    std::vector<RecordingEntry> catalogue;
    FakePlayers players;
    FakeWindow window{catalogue};
    FakeTimers timers;
    FakeMessages messages;
    EventDetectors detectors;
    PlaybackMap noMap;
    std::vector<std::tuple<std::string, std::string, std::string>> settings;
    std::unique_ptr<PlaybackController> road;
};

}  // namespace quorva::test
