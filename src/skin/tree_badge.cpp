#include "skin/tree_badge.h"

#include <QPainter>

#include "appcore/ui_scale.h"
#include "skin/skin_resources.h"

namespace quorva {

QPixmap ComposeTreeBadge(int badgeValue, double s) {
    if (badgeValue == 0) return {};
    QImage badge(Scaled(39, s), Scaled(26, s), QImage::Format_ARGB32_Premultiplied);
    if (badge.isNull()) return {};
    badge.fill(Qt::white);
    QPainter painter(&badge);
    auto layer = [&](int id) {
        const QSize design = SkinDesignSize(id);
        const QImage picture =
            RenderSkinImage(id, QSize(Scaled(design.width(), s), Scaled(design.height(), s)));
        if (!picture.isNull()) painter.drawImage(QPoint(0, Scaled(5, s)), picture);
    };
    layer(IDB_TREE_BADGE_BASE);
    const std::pair<int, int> kinds[] = {{kBadgeManual, IDB_TREE_BADGE_MANUAL},
                                         {kBadgeImpact, IDB_TREE_BADGE_IMPACT},
                                         {kBadgeParkingImpact, IDB_TREE_BADGE_PARKING_IMPACT},
                                         {kBadgeParking, IDB_TREE_BADGE_PARKING}};
    for (const auto& [bit, id] : kinds)
        if (badgeValue & bit) layer(id);
    painter.end();
    return QPixmap::fromImage(badge);
}

}  // namespace quorva
