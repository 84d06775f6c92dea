#include "panels/panel_style.h"

#include <QString>
#include <QStringList>

#include "app/ui_scale.h"
#include "app/ui_text.h"

namespace quorva {

QFont MakePanelFont(double fontScale, int designSize, int logicalDpiY) {
    QFont font;
    QStringList families;
    const std::string& face = UiText(112);  // "メイリオ"
    if (!face.empty()) families << QString::fromStdString(face);
    families << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("Noto Sans CJK SC")
             << QStringLiteral("DejaVu Sans");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    const int height = -UiFontHeight(fontScale, designSize, logicalDpiY);
    font.setPixelSize(height > 0 ? height : 1);
    return font;
}

PanelLook PanelLook::At(double s, double f) {
    PanelLook look;
    look.s = s;
    look.f = f;
    look.f10 = MakePanelFont(f, 10);
    look.f13 = MakePanelFont(f, 13);
    return look;
}

}  // namespace quorva
