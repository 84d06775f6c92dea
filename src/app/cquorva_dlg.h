// CquorvaDlg: the main window and the hub of the viewer. It owns the player group and the
// movie windows, the file browser's place, the panels, the sliders and buttons, the detached
// movie window and the resize outline; it turns every user action into a command and every
// report of a component into an application message handled from one dispatch table. It
// draws its own caption and frame, resizes itself through its border zones, maximises to the
// work area its own way and can show the main movie view full-screen. The recording road
// (the playback rules) is reached through RoadSeam.
#pragma once

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/companion_layout.h"
#include "app/main_layout.h"
#include "app/main_window_frame.h"
#include "app/movie_static.h"
#include "app/once_sequence.h"
#include "app/own_drive.h"
#include "app/resize_rules.h"
#include "app/road_seam.h"
#include "app/startup_source.h"
#include "app/task_runner.h"
#include "appcore/app_messages.h"
#include "browser/file_browser_listener.h"
#include "online/update_rules.h"
#include "platform/qt/app_message_event.h"
#include "player/player_group.h"
#include "recordings/recording_name.h"
#include "road/playback_buttons.h"
#include "road/playback_command_ids.h"
#include "skin/off_screen_dc.h"
#include "skin/resource_image.h"

namespace quorva {

class CFileSelectDlg;
class CFilerContainerDlg;
class CGSensorDlg;
class CquorvaPlaybackView;
class CquorvaRoad;
class CInfoDlg;
class CLogoDlg;
class CMapDlgWrap;
class CMovieDialog;
class CquorvaPlaybackMap;
class PlaybackMap;
class CResizeFrame;
class SlotTrackSource;
class CSkinButton;
class CSkinProgressBarCtrl;
class CSkinSliderCtrl;
class CPreviewWindow;
class CSettingsDlg;
class CUpdateDialog;
class ViewerTasks;

// Command ids of the main window.
enum MainCommandId : int {
    ID_WND_CLOSE = 14,
    ID_WND_MAXIMIZE = 15,
    ID_WND_MINIMIZE = 16,
    ID_THUMBNAIL_TOGGLE = 17,
    ID_PLAY_STOP = command::ID_PLAY_STOP,
    ID_PLAY_PREV = command::ID_PLAY_PREV,
    ID_PLAY_PAUSE = command::ID_PLAY_PAUSE,
    ID_PLAY_SLOW = command::ID_PLAY_SLOW,
    ID_PLAY_FAST = command::ID_PLAY_FAST,
    ID_PLAY_NEXT = command::ID_PLAY_NEXT,
    ID_SNAPSHOT = command::ID_SNAPSHOT,
    ID_SAVE_JOINED = command::ID_SAVE_JOINED,
    ID_ZOOM_MODE = command::ID_ZOOM_MODE,
    ID_OPEN_SOURCE = command::ID_OPEN_SOURCE,
    ID_DELETE_FILES = command::ID_DELETE_FILES,
    ID_SETTINGS = command::ID_SETTINGS,
    ID_EXPORT_CSV = command::ID_EXPORT_CSV,
    ID_MAP_TOGGLE = command::ID_MAP_TOGGLE,
    ID_ASPECT_TOGGLE = command::ID_ASPECT_TOGGLE,
    ID_LEAVE_FULL_SCREEN = command::ID_LEAVE_FULL_SCREEN,
    ID_EXPORT_GPX = command::ID_EXPORT_GPX,
    ID_EXPORT_GPX_GROUP = command::ID_EXPORT_GPX_GROUP,
    ID_FILTER_0 = command::ID_FILTER_0,
    ID_FILTER_LAST = 38705,  // the range the filter handler accepts
};

enum MainControlId : int {
    IDC_MOVIE_VIEW = 1000,
    IDC_SEEK_SLIDER = command::IDC_SEEK_SLIDER,
    IDC_VOLUME_SLIDER = command::IDC_VOLUME_SLIDER,
    IDC_PROGRESS_BAR = command::IDC_PROGRESS_BAR,
};

// The product name shown in the title.
inline constexpr const char* kMainWindowTitle = "Quorva Viewer";

// Runs the source dialog: the chosen kind (1 card, 2 folder, 3 file) and path, or kind 0
// when the user cancelled.
struct SourceChoice {
    int kind = 0;
    std::string path;
};
using SourceDialogFunction = std::function<SourceChoice(QWidget* owner)>;

using MessageFunction =
    std::function<int(QWidget* owner, const std::string& text, const std::string& caption)>;
// Asks for a folder with the title; "" when the user cancelled.
using FolderFunction = std::function<std::string(QWidget* owner, const std::string& title)>;

struct MainWindowOptions {
    const PlayerOps* playerOps = nullptr;  // the FFmpeg engine unless set
    std::string commandLineSource;         // `quorva SOURCE`
    std::string settingsDirectory;         // the working directory unless set
    std::optional<StartupEnvironment> startup;
    std::optional<DriveProbe> drives;
    std::string programPath;            // the executable unless set
    MessageFunction showMessage;        // the skinned message dialog unless set
    SourceDialogFunction sourceDialog;  // the source dialog (CSourceOpenDlg) unless set
    FolderFunction pickSnapshotFolder;  // the folder chooser (PickFolder) unless set
    // The output folder of a worker task: the folder chooser at the task's stored folder
    // unless set.
    FolderFunction pickTaskFolder;
    // Runs the file selection dialog (modally unless set); answers 1 for OK.
    std::function<int(CFileSelectDlg& dialog)> runFileSelect;
    // What deletion does to the files: the desktop's (the card's volume, the trash, the FAT
    // hidden attribute) unless set.
    std::optional<RecordingFileOps> recordingFileOps;
    // Called on a worker task's thread after each of its progress reports.
    TaskControl::ProgressObserver taskProgressObserver;
    // The recording road (the playback controller) is made with the window; off, the
    // window runs without one until SetRoad attaches one.
    bool playbackRoad = true;
    // Work area used for the UI scale when set (otherwise the screen's).
    QRect workArea;
};

class CquorvaDlg : public QWidget,
                   public MovieWindowOwner,
                   public FileBrowserListener,
                   private TaskRunnerView,
                   private FrameHost {
    Q_OBJECT

  public:
    explicit CquorvaDlg(MainWindowOptions options = {});
    ~CquorvaDlg() override;

    // The window's initialisation, in its fixed order; ends by posting WM_APP_STARTUP.
    void Initialize();
    const std::vector<std::string>& StartupTrace() const { return startup_.Trace(); }
    bool StartupDone() const { return startupDone_; }

    // The one shut-down sequence (runs once); the trace holds its steps as they ran.
    void RunShutdown();
    const std::vector<std::string>& ShutdownTrace() const { return shutdown_.Trace(); }
    bool ShutDown() const { return shutdown_.HasRun(); }

    void OnCommand(int id);

    // The road made with the window (null when it was not), and another road attached in
    // its place (tests).
    CquorvaRoad* OwnRoad() const { return ownRoad_.get(); }
    void SetRoad(RoadSeam* road) { road_ = road; }
    RoadSeam* Road() const { return road_; }
    // The worker tasks of the commands (the viewer's own are installed at start-up).
    void SetTaskFactory(TaskFactory factory, std::vector<int> commands) {
        tasks_.SetFactory(std::move(factory), std::move(commands));
    }
    bool CommandHasTask(int commandId) const { return tasks_.HasTaskFor(commandId); }

    // MovieWindowOwner.
    void OnMovieMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) override;
    void OnMovieDoubleClick(int index) override;
    bool SubSlotOpened() const override;
    void OnMovieErase(int index) override;
    bool SlotOpen(int index) const override;
    bool NoticeIsCurrent(int index, uintptr_t serial) const override;

    // FileBrowserListener.
    void OnFolderSelected(const FolderSelection& selection) override;
    void OnRecordingSelected(int row) override;
    void OnFilterCommand(int k) override;
    void OnRecordingContextMenu(int row, int x, int y) override;

    // Source: the browser scans and shows it; the first row is selected when there is one.
    void LoadSource(const std::string& path, int kind);
    const std::string& SourcePath() const { return sourcePath_; }
    int SourceKind() const { return sourceKind_; }
    bool TraceFilePresent() const { return traceFilePresent_; }
    bool CsvAllowed() const { return csvAllowed_; }
    void SetCsvAllowed(bool allowed) { csvAllowed_ = allowed; }
    // The CSV export may run for the loaded source: a card or a folder that holds recordings.
    bool SourceAllowsCsv();

    // Worker task.
    bool StartTask(TaskFunction task, uint32_t endMessage = WM_APP_TASK_DONE);
    bool FinishTask();
    bool TaskBusy() const { return tasks_.Busy(); }
    bool TaskThreadAlive() const { return tasks_.HasThread(); }
    bool ControlsEnabled() const { return controlsEnabled_; }
    void EnableAllControls(bool enable);
    void DisableAllButtonsAndPanels();
    void UpdateButtons();
    void ApplyButtonStates(const PlaybackButtonStates& states);
    int ListCount() const;

    // What the worker tasks ask of the window before they start (viewer_tasks.h).
    // kind 0: OK; 1: OK and Cancel. Answers 1 for OK.
    int ShowUserMessage(const std::string& text, const std::string& caption, int kind = 0);
    // The task's output folder, starting at the one stored under FOLDERPATH/key; "" when
    // the user cancelled.
    std::string PickTaskFolder(const std::string& key, int titleText);
    int RunFileSelect(CFileSelectDlg& dialog);
    RecordingFileOps DeleteOps() const;
    // Closes the players and forgets the current recording (before its files are deleted).
    void CloseOpenRecording();

    // Layout and frame.
    void Layout();
    void Rescale(const QRect& windowRect);
    void ToggleFullScreen(bool toggle);
    void CustomMaximise() { frame_.CustomMaximise(); }
    void Maximise() { frame_.Maximise(); }
    void Restore() { frame_.Restore(); }
    void Minimise() { frame_.Minimise(false); }
    bool FullScreen() const { return frame_.FullScreen(); }
    bool Maximised() const { return frame_.Maximised(); }
    double Scale() const { return scale_; }
    double FactorX() const { return frame_.FactorX(); }
    double FactorY() const { return frame_.FactorY(); }
    double LargestFactorNow() const { return largest_; }
    double InfoTextFactor() const { return infoTextFactor_; }
    const MainLayout& CurrentLayout() const { return layout_; }
    int Zone() const { return frame_.Zone(); }
    int ResizeDirectionNow() const { return frame_.ResizeDirection(); }
    MainWindowFrame& Frame() { return frame_; }
    // The work area the window lives on. A fixed one stands in for the monitor's (tests, a
    // virtual display); the next settle or work-area notice applies a change.
    QRect WorkArea() const;
    void SetFixedWorkArea(const QRect& area) { options_.workArea = area; }
    QRect ScreenRect() const;

    // The view.
    void ResetView();
    void SetVolume(int volume);
    // The volume slider and its mark show the volume (stored elsewhere).
    void ShowVolume(int volume);
    int Volume() const { return volume_; }
    bool KeepAspect() const { return keepAspect_ != 0; }
    void SetPlayFace(bool playing);
    bool MapShown() const { return mapShown_; }
    // The companion window shows the second camera's picture (above the map's place).
    bool SubCameraShown() const;
    bool Thumbnail() const { return thumbnail_; }
    void ApplyZoom(int repaint);
    void PlaceDetachedWindow(bool force);
    MainWindowState WindowState() const;

    // Children.
    PlayerGroup& Players() { return *players_; }
    CMovieStatic* Movie(int index) const { return movie_[index == 1 ? 1 : 0]; }
    CMovieDialog* Detached() const { return detached_.get(); }
    CLogoDlg* Logo() const { return logo_; }
    // The map window controller (null after shut-down) and the road's seam to it.
    CMapDlgWrap* MapController() const { return map_.get(); }
    PlaybackMap* RoadMap() const;
    CGSensorDlg* Graph() const { return graph_; }
    CInfoDlg* Info() const { return info_; }
    CSkinSliderCtrl* SeekSlider() const { return seek_; }
    CSkinSliderCtrl* VolumeSlider() const { return volumeSlider_; }
    CSkinProgressBarCtrl* ProgressBar() const { return progress_; }
    CSkinButton* Button(int commandId) const;
    CFilerContainerDlg* Browser() const { return browser_; }
    // The hover preview's popup, the settings dialog and the update notice (null until
    // the update check announced something).
    CPreviewWindow* PreviewWindow() const { return preview_; }
    CSettingsDlg* SettingsDialog() const { return settings_; }
    CUpdateDialog* UpdateDialog() const;
    // The versions the update check starts with (read from the sources loaded so far).
    const UpdateInputs& UpdateCheckInputs() const { return updateInputs_; }
    CResizeFrame* ResizeFrame() const { return frame_.Outline(); }
    const CResourceImage& Images() const { return images_; }
    std::recursive_mutex& MutexCache() { return mutexCache_; }
    std::recursive_mutex& MutexCpSet() { return mutexCpSet_; }

  signals:
    // The window ended (close button, system close, removal of the program's own drive).
    void closed();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Start-up (cquorva_startup.cpp).
    void BuildStartupSequence();
    void CreateRoad();
    void InstallViewerTasks();
    void ComputeScale();
    void CreateChildren();
    void InitialisePlayers();
    void BuildShutdownSequence();
    void OnStartup(uintptr_t, intptr_t);
    void EndWindow();

    // Messages (cquorva_messages.cpp).
    void OnProgress(uintptr_t wParam, intptr_t lParam);
    void OnSlider(uintptr_t wParam, intptr_t lParam);
    void OnSliderBegin(uintptr_t wParam, intptr_t lParam);
    void OnSliderEnd(uintptr_t wParam, intptr_t lParam);
    void OnMovieMenu(uintptr_t wParam, intptr_t lParam);
    void OnSourceRemoved(uintptr_t wParam, intptr_t lParam);
    void OnTaskDone(uintptr_t wParam, intptr_t lParam);
    void OnDeleteDone(uintptr_t wParam, intptr_t lParam);
    void OnAppBar(uintptr_t wParam, intptr_t lParam);
    void OnZoomRefresh(uintptr_t wParam, intptr_t lParam);
    void OnMovieReposition(uintptr_t wParam, intptr_t lParam);
    void OnFolderSelectedMessage(uintptr_t wParam, intptr_t lParam);
    void OnPreviewItem(uintptr_t wParam, intptr_t lParam);
    void OnUpdateAvailable(uintptr_t wParam, intptr_t lParam);
    void OnIgnored(uintptr_t, intptr_t) {}
    template <uint32_t Id>
    void ToRoad(uintptr_t wParam, intptr_t lParam);
    static const AppMessageMap<CquorvaDlg>& MessageMap();

    // Commands (cquorva_commands.cpp).
    void OnOpenSource();
    // Opens a source as one named on the command line opens (the source dialog's choice
    // too): the tree on its first group, the first recording chosen and waiting at its start.
    void OpenSource(const StartupSource& source);
    void OpenFirstGroup();
    void OnMapToggle();
    void OnMapWatch();
    void OnThumbnailToggle();
    void OnSettings();
    // Once per run, at start-up: the update check against the server of the settings.
    void StartUpdateCheck();
    void NoteSourceVersions(const std::string& path, int kind);
    void OnTaskCommand(int id);
    bool GuardBlocks();
    // The playback key of a key press (space, left, right, Home), routed to the road.
    bool RoutePlaybackKey(QKeyEvent* event, bool fromTree);
    // The position slider's tip: the position as elapsed time ("0:12 / 1:00"); empty while
    // no recording has started.
    QString SeekTipText(int position) const;

    // Layout (cquorva_layout.cpp).
    void LoadButtonImages();
    void ApplyFullScreen();
    void UpdateMaximiseFace();
    void ShowDetachedContent();
    void LayOutSecondMovie();

    // The frame's host (cquorva_frame.cpp).
    double FrameScale() const override { return scale_; }
    double FrameLargestFactor() const override { return largest_; }
    QRect FrameWorkArea() const override { return WorkArea(); }
    QRect FrameMaximisedRect(QPoint point) const override;
    void FrameComputeScale() override { ComputeScale(); }
    void FrameRescale(const QRect& rect) override { Rescale(rect); }
    void FrameLayout() override { Layout(); }
    void FrameApplyFullScreen(bool) override { ApplyFullScreen(); }
    void FrameMaximisedChanged(bool maximised) override;
    void FramePlaceCompanions() override;
    void FrameMinimisedChanged(bool minimised) override;
    void FrameSettled() override;
    bool FrameResizeAllowed() const override { return controlsEnabled_; }
    bool FrameMoveAllowed() const override;
    void FrameStoreFactors(double fx, double fy) override;
    void StoreFactors() { FrameStoreFactors(frame_.FactorX(), frame_.FactorY()); }

    // Tasks (cquorva_tasks.cpp): the runner's view.
    void PlaceProgressBar();
    void ShowTaskProgress() override;
    void SetTaskProgress(int percent) override;
    void HideTaskProgress() override;
    void EnableTaskControls(bool enable) override { EnableAllControls(enable); }
    void ShowTaskCompleted() override;

    friend class CquorvaPlaybackView;

    MainWindowOptions options_;
    std::unique_ptr<PlayerGroup> players_;
    RoadSeam* road_ = nullptr;
    TaskRunner tasks_;
    std::unique_ptr<ViewerTasks> viewerTasks_;
    OnceSequence shutdown_;
    OnceSequence startup_;
    std::recursive_mutex mutexCache_;  // "hMutexCache": the catalogue and the current index
    std::recursive_mutex mutexCpSet_;  // "hMutexCpSet": the event list

    CResourceImage images_;
    COffScreenDC surface_;
    CFilerContainerDlg* browser_ = nullptr;
    CPreviewWindow* preview_ = nullptr;
    CSettingsDlg* settings_ = nullptr;
    QPointer<CUpdateDialog> updateDialog_;
    QtMessageTarget noticeMessages_{this};  // the update thread's notice
    UpdateInputs updateInputs_;
    std::unique_ptr<CMovieDialog> detached_;
    std::array<CMovieStatic*, 2> movie_{};
    CLogoDlg* logo_ = nullptr;
    CGSensorDlg* graph_ = nullptr;
    CInfoDlg* info_ = nullptr;
    CSkinSliderCtrl* seek_ = nullptr;
    CSkinSliderCtrl* volumeSlider_ = nullptr;
    CSkinProgressBarCtrl* progress_ = nullptr;
    std::array<CSkinButton*, kBottomButtonCount> bottom_{};
    std::array<CSkinButton*, kCaptionButtonCount> caption_{};
    MainWindowFrame frame_;
    // The map: its tracks come from the player slots; its window lies in the companion.
    std::unique_ptr<SlotTrackSource> mapTracks_;
    std::unique_ptr<CMapDlgWrap> map_;
    std::unique_ptr<CquorvaPlaybackMap> roadMap_;
    QtMessageTarget mapMessages_{this};
    QTimer mapWatch_;  // once a second while the map is switched on
    bool mapOnline_ = false;
    // Made after the children and gone before the player slots (its threads use them).
    std::unique_ptr<CquorvaRoad> ownRoad_;
    QMetaObject::Connection screenWatch_;

    // Settings and view state.
    int volume_ = 65535;
    int keepAspect_ = 0;
    bool thumbnail_ = false;
    bool mapShown_ = false;      // the map is switched on (off at start)
    bool logoWanted_ = true;     // the road shows the logo panel in the map's place
    bool seekReleased_ = false;  // the road let go of the position slider's drag
    bool detachedPlaced_ = false;
    bool placingDetached_ = false;
    bool csvAllowed_ = false;
    bool traceFilePresent_ = false;
    bool controlsEnabled_ = true;
    bool startupDone_ = false;
    bool initialised_ = false;
    bool ending_ = false;
    bool playing_ = false;  // the play button's face
    ZoomSettings zoom_[2];

    // Source.
    std::string sourcePath_;
    std::string sourceRoot_;
    int sourceKind_ = 0;
    std::string programPath_;
    std::string programRoot_;

    // Scale, layout and frame.
    double scale_ = 1.0;
    double largest_ = kLargestFactorCap;
    double infoTextFactor_ = 1.0;
    MainLayout layout_;
    bool switchingFullScreen_ = false;
    bool detachedBeforeFullScreen_ = false;
};

}  // namespace quorva
