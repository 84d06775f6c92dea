#include "recordings/qt/recording_platform.h"

#include "platform/file_attributes.h"
#include "platform/qt/trash.h"
#include "platform/qt/volumes.h"

namespace quorva {

RecordingFileOps DefaultRecordingFileOps() {
    RecordingFileOps ops;
    ops.volumeRoot = [](const std::string& path) { return platform::VolumeRootOf(path); };
    ops.moveToTrash = [](const std::string& path) { return platform::MoveToTrash(path); };
    ops.setHidden = [](const std::string& path) { return platform::SetHiddenAttribute(path); };
    return ops;
}

bool DeleteRecording(std::string_view path) {
    return DeleteRecording(path, DefaultRecordingFileOps());
}

}  // namespace quorva
