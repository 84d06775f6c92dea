#include "panel_fixture.h"

#include <cmath>

namespace quorva::test {

DriveDataFixture::DriveDataFixture(int n) {
    samples.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        samples[i].index = i;
        samples[i].position = i;
    }
    IndexOnePerFrame();
}

void DriveDataFixture::IndexOnePerFrame() {
    frames.clear();
    for (const GSensorSample& s : samples)
        frames.push_back(&s);
}

void DriveDataFixture::SetAxis(int first, int last, int axis) {
    for (int i = first; i <= last; ++i)
        samples[i].axis = axis;
}

void DriveDataFixture::SetEventCode(int first, int last, int code) {
    for (int i = first; i <= last; ++i)
        samples[i].eventCode = code;
}

DriveDataFixture MakeDemoDrive(int n) {
    DriveDataFixture d(n);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        d.samples[i].g1 = 0.18 * std::sin(t * 19.0) + 0.05 * std::sin(t * 97.0);
        d.samples[i].g2 = 0.12 * std::sin(t * 13.0 + 1.0);
        d.samples[i].g3 = -0.05 + 0.08 * std::sin(t * 41.0);
        d.samples[i].voltage = 124 + (i / 50) % 3;
    }
    const int brake = n * 4 / 10;
    for (int i = brake; i < brake + n / 40 && i < n; ++i) {
        const double k = static_cast<double>(i - brake) / (n / 40.0);
        d.samples[i].g1 = -0.85 * std::sin(k * 3.14159);
    }
    d.SetAxis(brake, brake + n / 60, 1);
    const int swerve = n * 6 / 10;
    for (int i = swerve; i < swerve + n / 50 && i < n; ++i) {
        d.samples[i].g2 = 0.6 * std::sin(static_cast<double>(i - swerve) / (n / 50.0) * 3.14159);
    }
    d.SetAxis(swerve, swerve + n / 80, 2);
    d.SetEventCode(n / 5, n / 5 + 3, 5);
    d.SetEventCode(n * 3 / 4, n * 3 / 4 + 2, 6);
    d.SetEventCode(n * 9 / 10, n * 9 / 10 + 2, 7);
    return d;
}

}  // namespace quorva::test
