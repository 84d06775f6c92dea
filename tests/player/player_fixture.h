// Movies for the engine tests, written at test time by the recorder-card writer (H.264
// pictures stamped with camera and frame number), and small helpers around the slots.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "appcore/app_messages.h"
#include "cardwriter/frame_stamp.h"
#include "cardwriter/movie_writer.h"
#include "container/drive_data_store.h"
#include "player/ffmpeg_player.h"
#include "player/offscreen_video_output.h"
#include "player/player_group.h"

namespace quorva::testing {

// Collects posted application messages (any thread).
class MessageLog : public AppMessageTarget {
  public:
    void PostAppMessage(uint32_t id, uintptr_t wParam, intptr_t) override {
        std::lock_guard lock(mutex_);
        ids_.push_back(id);
        params_.push_back(wParam);
    }
    int Count(uint32_t id) const {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (uint32_t i : ids_)
            n += i == id;
        return n;
    }
    // The wParam of each message with this id, in order.
    std::vector<uintptr_t> Params(uint32_t id) const {
        std::lock_guard lock(mutex_);
        std::vector<uintptr_t> out;
        for (size_t i = 0; i < ids_.size(); ++i)
            if (ids_[i] == id) out.push_back(params_[i]);
        return out;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<uint32_t> ids_;
    std::vector<uintptr_t> params_;
};

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Writes a stamped movie; fails the test when it cannot.
std::string WriteStampedMovie(const TempFolder& folder, const std::string& name, int frames,
                              cardwriter::FrameRate rate, int gop, int camera = 0, int width = 320,
                              int height = 180, bool audio = false);

// The frame number stamped in a picture, -1 when none can be read.
int StampedFrame(const VideoFrame& picture, int* camera = nullptr);

// A player group whose slots show into off-screen outputs and post into message logs.
struct TestPlayers {
    explicit TestPlayers(int slots = 2);
    ~TestPlayers();
    PlayerGroup group;
    OffscreenVideoOutput outputs[2];
    MessageLog messages[2];
    PlayerSlot& slot(int i) { return group.slot[i]; }
    const PlayerOps& ops() { return FfmpegPlayerOps(); }
};

int ThreadCount();  // threads of this process
// The thread count once threads just joined are gone: it waits up to 2 s for `expected`.
int ThreadCountAfterSettling(int expected);

}  // namespace quorva::testing
