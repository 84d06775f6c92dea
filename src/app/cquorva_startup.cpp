// The main window's start-up (initialisation in its fixed order, then the deferred start-up
// once the window is on screen) and its one shut-down sequence with its three roads.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/cquorva_dlg.h"

#include "app/cquorva_playback_map.h"
#include "app/cquorva_road.h"
#include "app/movie_dialog.h"
#include "app/resize_frame.h"
#include "appcore/settings_store.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser/folder_tree_ctrl.h"
#include "container/drive_data_store.h"
#include "container/known_box_types.h"
#include "map/map_dlg_wrap.h"
#include "online/source_versions.h"
#include "online/update_dialog.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "player/preview_window.h"
#include "skin/dark_look.h"
#include "skin/qt_translations.h"
#include "skin/skin_button.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_resources.h"
#include "skin/skin_slider.h"
#include "skin/ui_fonts.h"
#include "tools/settings_dlg.h"

namespace quorva {

namespace {

// Leading decimal digits; 0 when there are none.
long LeadingNumber(const std::string& text) {
    long value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin < end && (*begin == ' ' || *begin == '\t'))
        ++begin;
    const auto parsed = std::from_chars(begin, end, value);
    return parsed.ec == std::errc() ? value : 0;
}

}  // namespace

void CquorvaDlg::ComputeScale() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const double dpiX = screen ? screen->logicalDotsPerInchX() : 96.0;
    const int dpiY = screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
    const UiMetrics metrics = ComputeUiMetrics(WorkArea().height(), dpiX, dpiY);
    SetUiFontDpi(dpiY);
    SetUiScaleFactors(metrics.s, metrics.f);
    scale_ = metrics.s;
    largest_ = LargestFactor(ScreenRect().width(), scale_);
}

void CquorvaDlg::Initialize() {
    if (initialised_) return;
    startup_.Run();
    initialised_ = true;
    PostAppMessage(this, WM_APP_STARTUP);
}

void CquorvaDlg::BuildStartupSequence() {
    startup_.Add("dialog", [this] { setWindowIcon(ApplicationIcon()); });
    startup_.Add("mutexes", {});  // in-process locks: they cannot fail
    startup_.Add("largest factor",
                 [this] { largest_ = LargestFactor(ScreenRect().width(), UiScale()); });
    // The settings directory comes before the language: DISPLAY/LANGUAGE may choose it.
    startup_.Add("settings directory", [this] {
        if (!options_.settingsDirectory.empty()) {
            SetSettingsDirectory(options_.settingsDirectory);
        } else {
            std::error_code ec;
            SetSettingsDirectory(std::filesystem::current_path(ec).string());
        }
    });
    startup_.Add("language slot", [] {
        ChooseLanguageSlot(ReadSetting("DISPLAY", "LANGUAGE"));
        UseQtTranslationsFor(LanguageSlot());
    });
    startup_.Add("dark look", [] { ApplyDarkLookOnce(); });
    startup_.Add("ui scale", [this] {
        ComputeScale();
        programPath_ = options_.programPath.empty()
                           ? QCoreApplication::applicationFilePath().toStdString()
                           : options_.programPath;
        const DriveProbe probe = options_.drives ? *options_.drives : DefaultDriveProbe();
        programRoot_ = probe.volumeRootOf(programPath_);
    });
    startup_.Add("title", [this] { setWindowTitle(QString::fromUtf8(kMainWindowTitle)); });
    startup_.Add("skin images", [this] { images_.Load(scale_); });
    startup_.Add("children", [this] { CreateChildren(); });
    startup_.Add("first-run settings", [] { WriteFirstRunDefaults(); });
    startup_.Add("player slots", [this] { InitialisePlayers(); });
    startup_.Add("hardware decode", [this] {
        PlayerSlot& main = players_->slot[0];
        if (main.valid)
            main.ops->SetHardwareDecode(main, ReadSetting("DECODE", "HW") == "on" ? 1 : 0);
    });
    startup_.Add("box names", [] { BuildKnownTypes(); });
    startup_.Add("aspect and volume", [this] {
        keepAspect_ = ReadSetting("DISPLAY", "ASPECT") == "on" ? 1 : 0;
        const std::string volume = ReadSetting("DISPLAY", "VOLUME");
        volume_ = volume.empty() ? 65535
                                 : static_cast<int>(std::clamp(LeadingNumber(volume), 0L, 65535L));
    });
    startup_.Add("road", [this] { CreateRoad(); });
    startup_.Add("worker tasks", [this] { InstallViewerTasks(); });
    startup_.Add("size window", [this] {
        const QRect rect =
            InitialMainWindowRect(MainWindowSize(scale_, 1.0, 1.0), WorkArea(), scale_);
        setGeometry(rect);
        frame_.SetPlacement(rect);
    });
    startup_.Add("layout", [this] {
        Layout();
        seek_->SetRange(0, 0);
        seek_->SetPos(0);
        info_->Reset();
        graph_->CloseRecording();
        SetVolume(volume_);
        SetPlayFace(false);
    });
    startup_.Add("progress bar", [this] {
        progress_->SetRange(0, 100);
        progress_->SetPos(0);
        PlaceProgressBar();
        progress_->hide();
    });
    startup_.Add("zoom reset", [this] {
        zoom_[0] = ZoomSettings{};
        zoom_[1] = ZoomSettings{};
    });
    startup_.Add("buttons", [this] { UpdateButtons(); });
    startup_.Add("aspect", [this] {
        for (PlayerSlot& slot : players_->slot)
            if (slot.valid) slot.ops->SetAspect(slot, keepAspect_);
        ApplyZoom(1);
    });
    startup_.Add("size factors", [this] {
        frame_.SetFactors(StoredFactor(ReadSetting("DISPLAY", "SCALEX"), largest_),
                          StoredFactor(ReadSetting("DISPLAY", "SCALEY"), largest_));
        const QRect rect = InitialMainWindowRect(
            MainWindowSize(scale_, frame_.FactorX(), frame_.FactorY()), WorkArea(), scale_);
        Rescale(rect);
        frame_.SetPlacement(rect);
        frame_.CreateOutline(std::max(2, Scaled(2, scale_)));
    });
    startup_.Add("short monitor", [this] {
        UiMetrics metrics{scale_, FontScale(), {}};
        if (ShrinkFontsForShortMonitor(metrics, WorkArea().height(), UiFontDpi())) {
            SetUiScaleFactors(metrics.s, metrics.f);
            Maximise();
            PlaceDetachedWindow(true);
        }
    });
    startup_.Add("detached title", [this] {
        if (CSkinButton* map = Button(ID_MAP_TOGGLE)) map->SetCheck(mapShown_);
        ShowDetachedContent();
        frame_.SetLastWorkArea(WorkArea());
    });
    startup_.Add("post startup", {});
}

void CquorvaDlg::CreateRoad() {
    if (options_.playbackRoad) {
        ownRoad_ = std::make_unique<CquorvaRoad>(*this);
        road_ = ownRoad_.get();
        road_->SetStoredVolume(volume_);
        road_->SetStoredKeepAspect(keepAspect_);
        road_->SetTraceFilePresent(false);
    }
    // The playback keys also work while the list, the tree or the detached window has the
    // keyboard.
    browser_->List()->installEventFilter(this);
    browser_->Tree()->installEventFilter(this);
    detached_->installEventFilter(this);
    // A drive-data view that cannot be mapped is reported with the system's text; the
    // search may run on a preload thread, so the message goes through the event loop.
    SetMapFailureReporter([window = QPointer<CquorvaDlg>(this)](const std::string& text) {
        QMetaObject::invokeMethod(
            qApp,
            [window, text] {
                if (window && !window->ShutDown()) window->ShowUserMessage(text, "Error Message");
            },
            Qt::QueuedConnection);
    });
}

void CquorvaDlg::InitialisePlayers() {
    for (int i = 0; i < 2; ++i) {
        PlayerSlot& slot = players_->slot[i];
        const MovieWindowLink link{movie_[i], movie_[i]->MessageTarget()};
        slot.valid = slot.ops->Initialize(slot, link, UiText(112)) ? 1 : 0;
        slot.dataLoaded = 0;
    }
}

void CquorvaDlg::OnStartup(uintptr_t, intptr_t) {
    if (startupDone_ || !initialised_) return;
    startupDone_ = true;
    // The detached window beside the main window.
    PlaceDetachedWindow(false);
    if (isVisible() && !frame_.FullScreen()) detached_->show();

    const StartupEnvironment env =
        options_.startup ? *options_.startup : DefaultStartupEnvironment();
    const StartupSource source = ChooseStartupSource(options_.commandLineSource, env);
    if (!source.rejectedPath.empty()) {
        std::fprintf(stderr, "quorva: cannot open %s: %s\n", source.rejectedPath.c_str(),
                     source.rejectedReason.c_str());
        ShowUserMessage(UiText(96), "ERROR");
    }
    if (source.kind != 0) {
        OpenSource(source);
        csvAllowed_ = source.kind == 1 || SourceAllowsCsv();
    }
    UpdateButtons();
    StartUpdateCheck();
    for (PlayerSlot& slot : players_->slot)
        if (slot.valid) slot.ops->SetAspect(slot, keepAspect_);
    ApplyZoom(1);

    thumbnail_ = LeadingNumber(ReadSetting("DISPLAY", "THUMBNAIL")) != 0;
    caption_[3]->setText(QString::fromStdString(UiText(thumbnail_ ? 172 : 171)));
    if (browser_) {
        browser_->List()->SetPreviewEnabled(thumbnail_);
        browser_->List()->viewport()->update();
    }

    // Changes of the work area (panels and docks appearing, moving or hiding) re-apply the
    // layout, as the taskbar's notices do.
    if (QScreen* screen = this->screen()) {
        screenWatch_ = connect(screen, &QScreen::availableGeometryChanged, this,
                               [this] { PostAppMessage(this, WM_APP_APPBAR, 1); });
    }
}

void CquorvaDlg::StartUpdateCheck() {
    // No server set (the default): nothing is asked at all.
    const std::string server = UpdateServerBase(ReadSetting("ONLINE", "UPDATE_SERVER"));
    if (!map_ || server.empty()) return;
    map_->Checker().StartUpdateCheck(updateInputs_, server, &noticeMessages_);
}

void CquorvaDlg::NoteSourceVersions(const std::string& path, int kind) {
    // The versions of a card or folder; a single movie says nothing about them.
    if ((kind != 1 && kind != 2) || !browser_) return;
    const SourceVersions versions = quorva::ReadSourceVersions(path, players_->slot[0].valid);
    if (versions.firmware) updateInputs_.firmware = *versions.firmware;
    if (versions.gpsData) updateInputs_.gpsData = *versions.gpsData;
    updateInputs_.modelMarker = versions.modelMarker;
}

void CquorvaDlg::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 65535);
    WriteSetting("DISPLAY", "VOLUME", std::to_string(volume_));
    PlayerSlot& main = players_->slot[0];
    PlayerSlot& sub = players_->slot[1];
    if (main.valid) main.ops->SetVolume(main, volume_);
    if (sub.valid) sub.ops->SetVolume(sub, 0);
    if (road_) road_->SetStoredVolume(volume_);
    ShowVolume(volume_);
}

void CquorvaDlg::ShowVolume(int volume) {
    volume_ = std::clamp(volume, 0, 65535);
    if (volumeSlider_) volumeSlider_->SetPos(volume_);
    update(layout_.bottomBar);
}

void CquorvaDlg::ResetView() {
    if (road_) {
        road_->ResetView();
    } else {
        GroupReleaseData(*players_);
        GroupClose(*players_);
    }
    ShowDetachedContent();
    zoom_[0] = ZoomSettings{};
    zoom_[1] = ZoomSettings{};
    Layout();
    SetPlayFace(false);
    // Both movie views show their idle picture, the graph its empty face.
    for (CMovieStatic* movie : movie_)
        if (movie) movie->update();
    if (graph_) graph_->CloseRecording();
    if (browser_) {
        browser_->SetZoomHint(false);
        browser_->ClearMarks();
        browser_->update();
    }
    if (info_) {
        info_->Reset();
        info_->update();
    }
    update();
    UpdateButtons();
}

// --- Shut-down ------------------------------------------------------------------------------

void CquorvaDlg::BuildShutdownSequence() {
    shutdown_.Add("application bar", [this] {
        disconnect(screenWatch_);
        SetMapFailureReporter({});
    });
    shutdown_.Add("restore and store factors", [this] {
        if (frame_.FullScreen()) frame_.SetFullScreen(false);
        if (frame_.Maximised()) frame_.Restore();
        StoreFactors();
    });
    shutdown_.Add("stop players", [this] {
        if (preview_) preview_->hide();  // stops and closes the preview player
        if (road_) {
            road_->StopAll();
            return;
        }
        PlayerSlot& main = players_->slot[0];
        if (main.valid && main.state == SLOT_PLAYING) GroupPause(*players_);
        for (PlayerSlot& slot : players_->slot)
            if (slot.valid && slot.state != SLOT_CLOSED) slot.ops->Stop(slot);
    });
    shutdown_.Add("reset view", [this] { ResetView(); });
    shutdown_.Add("playback tick", [this] {
        if (road_) road_->StopTick();
    });
    shutdown_.Add("player slots", [this] {
        for (PlayerSlot& slot : players_->slot) {
            if (!slot.valid) continue;
            slot.valid = 0;
            slot.ops->Uninitialize(slot);
        }
    });
    shutdown_.Add("mutexes", [this] {
        // Waits for every holder (the preload threads, a task reading the catalogue).
        { std::lock_guard cache(mutexCache_); }
        { std::lock_guard events(mutexCpSet_); }
    });
    shutdown_.Add("worker task", [this] { FinishTask(); });
    shutdown_.Add("map", [this] {
        // The map window and its browser go, then the connection checker is stopped.
        mapWatch_.stop();
        if (roadMap_) roadMap_->Detach();
        map_.reset();
    });
    shutdown_.Add("windows", [this] {
        if (detached_) detached_->hide();
        if (settings_) settings_->hide();
        delete updateDialog_;
        movie_[1] = nullptr;
        logo_ = nullptr;
        detached_.reset();
        frame_.DestroyOutline();
    });
}

void CquorvaDlg::RunShutdown() {
    if (!initialised_) return;
    shutdown_.Run();
}

void CquorvaDlg::EndWindow() {
    if (ending_) return;
    ending_ = true;
    close();
    emit closed();
}

void CquorvaDlg::closeEvent(QCloseEvent* event) {
    // The system close (window manager, Alt+F4) runs the same shut-down.
    RunShutdown();
    event->accept();
    if (!ending_) {
        ending_ = true;
        emit closed();
    }
}

}  // namespace quorva
