#include "player/snapshot_naming.h"

#include <cstdio>

namespace quorva {

std::string SnapshotBaseName(std::string_view recordingPath) {
    std::string_view name = recordingPath;
    const size_t slash = name.find_last_of('/');
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    name = name.substr(0, name.find('.'));
    if (name.size() <= 5) return {};
    name.remove_prefix(5);
    std::string base(name.substr(0, 14));
    base.push_back(name.back());
    return base;
}

std::string SnapshotMainPath(std::string_view folder, std::string_view baseName, int64_t position) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path.push_back('/');
    if (position < 0) return std::string(folder);
    char number[32];
    std::snprintf(number, sizeof number, "-%06lld", static_cast<long long>(position));
    path.append(baseName);
    path.append(number);
    path.append(".jpg");
    return path;
}

std::string SnapshotSubPath(std::string_view mainPath) {
    std::string path(mainPath);
    // The camera letter stands before the '-' that starts the position number. With up to six
    // digits this is the character 12 from the end; longer numbers move it further left.
    const size_t dot = path.rfind('.');
    const size_t dash = path.rfind('-', dot == std::string::npos ? std::string::npos : dot);
    if (dash == std::string::npos || dash == 0) return path;
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && dash <= slash + 1) return path;
    char& letter = path[dash - 1];
    if (letter == 'M')
        letter = 'S';
    else if (letter == 'S')
        letter = 'M';
    return path;
}

}  // namespace quorva
