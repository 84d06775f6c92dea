// The six event detectors of the G-sensor data, the event start test, the event list of a
// recording and the jumps between its events. Standard library only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "container/drive_data_samples.h"

namespace quorva {

// The drive data the panels read: the G samples of the shown store and its frame index (one
// sample reference per video frame). Both belong to the store; a view is only valid while
// the slots are locked.
struct GSensorView {
    std::span<const GSensorSample> samples;
    std::span<const GSensorSample* const> frameIndex;

    // Position of a sample in `samples`, or -1 when the reference is null or points elsewhere.
    int SampleIndexOf(const GSensorSample* sample) const;
    // The sample of a frame; null for a frame outside the index or a reference outside the
    // samples.
    const GSensorSample* SampleOfFrame(int64_t frame) const;
    int FrameCount() const { return static_cast<int>(frameIndex.size()); }
};

// Runs a reader over the current drive data with every slot locked (LockAllSlots ...
// UnlockAllSlots around the call). The panels never keep the view beyond the call.
using GSensorDataAccess = std::function<void(const std::function<void(const GSensorView&)>&)>;

// Event kinds: the index of the map page's icon table.
constexpr int kNoEvent = -1;

struct EventDetectorSwitches {
    int graph = 1;  // curve, markers and event jumps
    int map = 1;    // map icons and the event list
};

class EventDetectors {
  public:
    static constexpr int kCount = 6;

    // Event kind that detector `detector` gives for a sample, or kNoEvent.
    static int Classify(int detector, const GSensorSample& sample);

    int GraphSwitch(int detector) const;
    int MapSwitch(int detector) const;
    void SetGraphSwitch(int detector, int on);
    void SetMapSwitch(int detector, int on);
    // Both switches of one detector, as the info panel's toggles and the settings dialog set them.
    void SetSwitches(int detector, int on);

  private:
    std::array<EventDetectorSwitches, kCount> switches_{};
};

// Result of the event start test for one frame and one detector.
struct EventStart {
    int kind = kNoEvent;  // kNoEvent: no event at this frame
    bool isNew = false;   // the event begins at this frame
    bool IsEvent() const { return kind != kNoEvent; }
};

// The event of detector `detector` at frame `frame`: new when the frame is 0 or the detector
// gives another result for the frame before. Frames outside the index give no event.
EventStart TestEventStart(const GSensorView& view, int64_t frame, int detector);

// One entry of the event list of a recording.
struct EventPoint {
    int sampleIndex = 0;  // position of the sample in the sample vector
    int kind = kNoEvent;
    int detector = 0;
    int frame = 0;     // frame where the event starts
    int position = 0;  // the sample's position number, the target of an event jump
    const GSensorSample* sample = nullptr;
};

// The event list: every frame in order, the detectors whose map switch is on in order; the
// first detector seeing an event decides for the frame (a new one is listed, a continuing one
// ends the frame). So each frame gives at most one entry.
std::vector<EventPoint> BuildEventList(const GSensorView& view, const EventDetectors& detectors);

// Index of the event an event jump goes to, or nothing when no event qualifies. Only events
// whose detector has its graph switch on count. Next: the first event after `cursor`, else the
// first one of the list. Previous: the last event before `cursor`, else the last one before
// `duration` + 1.
std::optional<size_t> FindNextEvent(const std::vector<EventPoint>& events,
                                    const EventDetectors& detectors, int cursor);
std::optional<size_t> FindPreviousEvent(const std::vector<EventPoint>& events,
                                        const EventDetectors& detectors, int cursor, int duration);

// How the graph marks an event of a kind.
struct EventMarkerStyle {
    uint32_t rgb = 0xFFFFFF;  // pen colour 0xRRGGBB
    std::string_view letter;  // UTF-8, drawn in white
    int row = 0;              // letter row below the plot
};
// Style of an event kind 0..7; kinds outside give a white "?" in row 3.
EventMarkerStyle MarkerStyleOfKind(int kind);

// Curve colour of axis 0..2 (X, Y, Z), 0xRRGGBB.
uint32_t AxisColour(int axis);

// Scale index of the graph from the largest absolute G of a recording: 3 from 1.5 G, 2 from
// 1.0 G, 1 from 0.5 G, else 0.
int ScaleIndexForMaxG(double maxG);

}  // namespace quorva
