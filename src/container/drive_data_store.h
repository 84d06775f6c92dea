// DriveDataStore: the holder of one drive-data file's decoded samples, its header, the
// maximum G and the per-video-frame index. Samples link to each other by pointer, so a
// store is never copied; moving it (or MoveTo) keeps every pointer valid.
//
// A store is empty when made, mapped after Open, loaded after Load (file closed, samples
// kept), indexed after BuildFrameIndex, and empty again after FreeSamples.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "container/drive_data_samples.h"
#include "platform/mapped_file.h"

namespace quorva {

// A decoder handed to a tag or box search: called with the bytes after the tag (or the
// box payload) and how many of them are readable. Returns -1 for failure.
using DriveDataDecoder = std::function<int(const uint8_t* data, size_t available)>;

// "hMutexFind": serialises the file searches of every store in the process.
std::mutex& FindMutex();

// Receives the system's error text when a store's search cannot map a view of its file
// (the application shows it in a message box titled "Error Message"). Called on the thread
// of the search. Empty: nothing is reported.
void SetMapFailureReporter(std::function<void(const std::string& systemText)> reporter);

class DriveDataStore {
  public:
    DriveDataStore();
    ~DriveDataStore();
    DriveDataStore(DriveDataStore&& other) noexcept;
    DriveDataStore& operator=(DriveDataStore&& other) noexcept;
    DriveDataStore(const DriveDataStore&) = delete;
    DriveDataStore& operator=(const DriveDataStore&) = delete;

    // Maps the file (the path is kept in the store).
    bool Open(const std::string& path);
    // Closes the file; the decoded samples stay.
    void CloseFile();
    // Open, decode the whole block, close the file. False (and an empty store) when the
    // file cannot be read or holds no "CSMDAT" block.
    bool Load(const std::string& path);
    // Frees the samples and the frame index, clears the header and the maximum.
    void FreeSamples();
    // Everything back to the state of a new store (the frame duration is kept).
    void Clear();
    // Moves record count, samples, frame index, header, maximum and path into target and
    // leaves this store empty. True when target then holds at least one GpsSample.
    bool MoveTo(DriveDataStore& target);
    // Turns positions into frame numbers, fills the frame index (one G sample per frame),
    // links every G sample to its GPS sample and finds the maximum G. Nothing is done for
    // a frame count of 0, a frame duration of 0 or no samples (false).
    bool BuildFrameIndex(uint64_t frameCount);

    // Searches of the mapped file; each holds FindMutex() while it runs, and succeeds when
    // the decoder (called with a bounded view) does not answer -1. A set abort flag stops
    // them with failure (and is cleared).
    bool FindTag(std::string_view tag, const DriveDataDecoder& decoder);
    bool FindTagSkippingMedia(std::string_view tag, const DriveDataDecoder& decoder);
    bool FindBoxPath(const DriveDataDecoder& decoder);  // moov/trak/mdia/minf/stbl/stts

    // The decoder of a whole block (called with the bytes after "CSMDAT").
    int DecodeBlock(const uint8_t* data, size_t available);

    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }
    uint64_t FileSize() const { return fileSize_; }
    int32_t RecordCount() const { return recordCount_; }
    double MaxG() const { return maxG_; }
    const std::vector<GpsSample>& Gps() const { return gps_; }
    const std::vector<GSensorSample>& GSensor() const { return g_; }
    const DriveDataHeader& Header() const { return header_; }
    // One entry per video frame (null only when the store has no G samples).
    const std::vector<const GSensorSample*>& FrameIndex() const { return frameIndex_; }
    // The G sample shown at a frame, null when frame is outside the index.
    const GSensorSample* SampleAtFrame(int64_t frame) const;

    float FrameDuration() const { return frameDuration_; }  // ms per video frame
    void SetFrameDuration(float ms) { frameDuration_ = frameDuration2_ = ms; }
    float SamplePeriod() const { return samplePeriod_; }  // ms between records
    bool IsLoaded() const { return loaded_; }
    bool IsIndexed() const { return indexed_; }
    bool IsOpen() const { return file_.IsOpen(); }

    // Set by another thread to stop a running search of this store.
    void RequestAbort() { abort_.store(true); }
    void ClearAbort() { abort_.store(false); }
    bool AbortRequested() const { return abort_.load(); }

  private:
    bool TakeAbort();
    MappedView Map(uint64_t offset, uint64_t length);
    void DecodeRecords(const uint8_t* data, size_t available, int32_t count);

    std::string path_;
    uint64_t fileSize_ = 0;
    int32_t recordCount_ = 0;
    double maxG_ = 0.0;
    std::vector<GpsSample> gps_;
    std::vector<GSensorSample> g_;
    DriveDataHeader header_;
    std::vector<const GSensorSample*> frameIndex_;
    MappedFile file_;
    float frameDuration_ = 0.0f;
    float frameDuration2_ = 0.0f;
    std::atomic<bool> abort_{false};
    bool loaded_ = false;
    bool indexed_ = false;
    float samplePeriod_ = 100.0f;
};

// Whether the file starts with "CSMDAT".
bool HasDriveDataBlock(const std::string& drivePath);

// Reads only the header of a recording's drive-data file (path of the movie).
bool ReadHeader(const std::string& moviePath, DriveDataHeader& header);
// The 8 bytes after the end tag of a recording's drive-data file (zero-filled where the
// file ends sooner).
bool ReadTrailer(const std::string& moviePath, uint8_t out[8]);

// Seconds of the movie and ms per video frame, from its "mvhd" and first "stts".
struct FrameDurationInfo {
    float seconds = 0.0f;
    float frameMs = 0.0f;
    uint64_t frames = 0;
};
// Uses scratch for the searches and empties it afterwards (file and samples).
bool ReadFrameDuration(const std::string& moviePath, DriveDataStore& scratch,
                       FrameDurationInfo& out);
bool ReadFrameDuration(const std::string& moviePath, FrameDurationInfo& out);

}  // namespace quorva
