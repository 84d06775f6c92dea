// The UI scale s, the font scale f and the heights of the five UI fonts, as plain functions
// of the monitor's work-area height and its logical DPI. Every layout length is a design
// length in pixels times s, truncated.
#pragma once

#include <array>

namespace quorva {

// s = work-area height / 48 / 22 (a 1056-pixel work area gives 1.0).
double UiScaleForWorkArea(int workAreaHeight);
// f = s * 96 / horizontal logical DPI; s itself when the DPI is not positive.
double FontScaleFor(double s, double logicalDpiX);
// int(design * s).
int Scaled(double design, double s);

// (a * b) / c rounded half away from zero, as MulDiv does; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The five UI fonts, F9, F10, F13, F17 and F22, by their design point size.
constexpr std::array<int, 5> kUiFontSizes = {9, 10, 13, 17, 22};
enum UiFontIndex { kFontF9, kFontF10, kFontF13, kFontF17, kFontF22 };

// The font height (negative: a character height in pixels) for design size n:
// -MulDiv(int(f * n), vertical logical DPI, 72).
int UiFontHeight(double f, int n, int logicalDpiY);

struct UiMetrics {
    double s = 1.0;
    double f = 1.0;
    std::array<int, 5> fontHeights{};  // F9, F10, F13, F17, F22
};

// Computes s, f and the font heights from the work area of the monitor that holds the
// main window and its logical DPI.
UiMetrics ComputeUiMetrics(int workAreaHeight, double logicalDpiX, int logicalDpiY);

// At the end of start-up: when the monitor that holds the main window is less tall than
// the window's base height int(s * 697), f shrinks by that height / int(s * 697), the font
// heights follow, and the answer is true (the window then starts maximised).
bool ShrinkFontsForShortMonitor(UiMetrics& metrics, int monitorWorkAreaHeight, int logicalDpiY);

// The main window's base size in design pixels.
constexpr int kMainWindowDesignWidth = 1120;
constexpr int kMainWindowDesignHeight = 697;

// The process-wide factors (1.0 before the first computation); set by start-up and when
// the window settles on a monitor with a different work area.
double UiScale();
double FontScale();
void SetUiScaleFactors(double s, double f);

}  // namespace quorva
