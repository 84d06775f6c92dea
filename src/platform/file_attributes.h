// File attributes of the recorder's card: the FAT "hidden" attribute.
#pragma once

#include <string>

namespace quorva::platform {

// Marks the file hidden, as the recorder's card expects of retired recordings and of the
// settings file: on a vfat file system the FAT attributes become "hidden" alone; on every
// other file system there is no such attribute and nothing is done. Returns false only when
// the file cannot be opened or a vfat file system refuses the change.
bool SetHiddenAttribute(const std::string& path);

// True when the path lies on a vfat (FAT12/16/32) file system.
bool IsOnFatFileSystem(const std::string& path);

}  // namespace quorva::platform
