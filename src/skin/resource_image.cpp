#include "skin/resource_image.h"

#include <QPainter>

#include "appcore/ui_scale.h"
#include "skin/skin_resources.h"

namespace quorva {

const std::vector<int>& CResourceImage::LoadOrder() {
    static const std::vector<int> order = {
        IDB_MAIN_BACKGROUND, IDB_LOGO, IDB_LOGO_OFFLINE, IDB_CAPTION_BAND, IDB_BOTTOM_BAR,
        IDB_BUTTON_SEPARATOR, IDB_VOLUME_ICON, IDB_VOLUME_MUTED_ICON, IDB_TITLE_EMBLEM,
        IDB_MOVIE_IDLE, IDB_INFO_BACKGROUND, IDB_INFO_FIELD_FRAME,
        // 201, 207, 206, 218, 202, 209, 210, 208, 203, 204, 205, 213, 211, 350, 219, 351, 212
        IDB_INFO_DATE_FRAME, IDB_INFO_SPEED_FRAME, IDB_INFO_G_FRAME, IDB_INFO_RATE_FRAME,
        IDB_PLACEHOLDER_DATE, IDB_PLACEHOLDER_SPEED, IDB_PLACEHOLDER_VOLTAGE, IDB_PLACEHOLDER_G_X,
        IDB_PLACEHOLDER_G_Y, IDB_PLACEHOLDER_G_Z, IDB_BADGE_720, IDB_BADGE_1080, IDB_STATUS_UPPER_R,
        IDB_STATUS_LOWER_R, IDB_STATUS_OTHER, IDB_GPS_FIX, IDB_GPS_NO_FIX, IDI_WINDOW_ICON,
        IDB_ZOOM_BADGE, IDB_ZOOM_HINT, IDB_MAP_PLACEHOLDER, IDB_BATTERY_ICON, IDB_ONLINE, 331, 332,
        333, 334, 335, 336, 337, 338, IDB_KIND_CONTINUOUS, IDB_KIND_IMPACT, IDB_KIND_MANUAL,
        IDB_KIND_PARKING, IDB_KIND_PARKING_IMPACT, IDB_KIND_TIME_LAPSE, IDB_KIND_JOINED,
        IDB_OFFLINE};
    return order;
}

bool CResourceImage::Load() {
    return Load(UiScale());
}

bool CResourceImage::Load(double s) {
    Free();
    scale_ = s;
    bool all = true;
    for (int id : LoadOrder()) {
        const QSize design = SkinDesignSize(id);
        QImage image =
            RenderSkinImage(id, QSize(Scaled(design.width(), s), Scaled(design.height(), s)));
        if (image.isNull()) {
            all = false;
            continue;
        }
        images_.emplace(id, std::move(image));
    }
    for (int size : {16, 24, 32, 48, 64}) {
        const QImage image = RenderSkinImage(IDI_WINDOW_ICON, QSize(size, size));
        if (!image.isNull()) icon_.addPixmap(QPixmap::fromImage(image));
    }
    for (QBrush& brush : white_)
        brush = QBrush(Qt::white);
    frameBrush_ = QBrush(QColor(170, 170, 170));
    return all;
}

void CResourceImage::Free() {
    images_.clear();
    sized_.clear();
    icon_ = QIcon();
}

const QImage& CResourceImage::Image(int id) const {
    static const QImage none;
    auto it = images_.find(id);
    return it == images_.end() ? none : it->second;
}

QPixmap CResourceImage::Bitmap(int id) const {
    const QImage& image = Image(id);
    const SkinResource* r = FindSkinResource(id);
    if (image.isNull() || !r) return {};
    if (r->matte == SkinMatte::kNone) return QPixmap::fromImage(image);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(r->matte == SkinMatte::kWhite ? Qt::white : Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return QPixmap::fromImage(flat);
}

QPixmap CResourceImage::Sized(int id, QSize size) const {
    if (!images_.count(id) || size.isEmpty()) return {};
    const auto key = std::make_pair(id, std::make_pair(size.width(), size.height()));
    auto it = sized_.find(key);
    if (it != sized_.end()) return it->second;
    const QImage image = RenderSkinImage(id, size);
    QPixmap pixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    // Sizes change with the window; keep the cache from growing without bound.
    if (sized_.size() > 256) sized_.clear();
    sized_.emplace(key, pixmap);
    return pixmap;
}

void CResourceImage::Stretch(QPainter& painter, const QRect& target, int id) const {
    const QPixmap pixmap = Sized(id, target.size());
    if (!pixmap.isNull()) painter.drawPixmap(target.topLeft(), pixmap);
}

void CResourceImage::DrawScaled(QPainter& painter, int x, int y, double factor, int id) const {
    const QSize design = SkinDesignSize(id);
    const QSize size(static_cast<int>(design.width() * factor * scale_),
                     static_cast<int>(design.height() * factor * scale_));
    const QPixmap pixmap = Sized(id, size);
    if (!pixmap.isNull()) painter.drawPixmap(QPoint(x, y), pixmap);
}

void CResourceImage::DrawSkinBackground(QPainter& painter, const QRect& window) const {
    if (window.isEmpty()) return;
    const int caption = Scaled(24, scale_);
    const int bar = Scaled(38, scale_);
    Stretch(painter, window, IDB_MAIN_BACKGROUND);
    Stretch(painter, QRect(window.left(), window.top(), window.width(), caption), IDB_CAPTION_BAND);
    Stretch(painter, QRect(window.left(), window.bottom() + 1 - bar, window.width(), bar),
            IDB_BOTTOM_BAR);
}

const QBrush& CResourceImage::WhiteBrush(int index) const {
    return white_[index >= 0 && index < 3 ? index : 0];
}

QImage CGdiDrawer::LoadPngResource(int id) {
    return RenderSkinImage(id, SkinDesignSize(id));
}

void CGdiDrawer::DrawImageScaled(QPainter& painter, int x, int y, double factor,
                                 const QImage& image) {
    if (image.isNull()) return;
    const double s = UiScale();
    const QRect target(x, y, static_cast<int>(image.width() * factor * s),
                       static_cast<int>(image.height() * factor * s));
    if (target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
}

void CGdiDrawer::DrawImageScaled(QPainter& painter, int x, int y, double factor, int id) {
    const QSize design = SkinDesignSize(id);
    const double s = UiScale();
    const QSize size(static_cast<int>(design.width() * factor * s),
                     static_cast<int>(design.height() * factor * s));
    const QImage image = RenderSkinImage(id, size);
    if (!image.isNull()) painter.drawImage(QPoint(x, y), image);
}

}  // namespace quorva
