// Live scrubbing: while the position slider's thumb is dragged the picture follows with exact
// seeks, at most one in flight. A target that comes while one is in flight waits, and a later
// one replaces it, so a fast drag issues a few seeks and ends on the latest target.
#pragma once

#include <cstdint>

namespace quorva {

// A seek counts as in flight until its picture is shown, or for this long at most (a picture
// that never comes must not stop the scrubbing).
constexpr int64_t kScrubSeekLimitMs = 400;

class ScrubSeeks {
  public:
    // A new target at time nowMs. True when it is to be issued now (nothing in flight and it
    // differs from the target last issued); otherwise it waits, replacing any waiting one.
    bool Request(int64_t target, int64_t nowMs);
    // The in-flight seek's picture is shown (settled), or it is time to look again: the
    // waiting target to issue now, or -1.
    int64_t Next(bool settled, int64_t nowMs);
    // The in-flight seek's picture is shown; a waiting target stays waiting.
    void Settle() { inFlight_ = false; }
    // The drag ended: nothing in flight or waiting any more.
    void Reset();

    bool InFlight() const { return inFlight_; }
    int64_t Waiting() const { return waiting_; }
    int64_t LastIssued() const { return lastIssued_; }

  private:
    void Issue(int64_t target, int64_t nowMs);

    bool inFlight_ = false;
    int64_t issuedAtMs_ = 0;
    int64_t waiting_ = -1;
    int64_t lastIssued_ = -1;
};

}  // namespace quorva
