#include "player/presenter_status.h"

namespace quorva {

PresenterStatus NextStatus(PresenterStatus s, PresenterEvent e, bool playWanted) {
    using S = PresenterStatus;
    using E = PresenterEvent;
    switch (e) {
        case E::kSeek:
            return S::kSyncing;
        case E::kPictureUp:
            if (s == S::kSyncing) return playWanted ? S::kPlaying : S::kReady;
            if (s == S::kStepping) return S::kReady;
            return s;
        case E::kPictureFailed:
            // Nothing to show at the target: a slot that should play runs out at once.
            if (s == S::kSyncing) return playWanted ? S::kDraining : S::kReady;
            if (s == S::kStepping) return S::kReady;
            return s;
        case E::kPlay:
            return s == S::kReady || s == S::kEnded ? S::kPlaying : s;
        case E::kPause:
            return s == S::kPlaying || s == S::kDraining || s == S::kEnded ? S::kReady : s;
        case E::kStep:
            return s == S::kReady ? S::kStepping : s;
        case E::kOutOfFrames:
            return s == S::kPlaying ? S::kDraining : s;
        case E::kLastFrameOver:
            return s == S::kDraining ? S::kEnded : s;
    }
    return s;
}

const char* StatusName(PresenterStatus s) {
    switch (s) {
        case PresenterStatus::kSyncing:
            return "syncing";
        case PresenterStatus::kReady:
            return "ready";
        case PresenterStatus::kStepping:
            return "stepping";
        case PresenterStatus::kPlaying:
            return "playing";
        case PresenterStatus::kDraining:
            return "draining";
        case PresenterStatus::kEnded:
            return "ended";
    }
    return "?";
}

}  // namespace quorva
