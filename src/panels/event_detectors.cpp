#include "panels/event_detectors.h"

#include <cmath>

namespace quorva {

int GSensorView::SampleIndexOf(const GSensorSample* sample) const {
    if (sample == nullptr || samples.empty()) return -1;
    const std::less<const GSensorSample*> before;
    const GSensorSample* first = samples.data();
    const GSensorSample* end = first + samples.size();
    if (before(sample, first) || !before(sample, end)) return -1;
    return static_cast<int>(sample - first);
}

const GSensorSample* GSensorView::SampleOfFrame(int64_t frame) const {
    if (frame < 0 || frame >= static_cast<int64_t>(frameIndex.size())) return nullptr;
    const GSensorSample* sample = frameIndex[static_cast<size_t>(frame)];
    return SampleIndexOf(sample) < 0 ? nullptr : sample;
}

int EventDetectors::Classify(int detector, const GSensorSample& sample) {
    switch (detector) {
        case 0:
            return sample.axis == 1 ? 0 : kNoEvent;
        case 1:
            return sample.axis == 2 ? 2 : kNoEvent;
        case 2:
            return sample.axis == 3 ? 3 : kNoEvent;
        case 3:
            return sample.eventCode == 5 ? 5 : kNoEvent;
        case 4:
            return sample.eventCode == 6 ? 6 : kNoEvent;
        case 5:
            return sample.eventCode == 7 ? 7 : kNoEvent;
        default:
            return kNoEvent;
    }
}

static bool ValidDetector(int detector) {
    return detector >= 0 && detector < EventDetectors::kCount;
}

int EventDetectors::GraphSwitch(int detector) const {
    return ValidDetector(detector) ? switches_[detector].graph : 0;
}

int EventDetectors::MapSwitch(int detector) const {
    return ValidDetector(detector) ? switches_[detector].map : 0;
}

void EventDetectors::SetGraphSwitch(int detector, int on) {
    if (ValidDetector(detector)) switches_[detector].graph = on ? 1 : 0;
}

void EventDetectors::SetMapSwitch(int detector, int on) {
    if (ValidDetector(detector)) switches_[detector].map = on ? 1 : 0;
}

void EventDetectors::SetSwitches(int detector, int on) {
    SetGraphSwitch(detector, on);
    SetMapSwitch(detector, on);
}

EventStart TestEventStart(const GSensorView& view, int64_t frame, int detector) {
    EventStart result;
    const GSensorSample* sample = view.SampleOfFrame(frame);
    if (sample == nullptr) return result;
    result.kind = EventDetectors::Classify(detector, *sample);
    if (result.kind == kNoEvent) return result;
    if (frame == 0) {
        result.isNew = true;
    } else {
        const GSensorSample* before = view.SampleOfFrame(frame - 1);
        const int previousKind =
            before == nullptr ? kNoEvent : EventDetectors::Classify(detector, *before);
        result.isNew = previousKind != result.kind;
    }
    return result;
}

// A new event of kind 6 or 7 counts only while detector 4 (for 6) or 5 (for 7) is switched on.
static bool KindSwitchedOff(int kind, int detector4Switch, int detector5Switch) {
    return (kind == 6 && detector4Switch == 0) || (kind == 7 && detector5Switch == 0);
}

std::vector<EventPoint> BuildEventList(const GSensorView& view, const EventDetectors& detectors) {
    std::vector<EventPoint> events;
    const int frames = view.FrameCount();
    for (int f = 0; f < frames; ++f) {
        for (int j = 0; j < EventDetectors::kCount; ++j) {
            if (detectors.MapSwitch(j) == 0) continue;
            const EventStart start = TestEventStart(view, f, j);
            if (!start.IsEvent()) continue;
            if (start.isNew &&
                !KindSwitchedOff(start.kind, detectors.MapSwitch(4), detectors.MapSwitch(5))) {
                const GSensorSample* sample = view.SampleOfFrame(f);
                EventPoint point;
                point.sampleIndex = view.SampleIndexOf(sample);
                point.kind = start.kind;
                point.detector = j;
                point.frame = f;
                point.position = sample->position;
                point.sample = sample;
                events.push_back(point);
            }
            break;
        }
    }
    return events;
}

static bool Counts(const EventPoint& event, const EventDetectors& detectors) {
    return detectors.GraphSwitch(event.detector) != 0;
}

static std::optional<size_t> FirstAfter(const std::vector<EventPoint>& events,
                                        const EventDetectors& detectors, int64_t cursor) {
    for (size_t i = 0; i < events.size(); ++i) {
        if (events[i].position > cursor && Counts(events[i], detectors)) return i;
    }
    return std::nullopt;
}

static std::optional<size_t> LastBefore(const std::vector<EventPoint>& events,
                                        const EventDetectors& detectors, int64_t cursor) {
    for (size_t i = events.size(); i-- > 0;) {
        if (events[i].position < cursor && Counts(events[i], detectors)) return i;
    }
    return std::nullopt;
}

std::optional<size_t> FindNextEvent(const std::vector<EventPoint>& events,
                                    const EventDetectors& detectors, int cursor) {
    if (auto found = FirstAfter(events, detectors, cursor)) return found;
    return FirstAfter(events, detectors, -1);
}

std::optional<size_t> FindPreviousEvent(const std::vector<EventPoint>& events,
                                        const EventDetectors& detectors, int cursor, int duration) {
    if (auto found = LastBefore(events, detectors, cursor)) return found;
    return LastBefore(events, detectors, static_cast<int64_t>(duration) + 1);
}

EventMarkerStyle MarkerStyleOfKind(int kind) {
    switch (kind) {
        case 0:
        case 1:
            return {0x00FF00, "G", 1};
        case 2:
            return {0xFF0000, "G", 0};
        case 3:
        case 4:
            return {0x8080FF, "G", 2};
        case 5:
            return {0xFFFFFF, "M", 3};
        case 6:
            return {0xFFFFFF, "\u203B", 3};  // reference mark
        case 7:
            return {0xFFFFFF, "P", 3};
        default:
            return {0xFFFFFF, "?", 3};
    }
}

uint32_t AxisColour(int axis) {
    switch (axis) {
        case 0:
            return 0x00FF00;
        case 1:
            return 0xFF0000;
        case 2:
            return 0x8080FF;
        default:
            return 0xFFFFFF;
    }
}

int ScaleIndexForMaxG(double maxG) {
    if (maxG >= 1.5) return 3;
    if (maxG >= 1.0) return 2;
    if (maxG >= 0.5) return 1;
    return 0;
}

}  // namespace quorva
