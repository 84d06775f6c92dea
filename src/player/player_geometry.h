// Plain rectangles and sizes in client coordinates of a movie window (pixels).
#pragma once

namespace quorva {

struct PlayerRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PlayerRect&, const PlayerRect&) = default;
};

struct PlayerSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PlayerSize&, const PlayerSize&) = default;
};

// A rectangle in fractions of the picture: 0..1 on both axes.
struct NormalizedRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 1.0f;
    float bottom = 1.0f;
};

}  // namespace quorva
