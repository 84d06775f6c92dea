// The group tree of a source: folder nodes and date-and-run group nodes (YYMMDD_NNNN),
// each with a text, a badge (the OR of the kind flags of its recordings) and children.
// A plain model that the file browser's tree widget shows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorva {

constexpr size_t kMaxTreeNodes = 1500;

struct GroupNode {
    std::string text;
    uint32_t badge = 0;     // kind flags of the node's recordings; 0 when none
    bool isGroup = false;   // a date-and-run group (no folder on disk); else a folder node
    bool expanded = false;  // set when the node was filled
    uint64_t serial = 0;    // unique within the tree's life, for widgets that map nodes
    GroupNode* parent = nullptr;
    std::vector<std::unique_ptr<GroupNode>> children;

    // A folder item of the tree (a folder on disk), as opposed to a group of recordings.
    bool IsPlainFolderItem() const { return !isGroup; }
};

class GroupTree {
  public:
    GroupTree() = default;
    GroupTree(const GroupTree&) = delete;
    GroupTree& operator=(const GroupTree&) = delete;

    const std::vector<std::unique_ptr<GroupNode>>& Roots() const { return roots_; }
    size_t NodeCount() const { return count_; }
    bool Full() const { return count_ >= kMaxTreeNodes; }

    // The folder the tree's paths start from (the parent of a folder source, or the card).
    const std::string& RootPath() const { return rootPath_; }
    void SetRootPath(std::string path) { rootPath_ = std::move(path); }

    // Appends a node under the parent (nullptr: a root node). Callers check Full() first.
    GroupNode* Insert(GroupNode* parent, std::string text, bool isGroup);
    void DeleteChildren(GroupNode* node);
    void Clear();

    // Root path, then the texts of the ancestors and of the node, '/'-separated.
    std::string PathOf(const GroupNode* node) const;
    int DepthOf(const GroupNode* node) const;  // number of ancestors
    bool Contains(const GroupNode* node) const;
    GroupNode* FindByPath(std::string_view path) const;
    GroupNode* FindBySerial(uint64_t serial) const;
    // The first node, in tree order (a node before its children), that the test accepts.
    GroupNode* Find(const std::function<bool(const GroupNode&)>& wanted) const;

  private:
    static size_t CountSubtree(const GroupNode& node);

    std::vector<std::unique_ptr<GroupNode>> roots_;
    std::string rootPath_;
    size_t count_ = 0;
    uint64_t nextSerial_ = 1;
};

}  // namespace quorva
