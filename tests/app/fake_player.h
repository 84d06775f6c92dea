// A scripted player behind the operation table: every call is recorded, states follow the
// calls, positions and durations come from the script. Stands in for the engine wherever
// the engine is not the subject.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "player/player_ops.h"

namespace quorva::test {

struct FakeSlotScript {
    int initializeResult = 1;
    int openResult = 1;
    int64_t duration = 0;
    int position = 0;
};

class FakePlayer {
  public:
    static FakePlayer& Get();
    void Reset();

    std::array<FakeSlotScript, 2> script;
    void Record(std::string call);
    std::vector<std::string> Calls();
    // How often a call was made ("Open 0", "SetVolume 1 0", ...).
    int Count(const std::string& call);

  private:
    std::mutex mutex_;
    std::vector<std::string> calls_;
};

const PlayerOps& FakePlayerOps();

}  // namespace quorva::test
