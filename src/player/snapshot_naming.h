// The file names of snapshots: "<date>-<time>-<camera>-<position>.jpg" in the chosen folder,
// one per camera.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorva {

// The base name from the recording's file name: the name up to its first '.', less its first
// five characters, then its first 14 characters and its last character.
// AG__-240131-083015-000123M.MOV gives 240131-083015-M.
std::string SnapshotBaseName(std::string_view recordingPath);

// folder + '/' (unless the folder already ends with one) + "<base>-%06d" + ".jpg". A negative
// position gives the folder alone (nothing can be saved there).
std::string SnapshotMainPath(std::string_view folder, std::string_view baseName, int64_t position);

// The sub camera's path: the main path with its camera letter (the character before the
// position's '-') swapped between 'M' and 'S'; any other letter stays.
std::string SnapshotSubPath(std::string_view mainPath);

}  // namespace quorva
