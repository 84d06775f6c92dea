// Renders the G-sensor graph and the info panel filled with plausible data to PNG files, at
// UI scales 1 and 1.5, for looking at them: panels_render_demo <output folder>.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

#include "appcore/ui_text.h"
#include "panel_fixture.h"
#include "panels/event_detectors.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"

using namespace quorva;

namespace {

bool Save(const QImage& image, const QString& path) {
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toUtf8().constData());
    return ok;
}

SystemTime Start() {
    SystemTime t;
    t.year = 2024;
    t.month = 3;
    t.day = 14;
    t.hour = 8;
    t.minute = 5;
    t.second = 30;
    return t;
}

bool RenderAt(double s, const QString& folder) {
    const PanelLook look = PanelLook::At(s, s);
    const QString tag = QString::number(s, 'f', 1);
    bool ok = true;

    // A one-minute recording at 30 frames per second scrolls; a ten-second one fits.
    for (int frames : {1800, 300}) {
        test::DriveDataFixture drive = test::MakeDemoDrive(frames);
        double maxG = 0.0;
        for (const GSensorSample& g : drive.samples) {
            maxG = std::max({maxG, std::abs(g.g1), std::abs(g.g2), std::abs(g.g3)});
        }
        CGSensorDlg graph;
        graph.SetLook(look);
        graph.resize(static_cast<int>(655 * s), static_cast<int>(146 * s));
        graph.SetDriveDataAccess(
            [&](const std::function<void(const GSensorView&)>& read) { read(drive.View()); });
        graph.ShowRecording(frames, ScaleIndexForMaxG(maxG), true);
        graph.SetCursorFrame(frames * 43 / 100);
        ok &= Save(graph.grab().toImage(),
                   QStringLiteral("%1/graph_%2f_s%3.png").arg(folder).arg(frames).arg(tag));
        // As in a maximised window: the grid is repeated to the right of the picture.
        graph.resize(static_cast<int>(1400 * s), static_cast<int>(146 * s));
        ok &= Save(graph.grab().toImage(),
                   QStringLiteral("%1/graph_%2f_wide_s%3.png").arg(folder).arg(frames).arg(tag));
    }

    CInfoDlg info;
    info.SetLook(look);
    info.resize(static_cast<int>(655 * s), static_cast<int>(105 * s));
    info.SetStartTime(Start());
    info.SetFrameMs(1000.0f / 30.0f);
    info.SetPosition(774);
    info.SetGValues(-0.847, 0.129, -0.051);
    info.SetFix(true, 47.6);
    info.SetVoltage(125);
    info.SetResolutionCode(12);
    info.SetStatusLetter('R');
    info.SetRateText(UiText(58));
    info.SetToggleState(1, false);
    ok &= Save(info.grab().toImage(), QStringLiteral("%1/info_data_s%2.png").arg(folder, tag));

    info.SetParkingTrace(true);
    info.SetResolutionCode(11);
    info.SetStatusLetter('r');
    info.SetRateText("");
    ok &= Save(info.grab().toImage(), QStringLiteral("%1/info_trace_s%2.png").arg(folder, tag));

    info.SetParkingTrace(false);
    info.Reset();
    ok &= Save(info.grab().toImage(),
               QStringLiteral("%1/info_placeholders_s%2.png").arg(folder, tag));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    bool ok = RenderAt(1.0, folder);
    ok &= RenderAt(1.5, folder);
    return ok ? 0 : 1;
}
