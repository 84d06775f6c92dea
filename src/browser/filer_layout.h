// Where the file browser's children go in its client rectangle, in design lengths times the
// UI scale s (each product truncated).
#pragma once

#include <array>

#include "browser/browser_rect.h"

namespace quorva {

struct FilerLayout {
    BoxRect tree;
    BoxRect list;
    std::array<BoxRect, 5> buttons;  // the check marks of the five kind filters, 12 s square
    std::array<BoxRect, 5> labels;   // the label box beside each mark
    BoxRect count;                   // the recording count, right-aligned
    BoxRect pathLine;                // always hidden
};

// client: the browser's client rectangle; charHeight: the panel font's character height;
// labelWidths: the drawn widths of the five filter labels. A label that would run into the
// next filter's mark pushes the marks after it to the right (longer texts than the Japanese
// ones, such as the English), never to the left of their own places.
FilerLayout LayOutFiler(const BoxRect& client, double s, int charHeight,
                        const std::array<int, 5>& labelWidths = {});

// The box of the zoom-mode hint text, centred in a client area of width w and height h.
BoxRect ZoomHintTextBox(int w, int h, double s);

}  // namespace quorva
