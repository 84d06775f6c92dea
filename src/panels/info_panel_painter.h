// Paints the info panel onto any painter: date and time, rate text, speed or voltage, the
// three G columns, the resolution badge, the status and GPS pictures, with a placeholder for
// every field without data.
#pragma once

#include <QPainter>
#include <QRect>
#include <QSize>

#include <array>
#include <string>

#include "panels/panel_style.h"
#include "recordings/system_time.h"

namespace quorva {

// The fields of the panel as the main window sets them; the defaults are the reset values.
struct InfoPanelState {
    double stretch = 1.0;    // P: horizontal factor of the boxes
    SystemTime startTime;    // recording start, from its name
    bool timeLapse = false;  // the elapsed time counts 15 times the video time
    float frameMs = 0.0f;    // milliseconds per video frame
    int position = -1;       // current frame number
    std::array<double, 3> g = {-5.0, -5.0, -5.0};  // X, Y, Z in G
    bool fixValid = false;
    double speed = -1.0;        // km/h
    int voltage = -1;           // tenths of a volt
    bool parkingTrace = false;  // the voltage replaces the speed
    int resolutionCode = 0;     // 11: 720 lines, 12: 1080 lines
    int statusLetter = 'M';     // 'R', 'r' or other
    std::string rateText;       // UTF-8, empty at the normal rate

    // The reset of the panel (no recording open): speed, G values, position, status, fix,
    // voltage and resolution back to their "no data" values.
    void Reset();
};

// Boxes of the panel in client coordinates, at UI scale s and stretch P.
struct InfoPanelBoxes {
    InfoPanelBoxes(double s, double stretch);

    QRect gLabel(int k) const;
    QRect gValue(int k) const;
    QRect toggle(int k) const;
    QRect date;
    QRect rate;
    QRect speed;
    QRect speedNumber;  // the speed box shortened by its margin on the right
    QRect speedUnit;    // the speed box moved down by the unit offset
    QRect speedPlaceholder;
    QRect voltage;
    QRect voltageUnit;  // the voltage box moved 18 s to the right
    QRect voltagePlaceholder;
    QPoint badge;
    QPoint status;  // left edge of the status slot, 60 s wide
    QPoint gps;

  private:
    double s_;
    double p_;
};

void PaintInfoPanel(QPainter& painter, const QSize& size, const InfoPanelState& state,
                    const PanelLook& look);

}  // namespace quorva
