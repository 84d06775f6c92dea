#include "player/player_slot.h"

#include "player/ffmpeg_slot_engine.h"

namespace quorva {

// The prefetch of the next recording's drive data waits until a movie is open.
PlayerSlot::PlayerSlot() : data([this] { return engine != nullptr; }) {}

PlayerSlot::~PlayerSlot() {
    engine.reset();
}

}  // namespace quorva
