// The hover preview: what the user-interface thread spends when the mouse runs down the list.
//   BM_SynchronousPreviewOpen  the preview sequence on the calling thread (open, play, pause,
//                              first picture) for a 1080p recording: what each hover would
//                              hold the list up for if the open ran there
//   BM_HoverDownTheList        200 hover requests alternating between two recordings, as the
//                              mouse running down 200 rows gives them: the time the calling
//                              thread spends in them (ui_us_per_hover), the opens the player's
//                              thread began (opens) and the time until the last row's picture
//                              is shown (last_shown_ms)
// Runs with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_player_movies.h"
#include "player/offscreen_video_output.h"
#include "player/preview_session.h"
#include "player/preview_window.h"

namespace quorva::bench {
namespace {

class NoMessages : public AppMessageTarget {
  public:
    void PostAppMessage(uint32_t, uintptr_t, intptr_t) override {}
};

void BM_SynchronousPreviewOpen(benchmark::State& state) {
    const std::string movie = BenchMovie();
    OffscreenVideoOutput output({220, 123});
    NoMessages window;
    CMFSession session(&output, &window);
    for (auto _ : state) {
        session.OpenURL(movie);
        session.Play(false);
        session.TogglePause();
        session.Engine()->WaitForPicture(10000);
        state.PauseTiming();
        session.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SynchronousPreviewOpen)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_HoverDownTheList(benchmark::State& state) {
    const std::string movies[2] = {BenchMovie(false), BenchMovie(true)};
    constexpr int kRows = 200;
    double uiNs = 0.0;
    double lastShownMs = 0.0;
    int opens = 0;
    for (auto _ : state) {
        CPreviewWindow window;
        window.show();
        QElapsedTimer total;
        total.start();
        QElapsedTimer ui;
        qint64 spent = 0;
        for (int row = 0; row < kRows; ++row) {
            ui.start();
            window.Preview(movies[row % 2]);
            spent += ui.nsecsElapsed();
            QApplication::processEvents();
        }
        const QString last = QString::fromStdString(movies[(kRows - 1) % 2]);
        while (window.ShownPath() != last && total.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        lastShownMs += static_cast<double>(total.elapsed());
        uiNs += static_cast<double>(spent);
        opens += window.OpensBegun();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["ui_us_per_hover"] = uiNs / runs / kRows / 1000.0;
    state.counters["opens"] = opens / runs;
    state.counters["last_shown_ms"] = lastShownMs / runs;
}
BENCHMARK(BM_HoverDownTheList)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quorva::bench

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
