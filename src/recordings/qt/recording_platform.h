// The desktop's side of the recording files: deletion through the mounted volumes, the
// trash and the FAT hidden attribute of the platform layer.
#pragma once

#include <string_view>

#include "recordings/recording_name.h"

namespace quorva {

// Volume roots from the mounted volumes, the desktop's trash, the FAT hidden attribute.
RecordingFileOps DefaultRecordingFileOps();

// DeleteRecording with the desktop's operations.
bool DeleteRecording(std::string_view path);

}  // namespace quorva
