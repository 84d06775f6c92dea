#include "cardwriter/drive_route.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace quorva::cardwriter {
namespace {

struct Waypoint {
    double lat, lng;
    bool light;  // a traffic light that is red when the car arrives
};

// Clockwise around the palace: Marunouchi, Hibiya, Sakuradamon, Hanzomon, Kudanshita,
// Takebashi, Otemachi.
constexpr Waypoint kLoop[] = {
    {35.681236, 139.764990, false}, {35.680100, 139.761200, true},  {35.674900, 139.759600, true},
    {35.677200, 139.752600, false}, {35.679500, 139.744500, true},  {35.684600, 139.742800, false},
    {35.689500, 139.745000, false}, {35.695500, 139.751500, true},  {35.690700, 139.758000, false},
    {35.686700, 139.762500, true},  {35.683200, 139.762200, false},
};
constexpr int kWaypoints = static_cast<int>(std::size(kLoop));
constexpr double kMetresPerDegree = 111320.0;
constexpr double kG = 9.80665;
constexpr double kCruise = 48.0 / 3.6;  // m/s
constexpr double kTurnSpeed = 22.0 / 3.6;
constexpr double kAccel = 1.3;     // m/s^2
constexpr double kBrake = 2.2;     // m/s^2
constexpr double kTurnArc = 24.0;  // metres over which a corner is taken
constexpr double kRedLight = 9.0;  // seconds

struct Vec {
    double x, y;  // metres east, north
};

Vec Offset(const Waypoint& a, const Waypoint& b) {
    const double cosLat = std::cos(a.lat * M_PI / 180.0);
    return {(b.lng - a.lng) * kMetresPerDegree * cosLat, (b.lat - a.lat) * kMetresPerDegree};
}

double Length(Vec v) {
    return std::hypot(v.x, v.y);
}

const Waypoint& At(int i) {
    return kLoop[((i % kWaypoints) + kWaypoints) % kWaypoints];
}

// Signed turn angle (left positive) at waypoint i.
double TurnAt(int i) {
    const Vec in = Offset(At(i - 1), At(i)), out = Offset(At(i), At(i + 1));
    return std::atan2(in.x * out.y - in.y * out.x, in.x * out.x + in.y * out.y);
}

}  // namespace

DriveRoute::DriveRoute(uint32_t seed) : state_(seed * 2654435761u + 1) {
    Locate();
}

double DriveRoute::Noise(double amplitude) {
    state_ = state_ * 1664525u + 1013904223u;
    return amplitude * ((state_ >> 8) / double(1 << 24) * 2.0 - 1.0);
}

void DriveRoute::Locate() {
    const Waypoint& a = At(segment_);
    const Waypoint& b = At(segment_ + 1);
    const double length = Length(Offset(a, b));
    const double t = length > 0 ? std::clamp(along_ / length, 0.0, 1.0) : 0.0;
    point_.latitude = a.lat + (b.lat - a.lat) * t;
    point_.longitude = a.lng + (b.lng - a.lng) * t;
    point_.speed = speed_ * 3.6;
}

DrivePoint DriveRoute::Drive(double dt) {
    // Integrate in small steps so that corners and stops stay smooth at any record period.
    const double step = 0.05;
    double lateral = 0.0, longitudinal = 0.0;
    for (double left = dt; left > 1e-9; left -= step) {
        const double h = std::min(step, left);
        const double length = Length(Offset(At(segment_), At(segment_ + 1)));
        const double toEnd = length - along_;
        const bool red = At(segment_ + 1).light && !waited_;
        const double endSpeed = red ? 0.0 : kTurnSpeed;
        // Fastest speed from which the car can still slow to endSpeed where the corner's
        // arc begins (or at the stop line of a red light); through the arc after a corner
        // it keeps the turning speed.
        const double brakeRoom = toEnd - (red ? 2.0 : kTurnArc / 2);
        double limit = std::sqrt(endSpeed * endSpeed + 2 * kBrake * std::max(0.0, brakeRoom));
        if (along_ < kTurnArc / 2) limit = std::min(limit, kTurnSpeed);
        const double target = std::min(kCruise * (0.9 + 0.1 * std::sin(segment_ * 1.7)), limit);
        const double before = speed_;
        if (wait_ > 0) {
            wait_ -= h;
            speed_ = 0;
        } else if (speed_ < target) {
            speed_ = std::min(target, speed_ + kAccel * h);
        } else {
            speed_ = std::max(target, speed_ - kBrake * h);
        }
        longitudinal = (speed_ - before) / h;
        along_ += speed_ * h;
        if (red && toEnd < 2.5 && speed_ < 0.3) {
            wait_ = kRedLight;
            waited_ = true;
            speed_ = 0;
        }
        if (along_ >= length) {
            along_ -= length;
            segment_ = (segment_ + 1) % kWaypoints;
            waited_ = false;
        }
        // Centripetal acceleration while the corner at either end of the segment is taken.
        const double newLength = Length(Offset(At(segment_), At(segment_ + 1)));
        if (along_ < kTurnArc / 2)
            lateral = speed_ * speed_ * TurnAt(segment_) / kTurnArc;
        else if (newLength - along_ < kTurnArc / 2)
            lateral = speed_ * speed_ * TurnAt(segment_ + 1) / kTurnArc;
        else
            lateral = 0.0;
        point_.odometer += speed_ * h;
    }
    Locate();
    const double moving = std::min(1.0, speed_ / 5.0);
    point_.longitudinal = longitudinal / kG + Noise(0.015) * moving;
    point_.lateral = lateral / kG + Noise(0.015) * moving;
    point_.vertical = Noise(0.012 + 0.03 * moving);
    return point_;
}

DrivePoint DriveRoute::Park(double) {
    speed_ = 0;
    wait_ = 0;
    Locate();
    point_.longitudinal = Noise(0.004);
    point_.lateral = Noise(0.004);
    point_.vertical = Noise(0.006);
    return point_;
}

}  // namespace quorva::cardwriter
