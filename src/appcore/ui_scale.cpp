#include "appcore/ui_scale.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>

namespace quorva {

namespace {
std::atomic<double> g_s{1.0};
std::atomic<double> g_f{1.0};
}  // namespace

double UiScaleForWorkArea(int workAreaHeight) {
    return workAreaHeight / 48.0 / 22.0;
}

double FontScaleFor(double s, double logicalDpiX) {
    return logicalDpiX > 0 ? s * 96.0 / logicalDpiX : s;
}

int Scaled(double design, double s) {
    return static_cast<int>(design * s);
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t num = std::llabs(product);
    const int64_t den = std::llabs(static_cast<int64_t>(c));
    const int64_t q = (num + den / 2) / den;
    return static_cast<int>(negative ? -q : q);
}

int UiFontHeight(double f, int n, int logicalDpiY) {
    return -MulDiv(static_cast<int>(f * n), logicalDpiY, 72);
}

UiMetrics ComputeUiMetrics(int workAreaHeight, double logicalDpiX, int logicalDpiY) {
    UiMetrics m;
    m.s = UiScaleForWorkArea(workAreaHeight);
    m.f = FontScaleFor(m.s, logicalDpiX);
    for (size_t i = 0; i < kUiFontSizes.size(); ++i)
        m.fontHeights[i] = UiFontHeight(m.f, kUiFontSizes[i], logicalDpiY);
    return m;
}

bool ShrinkFontsForShortMonitor(UiMetrics& m, int monitorWorkAreaHeight, int logicalDpiY) {
    const int baseHeight = Scaled(kMainWindowDesignHeight, m.s);
    if (baseHeight <= 0 || monitorWorkAreaHeight >= baseHeight) return false;
    m.f *= static_cast<double>(monitorWorkAreaHeight) / baseHeight;
    for (size_t i = 0; i < kUiFontSizes.size(); ++i)
        m.fontHeights[i] = UiFontHeight(m.f, kUiFontSizes[i], logicalDpiY);
    return true;
}
double UiScale() {
    return g_s.load(std::memory_order_relaxed);
}
double FontScale() {
    return g_f.load(std::memory_order_relaxed);
}
void SetUiScaleFactors(double s, double f) {
    g_s.store(s, std::memory_order_relaxed);
    g_f.store(f, std::memory_order_relaxed);
}

}  // namespace quorva
