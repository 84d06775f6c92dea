#include "browser/folder_tree_rules.h"

#include "appcore/ui_scale.h"

namespace quorva {

bool ShowsTreeBadge(const GroupNode& node, int level) {
    return node.badge != 0 && level > 0;
}

bool IsFolderSelectionItem(const GroupNode* node) {
    return node != nullptr;
}

int TreeIndentation(double s) {
    return Scaled(16, s);
}

int TreeRowHeight(double s) {
    return Scaled(26, s);
}

TreeRowGeometry LayOutTreeRow(int level, double s, bool folder, bool badge) {
    TreeRowGeometry g;
    const int indent = TreeIndentation(s);
    g.expanderLeft = level * indent;
    g.expanderWidth = indent;
    const int contentLeft = (level + 1) * indent;
    if (folder) {
        g.iconLeft = contentLeft + Scaled(1, s);
        g.iconSize = Scaled(16, s);
        g.textLeft = contentLeft + Scaled(22, s);
        return g;
    }
    if (badge) {
        g.badgeLeft = contentLeft;
        g.badgeWidth = Scaled(39, s);
        g.textLeft = contentLeft + g.badgeWidth + Scaled(5, s);
        return g;
    }
    g.textLeft = contentLeft + Scaled(4, s);
    return g;
}

}  // namespace quorva
