// The operation table of the FFmpeg engine.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "container/drive_data_store.h"
#include "container/video_track.h"
#include "player/ffmpeg_player.h"
#include "player/ffmpeg_slot_engine.h"
#include "player/overlay_text.h"
#include "player/player_ops.h"
#include "player/rate_table.h"
#include "player/snapshot_writer.h"

namespace quorva {

namespace {

constexpr uint64_t kMinimumMovieBytes = 260;

int Unused(PlayerSlot&) {
    return 0;
}

void ApplyAudibleVolume(PlayerSlot& slot) {
    if (slot.engine)
        slot.engine->SetAudibleVolume(AudibleVolume(slot.rateCode, slot.volume) / 65535.0);
}

int Uninitialize(PlayerSlot& slot);

int Initialize(PlayerSlot& slot, MovieWindowLink window, const std::string& fontFace) {
    Uninitialize(slot);
    CountedLock lock(slot.data.SlotLock());
    slot.window = window;
    slot.rateCode = 1;
    slot.keepAspect = 1;
    slot.state = SLOT_CLOSED;
    slot.lastPosition = 0;
    slot.overlayFontFace = fontFace;
    slot.zoom = ZoomSettings{};
    slot.videoRect = PlayerRect{};
    slot.engine.reset();
    slot.initialized = true;
    return 1;
}

int Uninitialize(PlayerSlot& slot) {
    // Stop a prefetch that is running and wait until it has let go of the data lock.
    slot.data.Prefetched().RequestAbort();
    { CountedLock wait(slot.data.DataLock()); }
    slot.data.Prefetched().ClearAbort();
    CountedLock lock(slot.data.SlotLock());
    CountedLock data(slot.data.DataLock());
    slot.engine.reset();
    slot.data.ReleaseData();
    slot.data.Prefetched().Clear();
    slot.state = SLOT_CLOSED;
    slot.initialized = false;
    return 1;
}

// The movie's video track, read by the same rule as every other reader of movies (a file
// of at least 260 bytes that the box reader can show); why tells the reason otherwise.
bool ReadPlayableMovie(const std::string& path, VideoTrack& track, std::string& why) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        why = "cannot be opened";
        return false;
    }
    if (size < kMinimumMovieBytes) {
        why = "too short to be a movie";
        return false;
    }
    return ReadMovieVideoTrack(path, track, &why);
}

int Probe(PlayerSlot& slot, const std::string& path) {
    CountedLock lock(slot.data.SlotLock());
    VideoTrack track;
    std::string why;
    return ReadPlayableMovie(path, track, why) ? 1 : 0;
}

int Close(PlayerSlot& slot);

int Open(PlayerSlot& slot, const std::string& path) {
    CountedLock lock(slot.data.SlotLock());
    slot.lastOpenError.clear();
    VideoTrack track;
    if (!ReadPlayableMovie(path, track, slot.lastOpenError)) return 0;
    if (slot.engine) Close(slot);

    // The video track gives the length and the frame duration.
    FrameDurationInfo header;
    int headerResult = 0;
    if (slot.data.ReadFrameDuration(path, header) && header.frameMs > 0.0f) {
        slot.frameMs = header.frameMs;
        if (header.seconds > 2.0f)
            headerResult = 1;
        else
            headerResult = static_cast<int>(1000.0f / header.frameMs) == 15 ? 1 : 2;
    }
    if (headerResult == 0) {
        slot.lastOpenError = "the video track gives no frame duration";
        return 0;
    }
    if (headerResult == 2) {
        slot.lastOpenError = "the recording is too short";
        return 2;
    }

    const bool mainSlot = slot.index == 0;
    EngineOptions options;
    options.output = slot.window.output;
    options.notify = slot.window.messages;
    options.noticeSerial = ++slot.openSerial;
    options.clock = slot.clock;
    options.load = slot.load;
    options.yieldsFirst = !mainSlot;  // the sub camera gives way first
    options.decodeThreads = slot.decodeThreads;
    if (mainSlot) options.audio = CreateQtAudioRenderer();
    slot.data.SetFrameDuration(slot.frameMs);
    options.frameMs = slot.frameMs;
    if (!options.output || !options.clock) return headerResult;

    slot.engine = FfmpegSlotEngine::Open(path, std::move(options), &slot.lastOpenError);
    if (!slot.engine) return headerResult;  // stays closed; no ready notice comes
    slot.canPlayBackwards = 0;
    slot.engine->SetThinned(IsThinnedRate(ChooseRate(slot.rateCode, false, slot.rateCode).rate));
    slot.engine->SetAudioAllowed(slot.rateCode == 1);
    ApplyAudibleVolume(slot);
    if (slot.engine->FrameCount() > 0) slot.state = SLOT_STOPPED;
    return 1;
}

int Close(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    if (slot.engine) {
        if (slot.engine->IsPlaying()) slot.engine->Pause();
        slot.engine.reset();  // joins the engine's threads
    }
    ++slot.openSerial;  // notices of the closed engine still on their way are stale
    if (slot.window.output) slot.window.output->ClearOverlay();
    slot.state = SLOT_CLOSED;
    return 1;
}

int64_t GetDuration(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    return slot.engine ? slot.engine->FrameCount() : 0;
}

int LoadData(PlayerSlot& slot, const std::string& path) {
    CountedLock lock(slot.data.SlotLock());
    PlayerSlot& main = slot.mainSlot ? *slot.mainSlot : slot;
    const int64_t frames = main.engine ? main.engine->FrameCount() : 0;
    // At a variable frame rate the drive data follows each frame's own time.
    static const std::vector<double> kEvenlySpaced;
    const std::vector<double>& starts =
        main.engine ? main.engine->Timeline().Starts() : kEvenlySpaced;
    slot.data.LoadData(path, static_cast<uint64_t>(std::max<int64_t>(frames, 0)), starts);
    return 1;
}

int ReleaseData(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    slot.data.ReleaseData();
    return 1;
}

int Play(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    if (!slot.engine) return 0;
    if (slot.state == SLOT_PLAYING) return 1;
    slot.engine->Play();
    slot.state = SLOT_PLAYING;
    return 1;
}

int Pause(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    if (!slot.engine) return 0;
    if (slot.state == SLOT_PAUSED) return 1;
    slot.engine->Pause();
    slot.state = SLOT_PAUSED;
    return 1;
}

int Stop(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    if (!slot.engine) return 0;
    if (slot.state == SLOT_STOPPED) return 1;
    slot.engine->Pause();
    slot.state = SLOT_STOPPED;
    return 1;
}

int GetPosition(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    const int64_t p = slot.engine ? slot.engine->Position() : 0;
    slot.lastPosition = p;
    return static_cast<int>(p);
}

int Seek(PlayerSlot& slot, int64_t position) {
    CountedLock lock(slot.data.SlotLock());
    if (!slot.engine) return 0;
    slot.engine->Seek(position);
    return 1;
}

PlayerSlot* SetHardwareDecode(PlayerSlot& slot, int on) {
    slot.hardwareDecode = on;
    return &slot;
}

int SetRate(PlayerSlot& slot, int code) {
    const RateChoice choice = ChooseRate(code, slot.canPlayBackwards != 0, slot.rateCode);
    slot.rateCode = choice.storedCode;
    if (!slot.engine) return 0;
    slot.engine->SetAudioAllowed(slot.rateCode == 1);
    ApplyAudibleVolume(slot);
    if (slot.clock) slot.clock->SetRate(choice.rate);
    slot.engine->SetThinned(IsThinnedRate(choice.rate));
    return 1;
}

int GetVideoSize(PlayerSlot& slot, int* width, int* height) {
    if (!slot.engine) return 0;
    if (width) *width = slot.engine->Info().width;
    if (height) *height = slot.engine->Info().height;
    return 1;
}

PlayerSize VideoSizeOf(PlayerSlot& slot) {
    PlayerSize size;
    GetVideoSize(slot, &size.width, &size.height);
    return size;
}

// Places the picture in the movie window by the slot's zoom, pan and aspect mode.
int PlacePicture(PlayerSlot& slot, int keep, bool repaint) {
    if (!slot.window.output) return 0;
    const PlayerSize client = slot.window.output->ClientSize();
    auto rect = quorva::PlacePicture(client, slot.zoom, keep != 0, VideoSizeOf(slot));
    if (!rect) return 0;
    slot.videoRect = *rect;
    slot.window.output->SetVideoRect(*rect);
    if (slot.state != SLOT_CLOSED) {
        if (repaint && slot.engine) slot.engine->Repaint();
    } else {
        ApplyAudibleVolume(slot);
    }
    return 1;
}

int SetAspect(PlayerSlot& slot, int keep) {
    if (!PlacePicture(slot, keep, true)) return 0;
    slot.keepAspect = keep;
    return 1;
}

float GetFrameMs(PlayerSlot& slot) {
    return slot.frameMs;
}

int SetVolume(PlayerSlot& slot, int volume) {
    slot.volume = std::clamp(volume, 0, 65535);
    ApplyAudibleVolume(slot);
    return 1;
}

int ShowOverlayText(PlayerSlot& slot, const std::string& text) {
    CountedLock lock(slot.data.SlotLock());
    if (!slot.engine || !slot.window.output || !slot.engine->CurrentPicture()) return 0;
    const PlayerSize picture = VideoSizeOf(slot);
    if (picture.width <= 0 || picture.height <= 0) return 0;
    auto overlay = std::make_shared<OverlayImage>();
    overlay->pixels = RenderOverlayText(text, slot.overlayFontFace);
    overlay->placement =
        OverlayPlacement(slot.window.output->ClientSize(), picture, slot.keepAspect != 0);
    slot.window.output->SetOverlay(std::move(overlay));
    return 1;
}

int ClearOverlay(PlayerSlot& slot) {
    CountedLock lock(slot.data.SlotLock());
    if (slot.window.output) slot.window.output->ClearOverlay();
    return 1;
}

int SetZoom(PlayerSlot& slot, int anchorX, int anchorY, int panX, int panY, float factor,
            int repaint) {
    CountedLock lock(slot.data.SlotLock());
    if (!slot.engine || factor == 0.0f) return 0;  // a zero factor leaves the picture as it is
    slot.zoom = ZoomSettings{anchorX, anchorY, panX, panY, factor};
    return PlacePicture(slot, slot.keepAspect, repaint != 0);
}

int SaveSnapshot(PlayerSlot& slot, const std::string& path) {
    if (!slot.engine) return 0;
    const FramePtr picture = slot.engine->CurrentPicture();
    if (!picture) return 0;
    return WriteJpeg(*picture, path) ? 1 : 0;
}

int Repaint(PlayerSlot& slot) {
    if (!slot.engine) return 0;
    slot.engine->Repaint();
    return 1;
}

const PlayerOps kFfmpegOps = {
    Initialize,
    Uninitialize,
    Probe,
    Open,
    Close,
    LoadData,
    ReleaseData,
    Play,
    Unused,
    Pause,
    Stop,
    GetPosition,
    Seek,
    Seek,
    Unused,
    Unused,
    SetHardwareDecode,
    Unused,
    SetRate,
    Unused,
    SetAspect,
    GetDuration,
    GetDuration,
    Unused,
    GetFrameMs,
    GetVideoSize,
    SetVolume,
    ShowOverlayText,
    ClearOverlay,
    Unused,
    SetZoom,
    SaveSnapshot,
    Repaint,
    Unused,
};

}  // namespace

const PlayerOps& FfmpegPlayerOps() {
    return kFfmpegOps;
}

bool WaitForPicture(PlayerSlot& slot, int timeoutMs) {
    return slot.engine && slot.engine->WaitForPicture(timeoutMs);
}

bool StepFrame(PlayerSlot& slot, int timeoutMs) {
    CountedLock lock(slot.data.SlotLock());
    return slot.engine && slot.engine->StepFrame() && slot.engine->WaitForPicture(timeoutMs);
}

FramePtr CurrentPicture(PlayerSlot& slot) {
    return slot.engine ? slot.engine->CurrentPicture() : nullptr;
}

EngineStats SlotStats(PlayerSlot& slot) {
    return slot.engine ? slot.engine->Stats() : EngineStats{};
}

double SlotMediaMs(PlayerSlot& slot) {
    return slot.engine ? slot.engine->MediaMs() : 0.0;
}

double SlotMediaMsAt(PlayerSlot& slot, double clockMs) {
    return slot.engine ? slot.engine->MediaMsAt(clockMs) : 0.0;
}

bool SlotEnded(PlayerSlot& slot) {
    return slot.engine && slot.engine->Ended();
}

}  // namespace quorva
