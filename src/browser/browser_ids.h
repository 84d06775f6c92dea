// Control ids of the file browser and the source dialog. The filter buttons' ids are the
// main window's commands ID_FILTER_0 + k.
#pragma once

namespace quorva::browser_ids {

constexpr int kFolderTree = 38300;
constexpr int kPathLine = 38500;
constexpr int kFileList = 1001;
constexpr int kFilterFirst = 38700;  // ID_FILTER_0; the five buttons are 38700..38704
constexpr int kFilterCount = 5;

constexpr int kSourceDriveList = 39100;
constexpr int kSourceFolderEdit = 39200;
constexpr int kSourceFileEdit = 39201;
constexpr int kSourceFolderButton = 39003;
constexpr int kSourceFileButton = 39004;
constexpr int kSourceOk = 1;
constexpr int kSourceCancel = 2;  // the caption's close button

}  // namespace quorva::browser_ids
