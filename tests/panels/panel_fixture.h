// Drive data for the panel tests: a G-sample vector and a frame index, one sample per frame
// unless a test builds its own index.
#pragma once

#include <vector>

#include "container/drive_data_samples.h"
#include "panels/event_detectors.h"

namespace quorva::test {

struct DriveDataFixture {
    std::vector<GSensorSample> samples;
    std::vector<const GSensorSample*> frames;

    // n samples, all values 0, no events; frame i shows sample i (position i).
    explicit DriveDataFixture(int n = 0);
    // The frame index points into the samples: moving keeps them, copying would not.
    DriveDataFixture(const DriveDataFixture&) = delete;
    DriveDataFixture& operator=(const DriveDataFixture&) = delete;
    DriveDataFixture(DriveDataFixture&&) = default;
    DriveDataFixture& operator=(DriveDataFixture&&) = default;
    // Rebuilds the frame index after samples were added: frame i shows sample i.
    void IndexOnePerFrame();
    GSensorView View() const { return GSensorView{samples, frames}; }

    // Axis event code (1 X, 2 Y, 3 Z) for samples [first, last].
    void SetAxis(int first, int last, int axis);
    // Event code (5, 6, 7) for samples [first, last].
    void SetEventCode(int first, int last, int code);
};

// Plausible drive data: gentle waves on the three axes, a hard brake around 40 %, a manual
// mark and an emergency stop, a parking mark near the end.
DriveDataFixture MakeDemoDrive(int frames);

}  // namespace quorva::test
