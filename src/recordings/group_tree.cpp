#include "recordings/group_tree.h"

#include <functional>

#include "recordings/recording_name.h"

namespace quorva {

GroupNode* GroupTree::Insert(GroupNode* parent, std::string text, bool isGroup) {
    auto node = std::make_unique<GroupNode>();
    node->text = std::move(text);
    node->isGroup = isGroup;
    node->parent = parent;
    node->serial = nextSerial_++;
    GroupNode* raw = node.get();
    (parent ? parent->children : roots_).push_back(std::move(node));
    ++count_;
    return raw;
}

size_t GroupTree::CountSubtree(const GroupNode& node) {
    size_t n = 1;
    for (const auto& child : node.children)
        n += CountSubtree(*child);
    return n;
}

void GroupTree::DeleteChildren(GroupNode* node) {
    if (!node) return;
    for (const auto& child : node->children)
        count_ -= CountSubtree(*child);
    node->children.clear();
}

void GroupTree::Clear() {
    roots_.clear();
    count_ = 0;
}

std::string GroupTree::PathOf(const GroupNode* node) const {
    std::vector<const GroupNode*> chain;
    for (const GroupNode* n = node; n; n = n->parent)
        chain.push_back(n);
    std::string path = rootPath_;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        path = JoinPath(path, (*it)->text);
    return path;
}

int GroupTree::DepthOf(const GroupNode* node) const {
    int depth = 0;
    for (const GroupNode* n = node ? node->parent : nullptr; n; n = n->parent)
        ++depth;
    return depth;
}

GroupNode* GroupTree::Find(const std::function<bool(const GroupNode&)>& wanted) const {
    std::function<GroupNode*(const std::vector<std::unique_ptr<GroupNode>>&)> walk =
        [&](const std::vector<std::unique_ptr<GroupNode>>& nodes) -> GroupNode* {
        for (const auto& n : nodes) {
            if (wanted(*n)) return n.get();
            if (GroupNode* hit = walk(n->children)) return hit;
        }
        return nullptr;
    };
    return walk(roots_);
}

// Compares addresses only, so a pointer to a node deleted since is never dereferenced.
bool GroupTree::Contains(const GroupNode* node) const {
    return node && Find([node](const GroupNode& n) { return &n == node; });
}

GroupNode* GroupTree::FindBySerial(uint64_t serial) const {
    return Find([serial](const GroupNode& n) { return n.serial == serial; });
}

GroupNode* GroupTree::FindByPath(std::string_view path) const {
    return Find([&](const GroupNode& n) { return PathOf(&n) == path; });
}

}  // namespace quorva
