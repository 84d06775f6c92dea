#include "player/player_group.h"

#include "player/ffmpeg_slot_engine.h"
#include "player/position_numbers.h"
#include "recordings/recording_name.h"

namespace quorva {

PlayerGroup::PlayerGroup(const PlayerOps& ops) {
    for (int i = 0; i < 2; ++i) {
        slot[i].index = i;
        slot[i].ops = &ops;
        slot[i].clock = &clock;
        slot[i].load = &load;
        slot[i].mainSlot = &slot[0];
    }
}

namespace {

template <typename Call>
int ForValidSlots(PlayerGroup& g, Call call) {
    int any = 0;
    for (int i = 0; i < 2; ++i) {
        if (g.slot[i].valid && call(i, g.slot[i]) != 0) any = 1;
    }
    return any;
}

std::string PathForSlot(int i, const std::string& path) {
    return i == 0 ? path : SubCameraPath(path);
}

}  // namespace

int GroupProbe(PlayerGroup& g, const std::string& path) {
    return ForValidSlots(g, [&](int, PlayerSlot& s) { return s.ops->Probe(s, path); });
}

int GroupOpen(PlayerGroup& g, const std::string& path) {
    g.subOpenResult = 0;
    g.load.Reset();  // a new recording starts with every frame of both cameras
    return ForValidSlots(g, [&](int i, PlayerSlot& s) {
        const int r = s.ops->Open(s, PathForSlot(i, path));
        s.lastOpenResult = r;
        if (i == 1) g.subOpenResult = r;
        return r;
    });
}

int MainOpenResult(const PlayerGroup& g) {
    const PlayerSlot& main = g.slot[0];
    if (main.lastOpenResult == 1 && main.state != SLOT_CLOSED) return 1;
    return main.lastOpenResult == 2 ? 2 : 0;
}

int GroupClose(PlayerGroup& g) {
    return ForValidSlots(g, [&](int, PlayerSlot& s) {
        s.dataLoaded = 0;
        return s.ops->Close(s);
    });
}

int GroupLoadData(PlayerGroup& g, const std::string& path) {
    return ForValidSlots(g, [&](int i, PlayerSlot& s) {
        const int r = s.ops->LoadData(s, PathForSlot(i, path));
        if (r) s.dataLoaded = 1;
        return r;
    });
}

int GroupReleaseData(PlayerGroup& g) {
    return ForValidSlots(g, [&](int, PlayerSlot& s) {
        s.dataLoaded = 0;
        return s.ops->ReleaseData(s);
    });
}

// Both slots start and stop at one reading of the clock: it stands still while they do.
int GroupPlay(PlayerGroup& g) {
    ClockHold still(g.clock);
    return ForValidSlots(g, [&](int, PlayerSlot& s) { return s.ops->Play(s); });
}

int GroupPause(PlayerGroup& g) {
    ClockHold still(g.clock);
    return ForValidSlots(g, [&](int, PlayerSlot& s) { return s.ops->Pause(s); });
}

// The sub slot's frame at the main slot's position: by the frame durations, or, when a
// camera's frame rate varies, the sub camera's frame shown at the main frame's time.
int64_t SubPosition(PlayerGroup& g, int64_t position) {
    const FfmpegSlotEngine* main = g.slot[0].engine.get();
    const FfmpegSlotEngine* sub = g.slot[1].engine.get();
    if (main && sub && (!main->Timeline().IsConstant() || !sub->Timeline().IsConstant()))
        return sub->Timeline().PositionAt(main->Timeline().StartMs(position));
    return SubSlotPosition(position, g.slot[0].frameMs, g.slot[1].frameMs);
}

int GroupSeek(PlayerGroup& g, int64_t position) {
    const int64_t subPosition = SubPosition(g, position);
    return ForValidSlots(
        g, [&](int i, PlayerSlot& s) { return s.ops->Seek(s, i == 0 ? position : subPosition); });
}

int GroupSetRate(PlayerGroup& g, int rateCode) {
    return ForValidSlots(g, [&](int, PlayerSlot& s) { return s.ops->SetRate(s, rateCode); });
}

int GroupRepaint(PlayerGroup& g) {
    return ForValidSlots(g, [&](int, PlayerSlot& s) { return s.ops->Repaint(s); });
}

int GroupSetZoom(PlayerGroup& g, const ZoomSettings zoom[2], int repaint) {
    return ForValidSlots(g, [&](int i, PlayerSlot& s) {
        const ZoomSettings& z = zoom[i];
        return s.ops->SetZoom(s, z.anchorX, z.anchorY, z.panX, z.panY, z.factor, repaint);
    });
}

void LockAllSlots(PlayerGroup& g) {
    quorva::LockAllSlots(g.slot[0].data, g.slot[1].data);
}

void UnlockAllSlots(PlayerGroup& g) {
    quorva::UnlockAllSlots(g.slot[0].data, g.slot[1].data);
}

}  // namespace quorva
