#include "skin/ui_fonts.h"

#include <QString>

#include <atomic>
#include <cstdlib>

namespace quorva {

namespace {
std::atomic<int> g_dpiY{96};
}  // namespace

QStringList UiFontFamilies() {
    return {QStringLiteral("メイリオ"), QStringLiteral("Meiryo"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
            QStringLiteral("sans-serif")};
}

QFont UiFontFor(UiFontIndex index, double fontScale, int logicalDpiY) {
    QFont font;
    font.setFamilies(UiFontFamilies());
    font.setStyleHint(QFont::SansSerif);
    const int height = std::abs(UiFontHeight(fontScale, kUiFontSizes[index], logicalDpiY));
    font.setPixelSize(height > 0 ? height : 1);
    font.setWeight(QFont::Normal);
    return font;
}

QFont UiFont(UiFontIndex index) {
    return UiFontFor(index, FontScale(), UiFontDpi());
}

void SetUiFontDpi(int logicalDpiY) {
    if (logicalDpiY > 0) g_dpiY.store(logicalDpiY, std::memory_order_relaxed);
}

int UiFontDpi() {
    return g_dpiY.load(std::memory_order_relaxed);
}

}  // namespace quorva
