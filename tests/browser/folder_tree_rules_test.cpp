#include "browser/folder_tree_rules.h"

#include <gtest/gtest.h>

#include "appcore/ui_scale.h"

namespace quorva {
namespace {

TEST(FolderTreeRules, BadgesShowOnlyBelowTheRootAndWhenSet) {
    GroupNode node;
    struct Case {
        uint32_t badge;
        int level;
        bool shows;
    } cases[] = {{0, 0, false}, {0, 1, false}, {6, 0, false}, {1, 1, true}, {30, 2, true}};
    for (const Case& c : cases) {
        node.badge = c.badge;
        EXPECT_EQ(ShowsTreeBadge(node, c.level), c.shows) << c.badge << " at " << c.level;
    }
}

TEST(FolderTreeRules, EveryShownNodeIsAnItemOfTheFolderSelectedStep) {
    GroupTree tree;
    GroupNode* folder = tree.Insert(nullptr, "Normal", false);
    GroupNode* group = tree.Insert(folder, "240131_0001", true);
    EXPECT_TRUE(IsFolderSelectionItem(folder));
    EXPECT_TRUE(IsFolderSelectionItem(group));
    EXPECT_FALSE(IsFolderSelectionItem(nullptr));
}

TEST(FolderTreeRules, RowPartsDoNotOverlapAndScale) {
    for (double s : {1.0, 1.5, 2.0}) {
        const int indent = TreeIndentation(s);
        for (int level = 0; level < 4; ++level) {
            const TreeRowGeometry folder = LayOutTreeRow(level, s, true, false);
            const TreeRowGeometry badged = LayOutTreeRow(level, s, false, true);
            const TreeRowGeometry plain = LayOutTreeRow(level, s, false, false);
            for (const TreeRowGeometry& g : {folder, badged, plain}) {
                EXPECT_EQ(g.expanderLeft, level * indent);
                EXPECT_EQ(g.expanderWidth, indent);
            }
            EXPECT_GE(folder.iconLeft, (level + 1) * indent);
            EXPECT_GE(folder.textLeft, folder.iconLeft + folder.iconSize);
            EXPECT_EQ(folder.badgeLeft, -1);
            EXPECT_EQ(badged.iconLeft, -1);
            EXPECT_GE(badged.badgeLeft, (level + 1) * indent);
            EXPECT_EQ(badged.badgeWidth, Scaled(39, s));
            EXPECT_GT(badged.textLeft, badged.badgeLeft + badged.badgeWidth);
            EXPECT_EQ(plain.badgeLeft, -1);
            EXPECT_EQ(plain.iconLeft, -1);
            EXPECT_GE(plain.textLeft, (level + 1) * indent);
        }
    }
    EXPECT_EQ(TreeRowHeight(1.0), 26);
    EXPECT_EQ(TreeRowHeight(1.5), 39);
    EXPECT_EQ(LayOutTreeRow(1, 2.0, false, true).badgeLeft, 64);
}

}  // namespace
}  // namespace quorva
