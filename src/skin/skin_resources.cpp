#include "skin/skin_resources.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <mutex>

#include "appcore/ui_scale.h"

// The resources live in a static library: register them once before the first lookup.
static void InitSkinResourcesOnce() {
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(skin); });
}

namespace quorva {

namespace {

using M = SkinMatte;

// Sorted by id (checked by the tests and relied on by the binary search below).
constexpr std::array kTable = {
    SkinResource{IDI_APP, "quorva.svg", 256, 256, 1, M::kNone},
    SkinResource{IDB_MAIN_BACKGROUND, "main_background.svg", 1120, 697, 1, M::kWhite},
    SkinResource{IDB_EXPORT_CSV, "button_export_csv.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_DELETE_FILES, "button_delete.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PLAY_FAST, "button_fast.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PLAY_SLOW, "button_slow.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PLAY_PREV, "button_prev.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PLAY_NEXT, "button_next.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_OPEN_SOURCE, "button_open_source.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PAUSE, "button_pause.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PLAY, "button_play.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_SAVE_JOINED, "button_save_joined.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_SETTINGS, "button_settings.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_SNAPSHOT, "button_snapshot.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_PLAY_STOP, "button_play_stop.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_WND_CLOSE, "caption_close.svg", 184, 18, 4, M::kNone},
    SkinResource{IDB_WND_MINIMIZE, "caption_minimize.svg", 104, 18, 4, M::kNone},
    SkinResource{IDB_WND_MAXIMIZE, "caption_maximize.svg", 104, 18, 4, M::kNone},
    SkinResource{IDB_WND_RESTORE, "caption_restore.svg", 104, 18, 4, M::kNone},
    SkinResource{IDB_SEEK_REMAINING, "seek_remaining.svg", 800, 10, 1, M::kNone},
    SkinResource{IDB_SEEK_THUMB, "seek_thumb.svg", 25, 10, 1, M::kNone},
    SkinResource{IDB_SEEK_THUMB_PRESSED, "seek_thumb_pressed.svg", 25, 10, 1, M::kNone},
    SkinResource{IDB_GSENSOR_BACKGROUND, "gsensor_background.svg", 640, 120, 1, M::kNone},
    SkinResource{IDB_VOLUME_PLAYED, "volume_played.svg", 100, 20, 1, M::kNone},
    SkinResource{IDB_VOLUME_REMAINING, "volume_remaining.svg", 100, 20, 1, M::kNone},
    SkinResource{IDB_VOLUME_THUMB, "volume_thumb.svg", 10, 20, 1, M::kNone},
    SkinResource{IDB_VOLUME_THUMB_PRESSED, "volume_thumb_pressed.svg", 10, 20, 1, M::kNone},
    SkinResource{IDI_WINDOW_ICON, "window_icon.svg", 32, 32, 1, M::kNone},
    SkinResource{IDB_SEEK_PLAYED, "seek_played.svg", 800, 10, 1, M::kNone},
    SkinResource{IDB_PIN_E, "pin_e.svg", 32, 32, 1, M::kNone},
    SkinResource{IDB_PIN_G, "pin_g.svg", 32, 32, 1, M::kNone},
    SkinResource{IDB_PIN_M, "pin_m.svg", 32, 32, 1, M::kNone},
    SkinResource{IDB_PIN_SHADOW, "pin_shadow.svg", 49, 32, 1, M::kNone},
    SkinResource{IDB_ZOOM_BADGE, "zoom_badge.svg", 60, 20, 1, M::kBlack},
    SkinResource{IDC_ZOOM_CURSOR, "zoom_cursor.svg", 32, 32, 1, M::kNone},
    SkinResource{IDB_ZOOM_MODE, "button_zoom.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_INFO_DATE_FRAME, "info_date_frame.svg", 210, 22, 1, M::kWhite},
    SkinResource{IDB_PLACEHOLDER_DATE, "placeholder_date.svg", 200, 19, 1, M::kWhite},
    SkinResource{IDB_PLACEHOLDER_G_Y, "placeholder_g_y.svg", 58, 20, 1, M::kWhite},
    SkinResource{IDB_PLACEHOLDER_G_Z, "placeholder_g_z.svg", 58, 20, 1, M::kWhite},
    SkinResource{IDB_BADGE_720, "badge_720.svg", 60, 24, 1, M::kWhite},
    SkinResource{IDB_INFO_G_FRAME, "info_g_frame.svg", 64, 22, 1, M::kWhite},
    SkinResource{IDB_INFO_SPEED_FRAME, "info_speed_frame.svg", 110, 24, 1, M::kWhite},
    SkinResource{IDB_PLACEHOLDER_G_X, "placeholder_g_x.svg", 58, 20, 1, M::kWhite},
    SkinResource{IDB_PLACEHOLDER_SPEED, "placeholder_speed.svg", 100, 21, 1, M::kWhite},
    SkinResource{IDB_PLACEHOLDER_VOLTAGE, "placeholder_voltage.svg", 100, 21, 1, M::kWhite},
    SkinResource{IDB_STATUS_UPPER_R, "status_upper_r.svg", 60, 24, 1, M::kWhite},
    SkinResource{IDB_GPS_NO_FIX, "gps_no_fix.svg", 24, 24, 1, M::kWhite},
    SkinResource{IDB_BADGE_1080, "badge_1080.svg", 60, 24, 1, M::kWhite},
    SkinResource{IDB_ZOOM_HINT, "zoom_hint.svg", 452, 630, 1, M::kBlack},
    SkinResource{IDB_MAP_PLACEHOLDER, "map_placeholder.svg", 452, 348, 1, M::kBlack},
    SkinResource{IDB_PIN_P, "pin_p.svg", 32, 32, 1, M::kNone},
    SkinResource{IDB_CHECK_MARK, "check_mark.svg", 48, 12, 4, M::kNone},
    SkinResource{IDB_INFO_RATE_FRAME, "info_rate_frame.svg", 160, 27, 1, M::kWhite},
    SkinResource{IDB_STATUS_OTHER, "status_other.svg", 60, 24, 1, M::kWhite},
    SkinResource{IDB_BOTTOM_BAR, "bottom_bar.svg", 1120, 38, 1, M::kBlack},
    SkinResource{IDB_BUTTON_SEPARATOR, "button_separator.svg", 4, 32, 1, M::kBlack},
    SkinResource{IDB_TITLE_EMBLEM, "title_emblem.svg", 18, 18, 1, M::kBlack},
    SkinResource{IDB_MOVIE_IDLE, "movie_idle.svg", 656, 370, 1, M::kNone},
    SkinResource{IDB_TREE_BADGE_IMPACT, "tree_badge_impact.svg", 39, 21, 1, M::kWhite},
    SkinResource{IDB_TREE_BADGE_MANUAL, "tree_badge_manual.svg", 39, 21, 1, M::kWhite},
    SkinResource{IDB_TREE_BADGE_PARKING_IMPACT, "tree_badge_parking_impact.svg", 39, 21, 1,
                 M::kWhite},
    SkinResource{IDB_TREE_BADGE_PARKING, "tree_badge_parking.svg", 39, 21, 1, M::kWhite},
    SkinResource{IDB_TREE_BADGE_BASE, "tree_badge_base.svg", 39, 21, 1, M::kWhite},
    SkinResource{IDB_CAPTION_BAND, "caption_band.svg", 1120, 24, 1, M::kBlack},
    SkinResource{IDB_VOLUME_ICON, "volume_icon.svg", 20, 20, 1, M::kBlack},
    SkinResource{IDB_VOLUME_MUTED_ICON, "volume_muted_icon.svg", 20, 20, 1, M::kBlack},
    SkinResource{IDB_OPTION_MARK, "option_mark.svg", 48, 12, 4, M::kNone},
    SkinResource{331, "event_g_x.svg", 16, 16, 1, M::kNone},
    SkinResource{332, "event_g.svg", 16, 16, 1, M::kNone},
    SkinResource{333, "event_g_y.svg", 16, 16, 1, M::kNone},
    SkinResource{334, "event_g_z.svg", 16, 16, 1, M::kNone},
    SkinResource{335, "event_g_other.svg", 16, 16, 1, M::kNone},
    SkinResource{336, "event_manual.svg", 16, 16, 1, M::kNone},
    SkinResource{337, "event_emergency_stop.svg", 16, 16, 1, M::kNone},
    SkinResource{338, "event_parking.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_CONTINUOUS, "kind_continuous.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_IMPACT, "kind_impact.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_MANUAL, "kind_manual.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_PARKING, "kind_parking.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_PARKING_IMPACT, "kind_parking_impact.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_TIME_LAPSE, "kind_time_lapse.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_KIND_JOINED, "kind_joined.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_ONLINE, "online.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_OFFLINE, "offline.svg", 16, 16, 1, M::kNone},
    SkinResource{IDB_STATUS_LOWER_R, "status_lower_r.svg", 60, 24, 1, M::kWhite},
    SkinResource{IDB_GPS_FIX, "gps_fix.svg", 24, 24, 1, M::kWhite},
    SkinResource{IDB_DIALOG_CLOSE, "dialog_close.svg", 52, 12, 4, M::kNone},
    SkinResource{IDB_MAP_TOGGLE, "button_map_toggle.svg", 128, 32, 4, M::kNone},
    SkinResource{IDB_THUMBNAIL_TOGGLE, "caption_thumbnail.svg", 600, 18, 4, M::kNone},
    SkinResource{IDB_BATTERY_ICON, "battery.svg", 24, 16, 1, M::kWhite},
    SkinResource{IDB_INFO_BACKGROUND, "info_background.svg", 655, 105, 1, M::kWhite},
    SkinResource{IDB_INFO_FIELD_FRAME, "info_field_frame.svg", 100, 22, 1, M::kWhite},
    SkinResource{IDB_LOGO, "logo.svg", 452, 392, 1, M::kBlack},
    SkinResource{IDB_LOGO_OFFLINE, "logo_offline.svg", 452, 392, 1, M::kBlack},
};

static_assert(std::is_sorted(kTable.begin(), kTable.end(),
                             [](const SkinResource& a, const SkinResource& b) {
                                 return a.id < b.id;
                             }),
              "the skin table must stay sorted by id");

}  // namespace

std::span<const SkinResource> SkinResources() {
    return kTable;
}

const SkinResource* FindSkinResource(int id) {
    auto it = std::lower_bound(kTable.begin(), kTable.end(), id,
                               [](const SkinResource& r, int value) { return r.id < value; });
    return (it != kTable.end() && it->id == id) ? &*it : nullptr;
}

QString SkinResourcePath(int id) {
    const SkinResource* r = FindSkinResource(id);
    if (!r) return {};
    InitSkinResourcesOnce();
    const QString folder = id == IDI_APP ? QStringLiteral(":/icons/") : QStringLiteral(":/skin/");
    return folder + QString::fromLatin1(r->file);
}

QSize SkinDesignSize(int id) {
    const SkinResource* r = FindSkinResource(id);
    return r ? QSize(r->width, r->height) : QSize();
}

QImage RenderSkinImage(int id, QSize size) {
    const QString path = SkinResourcePath(id);
    if (path.isEmpty() || size.isEmpty()) return {};
    if (path.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) return {};
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size.width(), size.height()));
        return image;
    }
    QImageReader reader(path);
    reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull()) return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QSize ScaledBitmapSize(QSize design, double s) {
    const int w = design.width();
    const int h = design.height();
    if (w <= 0 || h <= 0 || s <= 0) return {};
    const int height = Scaled(h, s);
    const int width = (w % h == 0) ? (w / h) * height : Scaled(w, s);
    return {width, height};
}

QPixmap LoadScaledBitmap(int id, double s) {
    const QImage image = RenderSkinImage(id, ScaledBitmapSize(SkinDesignSize(id), s));
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QPixmap LoadScaledBitmap(int id) {
    return LoadScaledBitmap(id, UiScale());
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage image = RenderSkinImage(IDI_APP, QSize(size, size));
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QCursor ZoomCursor(double s) {
    const int side = Scaled(32, s);
    const QImage image = RenderSkinImage(IDC_ZOOM_CURSOR, QSize(side, side));
    if (image.isNull()) return QCursor(Qt::ArrowCursor);
    // The lens is centred at (13, 13) of the 32 x 32 design.
    const int hot = side * 13 / 32;
    return QCursor(QPixmap::fromImage(image), hot, hot);
}

}  // namespace quorva
