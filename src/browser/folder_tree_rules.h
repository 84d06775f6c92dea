// The group tree's rules: which nodes carry a badge, which count as items of the
// folder-selected step, and where the parts of a row are drawn.
#pragma once

#include "recordings/group_tree.h"

namespace quorva {

// A node shows its badge when it has one (not 0) and is not a root node.
bool ShowsTreeBadge(const GroupNode& node, int level);

// Every node the tree shows is an item of the folder-selected step: folder nodes and group
// nodes alike load their recordings when selected. Only a missing item (the selection left
// nothing selected, as while the tree is emptied) is not.
bool IsFolderSelectionItem(const GroupNode* node);

// The parts of one tree row, in pixels from the row's left edge. The expander sits in the
// indentation column of the node's level; the content starts one indentation step further.
struct TreeRowGeometry {
    int expanderLeft = 0;
    int expanderWidth = 0;
    int iconLeft = -1;  // the folder picture; -1 when the node has none (a group)
    int iconSize = 0;
    int badgeLeft = -1;  // -1 when the node shows no badge
    int badgeWidth = 0;
    int textLeft = 0;
};

// Indentation step of one level: int(16 s).
int TreeIndentation(double s);
// Row height: int(26 s), the height of a badge.
int TreeRowHeight(double s);

TreeRowGeometry LayOutTreeRow(int level, double s, bool folder, bool badge);

}  // namespace quorva
