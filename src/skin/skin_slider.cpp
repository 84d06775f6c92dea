#include "skin/skin_slider.h"

#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "appcore/app_messages.h"
#include "appcore/ui_scale.h"
#include "platform/qt/app_message_event.h"
#include "skin/skin_resources.h"
#include "skin/ui_fonts.h"

namespace quorva {

CSkinSliderCtrl::CSkinSliderCtrl(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);  // the value tip follows a hover
}

CSkinSliderCtrl::~CSkinSliderCtrl() {
    delete tip_;
}

bool CSkinSliderCtrl::Create(int id, QWidget* parent) {
    id_ = id;
    if (parent != parentWidget()) setParent(parent);
    setObjectName(QStringLiteral("movie slider"));
    resize(width(), Scaled(10, UiScale()));
    show();
    return parent != nullptr;
}

void CSkinSliderCtrl::SetImages(int played, int remaining, int thumb, int thumbPressed) {
    ids_[0] = played;
    ids_[1] = remaining;
    ids_[2] = thumb;
    ids_[3] = thumbPressed;
    imageScale_ = 0;
    Render();
}

bool CSkinSliderCtrl::HasImages() const {
    return !played_.isNull() && !remaining_.isNull() && !thumb_.isNull();
}

void CSkinSliderCtrl::EnsureImages() {
    const double s = UiScale();
    if (imageScale_ == s) return;
    imageScale_ = s;
    trackDesign_ = SkinDesignSize(ids_[0]);
    thumbDesign_ = SkinDesignSize(ids_[2]);
    auto scaled = [s](QSize design, int extraWidth) {
        return QSize(Scaled(design.width() + extraWidth, s), Scaled(design.height(), s));
    };
    played_ = RenderSkinImage(ids_[0], scaled(trackDesign_, 0));
    remaining_ = RenderSkinImage(ids_[1], scaled(SkinDesignSize(ids_[1]), 0));
    // The thumb is drawn two design pixels wider than its picture.
    thumb_ = RenderSkinImage(ids_[2], scaled(thumbDesign_, 2));
    thumbPressed_ = RenderSkinImage(ids_[3], scaled(SkinDesignSize(ids_[3]), 2));
}

void CSkinSliderCtrl::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    Render();
}

void CSkinSliderCtrl::SetPos(int position) {
    position_ = position;
    Render();
    UpdateValueTip();
}

void CSkinSliderCtrl::SetValueText(std::function<QString(int position)> text) {
    valueText_ = std::move(text);
    UpdateValueTip();
}

QString CSkinSliderCtrl::ValueTipText() const {
    const auto* label = qobject_cast<const QLabel*>(tip_.data());
    return label ? label->text() : QString();
}

void CSkinSliderCtrl::UpdateValueTip() {
    const bool wanted = valueText_ && isVisible() && (dragging_ || hovered_);
    const QString text = wanted ? valueText_(position_) : QString();
    if (text.isEmpty()) {
        if (tip_) tip_->hide();
        return;
    }
    if (!tip_) {
        auto* label = new QLabel;
        label->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
        label->setAttribute(Qt::WA_ShowWithoutActivating);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setForegroundRole(QPalette::ToolTipText);
        label->setBackgroundRole(QPalette::ToolTipBase);
        label->setAutoFillBackground(true);
        label->setFrameShape(QFrame::Box);
        label->setAlignment(Qt::AlignCenter);
        tip_ = label;
    }
    auto* label = static_cast<QLabel*>(tip_.data());
    const double s = UiScale();
    label->setFont(UiFont(kFontF9));
    label->setMargin(Scaled(3, s));
    label->setText(text);
    label->adjustSize();
    // Centred over the thumb, a little above the track.
    const QRect thumb = ThumbRect();
    const QPoint anchor = mapToGlobal(QPoint(thumb.center().x(), 0));
    label->move(anchor.x() - label->width() / 2, anchor.y() - label->height() - Scaled(4, s));
    label->show();
    label->raise();
}

void CSkinSliderCtrl::Enable(bool enabled) {
    enabled_ = enabled;
}

long long CSkinSliderCtrl::RangeCount() const {
    return static_cast<long long>(maximum_) - minimum_ + 1;
}

double CSkinSliderCtrl::Fraction() const {
    const long long r = RangeCount();
    if (r <= 0) return 0.0;
    return std::clamp(static_cast<double>(position_) / static_cast<double>(r), 0.0, 1.0);
}

int CSkinSliderCtrl::PlayedWidth() const {
    return static_cast<int>(width() * Fraction());
}

QRect CSkinSliderCtrl::ThumbRect() const {
    const double s = UiScale();
    const long long r = RangeCount();
    const int thumbWidth = Scaled(thumbDesign_.width(), s);
    const double step = r > 0 ? static_cast<double>(width() - thumbWidth) / r : 0.0;
    const int left = static_cast<int>(position_ * step);
    return QRect(left, 0, Scaled(thumbDesign_.width() + 2, s), Scaled(thumbDesign_.height(), s));
}

int CSkinSliderCtrl::ValueAt(double x) const {
    const long long r = RangeCount();
    const int w = width();
    if (r <= 0 || w <= 0) return minimum_;
    // x / (W / r), in floating point: a track narrower than its range must not divide by 0.
    const double value = std::trunc(x * static_cast<double>(r) / w);
    return static_cast<int>(
        std::clamp(value, static_cast<double>(minimum_), static_cast<double>(maximum_)));
}

bool CSkinSliderCtrl::InsideTrack(double x) const {
    const int margin = Scaled(10, UiScale());
    return x > -margin && x < width() + margin;
}

void CSkinSliderCtrl::Post(uint32_t message) {
    QObject* target = target_ ? target_ : parent();
    if (target)
        PostAppMessage(target, message, static_cast<uintptr_t>(id_),
                       static_cast<intptr_t>(valueUnderMouse_));
}

void CSkinSliderCtrl::Render() {
    EnsureImages();
    const int w = width();
    const int h = std::max(height(), thumb_.height());
    if (w <= 0 || h <= 0) {
        surface_.Release();
        update();
        return;
    }
    surface_.EnsureSize(QSize(w, h));
    surface_.Fill(Qt::transparent);
    if (HasImages()) {
        COffScreenDC::Painter painter(surface_);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        const double e = Fraction();
        const int trackHeight = played_.height();
        const int playedWidth = static_cast<int>(w * e);
        const int playedSource = static_cast<int>(played_.width() * e);
        if (playedWidth > 0 && playedSource > 0)
            painter->drawImage(QRect(0, 0, playedWidth, trackHeight), played_,
                               QRect(0, 0, playedSource, trackHeight));
        const int restWidth = static_cast<int>(w * (1 - e)) + 1;
        const int restSource = static_cast<int>(remaining_.width() * (1 - e));
        if (restSource > 0)
            painter->drawImage(QRect(playedWidth + 1, 0, restWidth, remaining_.height()),
                               remaining_, QRect(0, 0, restSource, remaining_.height()));
        const QImage& thumb = (dragging_ && !thumbPressed_.isNull()) ? thumbPressed_ : thumb_;
        painter->drawImage(ThumbRect(), thumb);
    }
    update();
}

void CSkinSliderCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    surface_.CopyTo(painter, rect());
}

void CSkinSliderCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Render();
}

void CSkinSliderCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled_) return;
    const double x = event->position().x();
    if (!InsideTrack(x)) return;
    valueUnderMouse_ = ValueAt(x);
    const int margin = Scaled(10, UiScale());
    const QRect thumb = ThumbRect();
    outsideThumb_ = !(x >= thumb.left() - margin && x < thumb.left() + thumb.width() + margin);
    pressPoint_ = event->position().toPoint();
    dragging_ = true;
    Render();
    UpdateValueTip();
    Post(WM_APP_SLIDER_BEGIN);
}

void CSkinSliderCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        if (!hovered_) {
            hovered_ = true;
            UpdateValueTip();
        }
        return;
    }
    if (!enabled_) {
        dragging_ = false;
        Render();
        return;
    }
    const double x = event->position().x();
    if (!InsideTrack(x) || RangeCount() <= 0) return;
    valueUnderMouse_ = ValueAt(x);
    Post(WM_APP_SLIDER_TRACK);
}

void CSkinSliderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    Render();
    hovered_ = rect().contains(event->position().toPoint());
    UpdateValueTip();
    if (enabled_) Post(WM_APP_SLIDER_END);
}

void CSkinSliderCtrl::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    hovered_ = true;
    UpdateValueTip();
}

void CSkinSliderCtrl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    hovered_ = false;
    UpdateValueTip();  // a drag keeps its tip until the release
}

void CSkinSliderCtrl::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    hovered_ = false;
    if (tip_) tip_->hide();
}

}  // namespace quorva
