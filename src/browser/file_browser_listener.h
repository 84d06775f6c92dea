// How the file browser reports to its owner (the main window). Everything here is called
// directly on the user-interface thread, in the middle of the browser's own event handling:
//
//   OnFolderSelected   a node of the group tree became the selected node (a click, the
//                      keyboard, or SelectNextFolder). The owner stops what plays and calls
//                      CFilerContainerDlg::LoadFolder(selection.serial) to fill the list.
//                      Not called while the browser is busy (scanning or filling), nor for
//                      the selection the browser makes itself while loading a source.
//   OnRecordingSelected a row of the recording list became selected (a click, the keyboard,
//                      or SelectRecordingRow / SetFilter / a header click). The owner
//                      compares the row with its current recording and takes the browser's
//                      reopen switch (TakeReopen) when they are equal.
//   OnFilterCommand    filter button k (command ID_FILTER_0 + k) was clicked. The owner
//                      calls SetFilter(k, !Filter(k)) and refreshes what depends on the list.
//   OnRecordingContextMenu the user asked for the recording list's menu at screen point
//                      (x, y) over row (-1: below the rows; a click on a row selects it
//                      first). The owner shows its menu.
//
// Besides, the browser posts application messages to its message target (its parent
// widget unless set), from its own thread of events:
//   WM_APP_SOURCE_REMOVED (wParam 0, lParam 0) once the current source has vanished (the
//                      card was pulled, the folder or movie removed).
//
// Without a listener the browser does the plain part itself: it loads a selected folder,
// and flips a clicked filter. An owner that routes the folder-selected step through its
// message table may post WM_APP_FOLDER_SELECTED (wParam = selection.serial) to itself from
// OnFolderSelected and call LoadFolder(wParam) in its handler.
//
// Wiring in the owner: new CFilerContainerDlg(owner), SetListener(owner), setGeometry() to
// the browser's place (the browser lays out its children on every resize; call LayOut()
// after a change of the UI scale), LoadSource(path, kind) or ChooseStartSource(), then
// SelectRecordingRow(0, ...) when the list has rows. Rows() is the list the current index
// and the open step refer to; Catalogue() the scan model behind it.
#pragma once

#include <cstdint>
#include <string>

namespace quorva {

struct FolderSelection {
    uint64_t serial = 0;   // the node's serial in the browser's group tree (0: none)
    std::string path;      // the node's path: the tree's root path and the node texts
    bool isGroup = false;  // a date-and-run group node (else a folder node)
    // Whether the item counts for the folder-selected step (IsFolderSelectionItem): every
    // node the tree shows does.
    bool plainFolderItem = false;
};

class FileBrowserListener {
  public:
    virtual ~FileBrowserListener() = default;
    virtual void OnFolderSelected(const FolderSelection& selection) = 0;
    virtual void OnRecordingSelected(int row) = 0;
    virtual void OnFilterCommand(int k) = 0;
    virtual void OnRecordingContextMenu(int /*row*/, int /*x*/, int /*y*/) {}
};

}  // namespace quorva
