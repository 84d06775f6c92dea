#include "skin/dark_look.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>

#include "skin/skin_style.h"

namespace quorva {

QPalette DarkPalette() {
    const QColor base(0x12, 0x14, 0x17);
    const QColor button(0x2a, 0x2e, 0x34);
    const QColor highlight(0x24, 0x63, 0xc7);
    const QColor disabledText(0x5d, 0x62, 0x6a);

    QPalette p;
    p.setColor(QPalette::Window, SkinColors::kPanel);
    p.setColor(QPalette::WindowText, SkinColors::kText);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, SkinColors::kPanel);
    p.setColor(QPalette::Text, SkinColors::kText);
    p.setColor(QPalette::PlaceholderText, SkinColors::kTextDim);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, SkinColors::kText);
    p.setColor(QPalette::BrightText, SkinColors::kText);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, SkinColors::kText);
    p.setColor(QPalette::Link, SkinColors::kAccent);
    p.setColor(QPalette::LinkVisited, SkinColors::kAccent.lighter(130));
    p.setColor(QPalette::ToolTipBase, SkinColors::kCaption);
    p.setColor(QPalette::ToolTipText, SkinColors::kText);
    // The bevels that Fusion draws for frames, scroll bars and buttons.
    p.setColor(QPalette::Light, QColor(0x4a, 0x50, 0x59));
    p.setColor(QPalette::Midlight, SkinColors::kLine);
    p.setColor(QPalette::Mid, QColor(0x2c, 0x30, 0x36));
    p.setColor(QPalette::Dark, QColor(0x10, 0x12, 0x15));
    p.setColor(QPalette::Shadow, QColor(0x00, 0x00, 0x00));

    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, SkinColors::kLine);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(0x20, 0x23, 0x27));
    p.setColor(QPalette::Disabled, QPalette::Base, SkinColors::kPanel);
    return p;
}

void ApplyDarkLook() {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    const QPalette palette = DarkPalette();
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
}

void ApplyDarkLookOnce() {
    static bool applied = false;
    if (applied) return;
    applied = true;
    ApplyDarkLook();
}

}  // namespace quorva
