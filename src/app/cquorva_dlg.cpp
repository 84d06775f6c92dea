// The main window: construction, its children, what the movie windows ask of it, painting.
#include "app/cquorva_dlg.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStandardPaths>

#include <cmath>

#include "app/cquorva_playback_map.h"
#include "app/cquorva_road.h"
#include "app/movie_dialog.h"
#include "app/resize_frame.h"
#include "app/viewer_tasks.h"
#include "appcore/settings_store.h"
#include "appcore/ui_scale.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "map/map_dlg.h"
#include "map/map_dlg_wrap.h"
#include "map/map_tile_settings.h"
#include "map/map_track_source.h"
#include "online/update_dialog.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "panels/panel_style.h"
#include "platform/qt/volumes.h"
#include "player/preview_window.h"
#include "road/elapsed_time_text.h"
#include "skin/logo_dlg.h"
#include "skin/msg_dlg.h"
#include "skin/skin_button.h"
#include "skin/skin_progress_bar.h"
#include "skin/skin_resources.h"
#include "skin/skin_slider.h"
#include "skin/ui_fonts.h"
#include "tools/settings_dlg.h"

namespace quorva {

namespace {

struct ButtonArt {
    int bitmap;
    int tooltip;  // UI text
};

// In command order, ID_PLAY_STOP .. ID_MAP_TOGGLE.
constexpr ButtonArt kBottomArt[kBottomButtonCount] = {
    {IDB_PLAY_STOP, 20}, {IDB_PLAY_PREV, 13},   {IDB_PLAY, 12},        {IDB_PLAY_SLOW, 17},
    {IDB_PLAY_FAST, 4},  {IDB_PLAY_NEXT, 9},    {IDB_SNAPSHOT, 19},    {IDB_SAVE_JOINED, 1},
    {IDB_ZOOM_MODE, 21}, {IDB_OPEN_SOURCE, 10}, {IDB_DELETE_FILES, 3}, {IDB_SETTINGS, 16},
    {IDB_EXPORT_CSV, 2}, {IDB_MAP_TOGGLE, 150},
};
// Close, maximise / restore, minimise, thumbnail toggle.
constexpr ButtonArt kCaptionArt[kCaptionButtonCount] = {{IDB_WND_CLOSE, 0},
                                                        {IDB_WND_MAXIMIZE, 169},
                                                        {IDB_WND_MINIMIZE, 136},
                                                        {IDB_THUMBNAIL_TOGGLE, 171}};
constexpr int kCaptionIds[kCaptionButtonCount] = {ID_WND_CLOSE, ID_WND_MAXIMIZE, ID_WND_MINIMIZE,
                                                  ID_THUMBNAIL_TOGGLE};

QString Ui(int index) {
    return QString::fromStdString(UiText(index));
}

}  // namespace

CquorvaDlg::CquorvaDlg(MainWindowOptions options)
    : QWidget(nullptr),
      options_(std::move(options)),
      players_(std::make_unique<PlayerGroup>(options_.playerOps ? *options_.playerOps
                                                                : FfmpegPlayerOps())),
      tasks_(*this, this),
      frame_(*this, *this) {
    // No system frame: the window draws its caption and handles its borders itself.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setObjectName(QStringLiteral("main window"));
    BuildStartupSequence();
    mapWatch_.setInterval(1000);
    connect(&mapWatch_, &QTimer::timeout, this, &CquorvaDlg::OnMapWatch);
    BuildShutdownSequence();
}

CquorvaDlg::~CquorvaDlg() {
    if (initialised_) {
        RunShutdown();
    } else {
        tasks_.Finish();
    }
}

CSkinButton* CquorvaDlg::Button(int id) const {
    if (id >= ID_PLAY_STOP && id < ID_PLAY_STOP + kBottomButtonCount)
        return bottom_[id - ID_PLAY_STOP];
    for (int i = 0; i < kCaptionButtonCount; ++i)
        if (kCaptionIds[i] == id) return caption_[i];
    return nullptr;
}

void CquorvaDlg::CreateChildren() {
    // The file browser: the group tree and the recording list of the source; it reports to
    // this window and posts WM_APP_SOURCE_REMOVED to it.
    SourceEnvironment environment;
    if (options_.startup && options_.startup->removableVolumes)
        environment.removableVolumes = options_.startup->removableVolumes;
    else
        environment.removableVolumes = [] { return platform::RemovableVolumeRoots(); };
    browser_ = new CFilerContainerDlg(this, environment);
    browser_->setObjectName(QStringLiteral("file browser"));
    browser_->SetListener(this);
    browser_->SetMessageTarget(this);
    // The hover preview's popup beside the recording list, and the settings dialog; both
    // hidden until used.
    preview_ = new CPreviewWindow(this);
    browser_->List()->SetPreviewPopup(preview_);
    browser_->List()->SetPreviewTarget(this);
    settings_ = new CSettingsDlg(this);
    settings_->hide();

    detached_ = std::make_unique<CMovieDialog>(this);
    detached_->setWindowIcon(ApplicationIcon());

    movie_[0] = new CMovieStatic(this);
    movie_[0]->setObjectName(QStringLiteral("main movie view"));
    // The second movie view lives in the detached window, under the map and the logo panel.
    movie_[1] = new CMovieStatic(detached_.get());
    movie_[1]->setObjectName(QStringLiteral("second movie view"));
    for (int i = 0; i < 2; ++i) {
        movie_[i]->SetOwner(this);
        movie_[i]->SetIndex(i);
    }
    detached_->SetSubCamera(movie_[1]);
    logo_ = new CLogoDlg(detached_.get(), &images_);
    detached_->AddMapContent(logo_);
    // The map window over the logo panel, hidden until the road shows it. Its tiles come
    // from the settings (MAP/TILE_URL, MAP/MBTILES); the server's are cached.
    MapTileSettings tiles;
    if (const std::string url = ReadSetting("MAP", "TILE_URL"); !url.empty()) tiles.tileUrl = url;
    tiles.mbtilesPath = ReadSetting("MAP", "MBTILES");
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty()) tiles.cacheDir = (cache + "/map-tiles").toStdString();
    mapTracks_ = std::make_unique<SlotTrackSource>(players_->slot[0].data, players_->slot[1].data);
    map_ = std::make_unique<CMapDlgWrap>(mapTracks_.get(), std::move(tiles));
    detached_->AddMapContent(map_->CreateMapWindow(detached_.get(), &mapMessages_));
    map_->Window()->hide();
    roadMap_ = std::make_unique<CquorvaPlaybackMap>(map_.get());

    const PanelLook look = PanelLook::At(scale_, FontScale());
    graph_ = new CGSensorDlg(this);
    graph_->SetLook(look);
    graph_->SetMessageReceiver(this);
    graph_->SetOffScreenSurface(&surface_);
    info_ = new CInfoDlg(this);
    info_->SetLook(look);
    info_->SetMessageReceiver(this);
    info_->SetOffScreenSurface(&surface_);

    seek_ = new CSkinSliderCtrl(this);
    seek_->Create(IDC_SEEK_SLIDER, this);
    seek_->SetImages(IDB_SEEK_PLAYED, IDB_SEEK_REMAINING, IDB_SEEK_THUMB, IDB_SEEK_THUMB_PRESSED);
    seek_->SetValueText([this](int position) { return SeekTipText(position); });
    volumeSlider_ = new CSkinSliderCtrl(this);
    volumeSlider_->Create(IDC_VOLUME_SLIDER, this);
    volumeSlider_->SetImages(IDB_VOLUME_PLAYED, IDB_VOLUME_REMAINING, IDB_VOLUME_THUMB,
                             IDB_VOLUME_THUMB_PRESSED);
    volumeSlider_->SetRange(0, 65535);

    progress_ = new CSkinProgressBarCtrl(this);
    progress_->setObjectName(QStringLiteral("progress bar"));
    progress_->setFont(UiFont(kFontF10));
    progress_->hide();

    for (int i = 0; i < kBottomButtonCount; ++i) {
        auto* button = new CSkinButton(this);
        button->Create(QRect(), ID_PLAY_STOP + i);
        button->setToolTip(Ui(kBottomArt[i].tooltip));
        connect(button, &CSkinButton::command, this, &CquorvaDlg::OnCommand);
        bottom_[i] = button;
    }
    for (int i = 0; i < kCaptionButtonCount; ++i) {
        auto* button = new CSkinButton(this);
        button->Create(QRect(), kCaptionIds[i]);
        button->setToolTip(Ui(kCaptionArt[i].tooltip));
        connect(button, &CSkinButton::command, this, &CquorvaDlg::OnCommand);
        caption_[i] = button;
    }
    caption_[3]->setText(Ui(171));
    LoadButtonImages();
}

void CquorvaDlg::LoadButtonImages() {
    const double s = scale_;
    const QSize square(Scaled(32, s), Scaled(32, s));
    for (int i = 0; i < kBottomButtonCount; ++i) {
        int bitmap = kBottomArt[i].bitmap;
        if (ID_PLAY_STOP + i == ID_PLAY_PAUSE) bitmap = playing_ ? IDB_PAUSE : IDB_PLAY;
        bottom_[i]->SetImage(bitmap, square, s);
    }
    const int widths[kCaptionButtonCount] = {46, 26, 26, 150};
    for (int i = 0; i < kCaptionButtonCount; ++i) {
        int bitmap = kCaptionArt[i].bitmap;
        if (i == 1 && frame_.Maximised()) bitmap = IDB_WND_RESTORE;
        caption_[i]->SetImage(bitmap, QSize(Scaled(widths[i], s), Scaled(18, s)), s);
        caption_[i]->setFont(UiFont(kFontF9));
    }
}

void CquorvaDlg::SetPlayFace(bool playing) {
    playing_ = playing;
    CSkinButton* button = Button(ID_PLAY_PAUSE);
    if (!button) return;
    button->SetImage(playing ? IDB_PAUSE : IDB_PLAY, QSize(Scaled(32, scale_), Scaled(32, scale_)),
                     scale_);
    button->setToolTip(Ui(playing ? 11 : 12));
}

// --- What the movie windows ask of the main window ------------------------------------------

void CquorvaDlg::OnMovieMessage(uint32_t id, uintptr_t wParam, intptr_t lParam) {
    // Called, not posted: the handler of the message table runs at once.
    if (shutdown_.HasRun()) return;
    AppMessageEvent message(id, wParam, lParam);
    MessageMap().Dispatch(this, &message);
}

void CquorvaDlg::OnMovieDoubleClick(int index) {
    if (index == 0) {
        ToggleFullScreen(controlsEnabled_ && road_ && road_->Started());
    } else if (index == 1 && detached_ && !detached_->isVisible()) {
        PlaceDetachedWindow(false);
        detached_->show();
    }
}

QString CquorvaDlg::SeekTipText(int position) const {
    const PlayerSlot& main = players_->slot[0];
    if (!road_ || !road_->Started() || !main.valid || main.frameMs <= 0 || !seek_ ||
        seek_->RangeMax() <= 0)
        return {};
    const double frameMs = main.frameMs;
    return QString::fromStdString(ElapsedTimeText(std::llround(position * frameMs),
                                                  std::llround(seek_->RangeMax() * frameMs)));
}

CUpdateDialog* CquorvaDlg::UpdateDialog() const {
    return updateDialog_.data();
}

PlaybackMap* CquorvaDlg::RoadMap() const {
    return roadMap_.get();
}

bool CquorvaDlg::SubSlotOpened() const {
    return players_->subOpenResult == 1;
}

bool CquorvaDlg::SlotOpen(int index) const {
    if (index != 0 && index != 1) return false;
    const PlayerSlot& slot = players_->slot[index];
    return slot.valid && slot.state != SLOT_CLOSED;
}

bool CquorvaDlg::NoticeIsCurrent(int index, uintptr_t serial) const {
    return SlotOpen(index) && players_->slot[index].openSerial == serial;
}

void CquorvaDlg::OnMovieErase(int) {
    ApplyZoom(0);
}

void CquorvaDlg::ApplyZoom(int repaint) {
    // The road keeps the zoom records once it is there (its zoom mode changes them).
    const ZoomSettings* records = road_ ? road_->ZoomRecords() : nullptr;
    GroupSetZoom(*players_, records ? records : zoom_, repaint);
}

int CquorvaDlg::ShowUserMessage(const std::string& text, const std::string& caption, int kind) {
    if (options_.showMessage) return options_.showMessage(this, text, caption);
    return ShowMessage(this, text, caption, kind);
}

// --- Painting -------------------------------------------------------------------------------

void CquorvaDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.FullScreen()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    images_.DrawSkinBackground(painter, rect());
    const double s = scale_;
    // The separator in the gap before the tenth button, and the volume mark.
    const QRect& ninth = layout_.bottomButtons[8];
    const QRect& tenth = layout_.bottomButtons[9];
    const int sepWidth = Scaled(4, s);
    const int gap = tenth.left() - (ninth.right() + 1);
    const QRect separator(ninth.right() + 1 + (gap - sepWidth) / 2, ninth.top(), sepWidth,
                          ninth.height());
    images_.Stretch(painter, separator, IDB_BUTTON_SEPARATOR);
    const QRect volume = layout_.volumeSlider;
    const QRect volumeIcon(volume.left() - Scaled(24, s), volume.top(), Scaled(20, s),
                           Scaled(20, s));
    images_.Stretch(painter, volumeIcon, volume_ == 0 ? IDB_VOLUME_MUTED_ICON : IDB_VOLUME_ICON);

    painter.setFont(UiFont(kFontF10));
    painter.setPen(Qt::white);
    painter.drawText(layout_.title, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     windowTitle());
}

}  // namespace quorva
