// A simulated drive along a loop of roads in central Tokyo (around the palace moat):
// the car speeds up, slows for turns, waits at some lights, and reports its position,
// speed and the accelerations a G-sensor would see.
#pragma once

#include <cstdint>

namespace quorva::cardwriter {

struct DrivePoint {
    double latitude = 0.0;
    double longitude = 0.0;
    double speed = 0.0;         // km/h
    double longitudinal = 0.0;  // G, forward positive
    double lateral = 0.0;       // G, left positive
    double vertical = 0.0;      // G, gravity removed
    double odometer = 0.0;      // metres driven since the route started
};

class DriveRoute {
  public:
    explicit DriveRoute(uint32_t seed = 7);

    // Drives on for dt seconds and returns the new state.
    DrivePoint Drive(double dt);
    // Stays parked for dt seconds (engine off: no speed, only faint vibration).
    DrivePoint Park(double dt);
    DrivePoint Current() const { return point_; }

  private:
    double Noise(double amplitude);
    void Locate();

    uint32_t state_;
    int segment_ = 0;      // index of the waypoint the car left
    double along_ = 0.0;   // metres along the current segment
    double speed_ = 0.0;   // m/s
    double wait_ = 0.0;    // seconds left at a red light
    bool waited_ = false;  // the light of this segment's end has been waited for
    DrivePoint point_;
};

}  // namespace quorva::cardwriter
