#include "app/movie_menu.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "appcore/ui_scale.h"
#include "skin/ui_fonts.h"

namespace quorva {

namespace {
// The system's menu colour and text: the application's palette (the skin's dark one).
QColor MenuColour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Window);
}
QColor MenuText() {
    return QApplication::palette().color(QPalette::Active, QPalette::WindowText);
}
}  // namespace

QSize MovieMenuItemSize(double s, bool fullScreen) {
    return QSize(Scaled(fullScreen ? 220 : 70, s), Scaled(20, s));
}

MovieMenuColors MovieMenuItemColors(bool selected, bool enabled) {
    const QColor grey(127, 127, 127);
    if (!selected) return {MenuColour(), enabled ? MenuText() : grey};
    if (!enabled) return {QColor(195, 195, 255), grey};
    return {QColor(0, 0, 255), QColor(255, 255, 255)};
}

// Measures and draws the items; everything else is the plain style's.
class CMovieMenu::Style : public QProxyStyle {
  public:
    explicit Style(CMovieMenu* menu) : QProxyStyle(QStyleFactory::create("Fusion")), menu_(menu) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type != CT_MenuItem) return QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        QSize full = MovieMenuItemSize(menu_->Scale(), menu_->FullScreen());
        if (item && item->menuItemType == QStyleOptionMenuItem::Separator)
            return QSize(full.width(), std::max(3, Scaled(7, menu_->Scale())));
        // A text wider than the design width ("一時停止" in a large font) widens the menu
        // rather than running into its border.
        if (item) {
            const QString text = item->text.left(item->text.indexOf('\t'));
            const int needed = QFontMetrics(UiFont(kFontF10)).horizontalAdvance(text) +
                               Scaled(20, menu_->Scale()) + Scaled(8, menu_->Scale());
            full.setWidth(std::max(full.width(), needed));
        }
        return full;
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
            case PM_MenuPanelWidth:
                return 1;
            case PM_MenuHMargin:
            case PM_MenuVMargin:
                return Scaled(2, menu_->Scale());
            default:
                return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelMenu || element == PE_FrameMenu) {
            painter->fillRect(option->rect, MenuColour());
            painter->setPen(QColor(127, 127, 127));
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const QRect r = item->rect;
        if (item->menuItemType == QStyleOptionMenuItem::Separator) {
            painter->fillRect(r, MenuColour());
            painter->setPen(QApplication::palette().color(QPalette::Active, QPalette::Light));
            const int y = r.center().y();
            painter->drawLine(r.left() + Scaled(4, menu_->Scale()), y,
                              r.right() - Scaled(4, menu_->Scale()), y);
            return;
        }
        const bool enabled = item->state & State_Enabled;
        const bool selected = item->state & State_Selected;
        const MovieMenuColors colours = MovieMenuItemColors(selected, enabled);
        painter->fillRect(r, colours.fill);
        painter->setPen(colours.text);
        painter->setFont(UiFont(kFontF10));
        QString text = item->text;
        text = text.left(text.indexOf('\t'));
        painter->drawText(r.translated(Scaled(20, menu_->Scale()), 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }

  private:
    CMovieMenu* menu_;
};

CMovieMenu::CMovieMenu(QWidget* parent) : QMenu(parent), style_(std::make_unique<Style>(this)) {
    setStyle(style_.get());
    setFont(UiFont(kFontF10));
}

CMovieMenu::~CMovieMenu() {
    setStyle(nullptr);
}

void CMovieMenu::SetItems(const std::vector<PlaybackMenuItem>& items, bool fullScreen, double s) {
    clear();
    fullScreen_ = fullScreen;
    scale_ = s;
    setFont(UiFont(kFontF10));
    int position = 0;
    for (const PlaybackMenuItem& item : items) {
        if (item.separator) {
            addSeparator();
        } else {
            QAction* action = addAction(QString::fromStdString(item.text));
            action->setData(item.id);
            action->setEnabled(item.enabled);
            action->setProperty("position", position);
        }
        ++position;
    }
}

int CMovieMenu::Track(QPoint screenPoint) {
    QAction* chosen = exec(screenPoint);
    return chosen && chosen->isEnabled() ? chosen->data().toInt() : 0;
}

}  // namespace quorva
