#include "road/playback_scrub.h"

namespace quorva {

void ScrubSeeks::Issue(int64_t target, int64_t nowMs) {
    inFlight_ = true;
    issuedAtMs_ = nowMs;
    lastIssued_ = target;
    waiting_ = -1;
}

bool ScrubSeeks::Request(int64_t target, int64_t nowMs) {
    if (target < 0) return false;
    if (inFlight_ && nowMs - issuedAtMs_ >= kScrubSeekLimitMs) inFlight_ = false;
    if (inFlight_) {
        waiting_ = target == lastIssued_ ? -1 : target;
        return false;
    }
    if (target == lastIssued_) return false;
    Issue(target, nowMs);
    return true;
}

int64_t ScrubSeeks::Next(bool settled, int64_t nowMs) {
    if (inFlight_ && (settled || nowMs - issuedAtMs_ >= kScrubSeekLimitMs)) inFlight_ = false;
    if (inFlight_ || waiting_ < 0) return -1;
    const int64_t target = waiting_;
    Issue(target, nowMs);
    return target;
}

void ScrubSeeks::Reset() {
    inFlight_ = false;
    waiting_ = -1;
    lastIssued_ = -1;
}

}  // namespace quorva
