#include "browser/filer_layout.h"

#include <algorithm>

#include "appcore/ui_scale.h"

namespace quorva {

FilerLayout LayOutFiler(const BoxRect& client, double s, int charHeight,
                        const std::array<int, 5>& labelWidths) {
    auto S = [s](double design) { return Scaled(design, s); };
    const int L = client.x, T = client.y, R = client.Right(), B = client.Bottom();
    FilerLayout out;
    const int paneHeight = std::max(0, B - T - S(30));
    out.tree = {L + S(4), T + S(26), S(217), paneHeight};
    out.list = {L + S(224), T + S(26), S(224), paneHeight};
    const int buttonX[5] = {S(7), S(62), S(117), S(209), S(264)};
    int free = L;  // the first x after the previous label's text and a gap
    for (int k = 0; k < 5; ++k) {
        const int x = std::max(L + buttonX[k], free);
        out.buttons[k] = {x, T + S(8), S(12), S(12)};
        out.labels[k] = {x + S(13), T + S(5), std::max(S(80), labelWidths[k]), S(16)};
        free = out.labels[k].x + labelWidths[k] + S(8);
    }
    const int countLeft = R - S(60) - S(5);
    const int countTop = T + S(5);
    out.count = {countLeft, countTop, (R - S(5)) - countLeft,
                 (T + S(7) + S(5) + charHeight) - countTop};
    out.pathLine = {L + S(4), T + S(4) + 1, S(382), charHeight + S(7)};
    return out;
}

BoxRect ZoomHintTextBox(int w, int h, double s) {
    const int left = w / 2 - Scaled(90, s), top = h / 2 - Scaled(50, s);
    const int right = w / 2 + Scaled(90, s), bottom = h / 2 + Scaled(50, s);
    return {left, top, right - left, bottom - top};
}

}  // namespace quorva
