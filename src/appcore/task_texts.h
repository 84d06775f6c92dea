// The texts of the GPS track export and of the delete's report, in the two language slots
// of the UI text table (Japanese, US English).
#pragma once

#include <string>

namespace quorva {

enum class TaskText {
    kGpxRecordingItem,  // the recording list's menu item for the selected recording
    kGpxGroupItem,      // ... for every recording of the selected group
    kGpxNoPositions,    // the recordings hold no GPS position with a fix
    kGpxWriteFailed,    // the GPX file cannot be written
    kNotDeleted,        // heading of the names of recordings that could not be deleted
};

// The text in the language slot of UiText.
const std::string& TaskTextOf(TaskText text);

}  // namespace quorva
