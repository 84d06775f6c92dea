// The main window on the fake player, with its settings in a temporary folder, its work
// area fixed at 1920 x 1056 (UI scale 1), no removable drives, and the message dialog
// replaced by a recorder; and a recording road.
#pragma once

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/cquorva_dlg.h"
#include "app/road_seam.h"
#include "browser/filer_container_dlg.h"
#include "fake_player.h"

namespace quorva::test {

// A road that records what reaches it; its states are set by the test.
class FakeRoad : public RoadSeam {
  public:
    struct Message {
        uint32_t id;
        uintptr_t w;
        intptr_t l;
        friend bool operator==(const Message&, const Message&) = default;
    };
    std::vector<int> commands;
    std::vector<Message> messages;
    std::vector<intptr_t> afterTask;
    std::vector<int> rows;
    std::vector<Key> keys;
    std::vector<std::string>* trace = nullptr;  // ResetView, StopAll, StopTick
    bool started = false;
    bool opening = false;
    bool guard = false;
    bool prepare = true;
    int buttonUpdates = 0;

    bool OnCommand(int id) override {
        commands.push_back(id);
        return true;
    }
    bool OnMessage(uint32_t id, uintptr_t w, intptr_t l) override {
        messages.push_back({id, w, l});
        return true;
    }
    bool PrepareTask(int id) override {
        commands.push_back(id);
        return prepare;
    }
    void AfterTask(intptr_t result) override { afterTask.push_back(result); }
    bool EndGuardBlocks() override { return guard; }
    bool Started() const override { return started; }
    bool Opening() const override { return opening; }
    void UpdateButtons() override { ++buttonUpdates; }
    void OnRecordingSelected(int row) override { rows.push_back(row); }
    bool OnKey(Key key) override {
        keys.push_back(key);
        return true;
    }
    std::vector<PlaybackMenuItem> MovieMenuItems(bool) override { return {}; }
    void ResetView() override { Note("road ResetView"); }
    void StopAll() override { Note("road StopAll"); }
    void StopTick() override { Note("road StopTick"); }

  private:
    void Note(const char* what) {
        if (trace) trace->push_back(what);
    }
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A window with the test's options (not yet initialised).
    std::unique_ptr<CquorvaDlg> MakeWindow(MainWindowOptions options = {});
    // Initialised, shown and through its deferred start-up.
    std::unique_ptr<CquorvaDlg> StartWindow(MainWindowOptions options = {});
    void Deliver(QObject* receiver);
    std::string Dir() const { return temp_.path().toStdString(); }
    std::string MakeFolder(const std::string& relative);
    void MakeFile(const std::string& relative, const std::string& content = "x");

    QTemporaryDir temp_;
    bool ownRoad_ = false;  // the windows made get their own road (over the fake player)
    // The messages the window showed: text and caption.
    std::vector<std::pair<std::string, std::string>> shown_;
};

// A file the scan takes for a movie ("ftyp" at bytes 4..7, 300 bytes).
void WriteMovie(const std::string& path);

}  // namespace quorva::test
