#include "container/player_slot_data.h"

#include "container/drive_data_block.h"
#include "recordings/recording_name.h"

namespace quorva {

namespace {
std::atomic<int> g_slotWaits{0};
}  // namespace

int SlotWaitCount() {
    return g_slotWaits.load();
}

CountedLock::CountedLock(std::recursive_mutex& m) : m_(m) {
    g_slotWaits.fetch_add(1);
    m_.lock();
}

CountedLock::~CountedLock() {
    m_.unlock();
    g_slotWaits.fetch_sub(1);
}

PlayerSlotData::PlayerSlotData(std::function<bool()> playerReady)
    : playerReady_(std::move(playerReady)) {}

PlayerSlotData::~PlayerSlotData() {
    // A prefetch that still runs is told to stop and waited for.
    stores_[2].RequestAbort();
    { CountedLock data(dataLock_); }
    stores_[2].ClearAbort();
}

void PlayerSlotData::SetFrameDuration(float ms) {
    CountedLock slot(slotLock_);
    stores_[1].SetFrameDuration(ms);
}

bool PlayerSlotData::ReadFrameDuration(const std::string& moviePath, FrameDurationInfo& out) {
    CountedLock slot(slotLock_);
    return quorva::ReadFrameDuration(moviePath, stores_[0], out);
}

bool PlayerSlotData::LoadData(const std::string& moviePath, uint64_t frameCount,
                              const std::vector<double>& frameStartsMs) {
    CountedLock slot(slotLock_);
    // A prefetch of another recording is stopped; one of this recording is waited for.
    if (!(prefetchBusy_.load() && PrefetchingPath() == moviePath)) stores_[2].RequestAbort();
    { CountedLock data(dataLock_); }
    stores_[2].ClearAbort();

    bool loaded = false;
    {
        CountedLock data(dataLock_);
        {
            std::lock_guard<std::mutex> lock(pathMutex_);
            currentMovie_ = moviePath;
        }
        const std::string drivePath = DriveDataPath(moviePath);
        DriveDataStore& current = stores_[1];
        DriveDataStore& prefetched = stores_[2];
        if (prefetched.IsLoaded() && prefetched.Path() == drivePath) {
            prefetched.MoveTo(current);
            loaded = current.IsLoaded();
        } else {
            prefetched.Clear();
            current.Clear();
            if (HasDriveDataBlock(drivePath)) loaded = current.Load(drivePath);
        }
    }
    stores_[1].BuildFrameIndex(frameCount, frameStartsMs);
    return loaded;
}

bool PlayerSlotData::Prefetch(const std::string& moviePath) {
    if (playerReady_ && !playerReady_()) return false;
    DriveDataStore& store = stores_[2];
    store.RequestAbort();  // a running prefetch stops
    CountedLock data(dataLock_);
    store.ClearAbort();
    store.Clear();
    {
        std::lock_guard<std::mutex> lock(pathMutex_);
        prefetchMovie_ = moviePath;
    }
    prefetchBusy_.store(true);
    bool ok = true;
    if (!moviePath.empty()) {
        const std::string drivePath = DriveDataPath(moviePath);
        ok = HasDriveDataBlock(drivePath) && store.Load(drivePath);
        if (!ok) store.Clear();
    }
    prefetchBusy_.store(false);
    {
        std::lock_guard<std::mutex> lock(pathMutex_);
        prefetchMovie_.clear();
    }
    return ok;
}

bool PlayerSlotData::ShowLoaded() {
    CountedLock slot(slotLock_);
    stores_[0].FreeSamples();
    return stores_[1].MoveTo(stores_[0]);
}

void PlayerSlotData::ReleaseData() {
    CountedLock slot(slotLock_);
    stores_[0].Clear();
    stores_[1].Clear();
}

std::string PlayerSlotData::CurrentMoviePath() const {
    std::lock_guard<std::mutex> lock(pathMutex_);
    return currentMovie_;
}

std::string PlayerSlotData::PrefetchingPath() const {
    std::lock_guard<std::mutex> lock(pathMutex_);
    return prefetchMovie_;
}

bool PlayerSlotData::ReadHeader(const std::string& moviePath, DriveDataHeader& header) {
    CountedLock slot(slotLock_);
    return quorva::ReadHeader(moviePath, header);
}

bool PlayerSlotData::ReadTrailer(const std::string& moviePath, uint8_t out[8]) {
    CountedLock slot(slotLock_);
    return quorva::ReadTrailer(moviePath, out);
}

bool PlayerSlotData::ReadGpsTrack(const std::vector<RecordingEntry>& entries) {
    CountedLock slot(slotLock_);
    auto& track = GroupGpsTrack();
    track.clear();
    track.shrink_to_fit();
    return quorva::ReadGpsTrack(entries, track);
}

void LockAllSlots(PlayerSlotData& slot0, PlayerSlotData& slot1) {
    g_slotWaits.fetch_add(1);
    slot0.SlotLock().lock();
    g_slotWaits.fetch_add(1);
    slot1.SlotLock().lock();
}

void UnlockAllSlots(PlayerSlotData& slot0, PlayerSlotData& slot1) {
    slot0.SlotLock().unlock();
    g_slotWaits.fetch_sub(1);
    slot1.SlotLock().unlock();
    g_slotWaits.fetch_sub(1);
}

AllSlotsLock::AllSlotsLock(PlayerSlotData& slot0, PlayerSlotData& slot1) : s0_(slot0), s1_(slot1) {
    LockAllSlots(s0_, s1_);
}

AllSlotsLock::~AllSlotsLock() {
    UnlockAllSlots(s0_, s1_);
}

std::vector<GpsSample>& GroupGpsTrack() {
    static std::vector<GpsSample> track;
    return track;
}

bool ReadGpsTrack(const std::vector<RecordingEntry>& entries, std::vector<GpsSample>& track) {
    for (const RecordingEntry& e : entries) {
        const std::string drivePath = DriveDataPath(e.path);
        if (!HasDriveDataBlock(drivePath)) return false;
        DriveDataStore store;
        if (!store.Open(drivePath)) return false;
        const float period = SamplePeriodFor(drivePath);
        const bool ok = store.FindTag("CSMDAT", [&](const uint8_t* p, size_t n) {
            DriveDataHeader header;
            if (DecodeHeader(p, n, drivePath, header) < 0) return -1;
            RecordTimeCache cache;
            return ForEachRecord(p, n, [&](const uint8_t* rec, int32_t i) {
                track.push_back(DecodeGpsPart(rec, i, period, &cache));
            });
        });
        if (!ok) return false;
    }
    return true;
}

}  // namespace quorva
