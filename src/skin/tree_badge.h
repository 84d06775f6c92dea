// The badge of a group in the recording tree: the base plate with one layer per kind of
// recording the group holds.
#pragma once

#include <QPixmap>

namespace quorva {

// Badge value bits of a group.
enum TreeBadgeBit : int {
    kBadgeManual = 2,
    kBadgeImpact = 4,
    kBadgeParking = 8,
    kBadgeParkingImpact = 16,
};

// int(39 s) x int(26 s), composed on white: the base plate, then for each set bit the layer
// of that kind (manual, impact, parking impact, parking, in this order), each at (0, int(5 s))
// in its own size times s. A null pixmap for the value 0 (no badge).
QPixmap ComposeTreeBadge(int badgeValue, double s);

}  // namespace quorva
