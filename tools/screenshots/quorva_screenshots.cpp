// quorva-screenshots: runs the viewer on a source and saves what the screen shows, for
// looking at the window as a user sees it (scripts/screenshot.sh runs it under a virtual X
// display of a chosen size).
//   quorva-screenshots --shot SHOT --out FILE.png [--crop X,Y,W,H] SOURCE
// Shots:
//   main, fullscreen   the first recording of the source in the movie views (opened straight
//                      in the player group)
//   maximised, source-dialog
//   playing            the first impact recording playing, a second after its event: both
//                      cameras, the graph with its curves, markers and cursor, the info panel
//   event              the same recording paused on its first event (the event jump)
//   menu               the movie context menu over the playing recording
//   fullscreen-menu    the movie context menu in full-screen, with its way out
//   source-change      another source (--second SOURCE, chosen as a folder in the source
//                      dialog) after a recording of the first played: the new source's first
//                      group and recording; --out-dialog FILE also saves the view while the
//                      source dialog is open
//   folder-chooser     the folder chooser of the snapshot command (Qt's own dialog)
//   snapshot-message   the message that names the snapshot's folder and files
//   slider-tip         the position slider's tip and a button's tooltip
//   join-dialog        the file selection dialog of the joined movie: the group's recordings,
//                      two of them ticked, the first one marked by an earlier join
//   delete-dialog      the file selection dialog of the delete over the listed recordings
//   join-progress      the progress bar while a join of the group's first three recordings
//                      runs (held at its first report)
//   list-menu          the recording list's menu (GPS track export)
//   play-through       the first recording played, and the ones after it by continuous play,
//                      until the last one waits at its start again (for the tick figures
//                      of QUORVA_TICK_STATS); the picture is taken at the end
//   tour               a user's round through the road, one picture per step (--out names
//                      a folder): select, play, pause, step, rates, event jumps, snapshot,
//                      the end of a recording, the next group; the steps are printed
//   preview            the thumbnail toggle on and the mouse on a row of the list: the hover
//                      preview beside it
//   settings           the settings dialog over the main window, its second item unticked
//   update             the update notice of the server given by --update-server (the
//                      source's versions against the server's)
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolTip>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "app/cquorva_dlg.h"
#include "app/cquorva_road.h"
#include "app/movie_dialog.h"
#include "app/movie_static.h"
#include "appcore/app_messages.h"
#include "appcore/settings_store.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/file_select_dlg.h"
#include "browser/filer_container_dlg.h"
#include "browser/folder_tree_ctrl.h"
#include "browser/source_open_dlg.h"
#include "map/map_dlg_wrap.h"
#include "map/map_scheme.h"
#include "online/update_dialog.h"
#include "panels/gsensor_dlg.h"
#include "panels/info_dlg.h"
#include "platform/qt/app_message_event.h"
#include "player/ffmpeg_player.h"
#include "player/preview_window.h"
#include "recordings/source_catalogue.h"
#include "skin/pick_folder.h"
#include "skin/skin_button.h"
#include "skin/skin_check_button.h"
#include "skin/skin_slider.h"
#include "tools/settings_dlg.h"

namespace {

// Lets the event loop run for a while (pictures arrive, windows settle).
void Pump(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Lets the event loop run until the condition holds (false after the time limit).
bool PumpUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

bool Save(const QString& path, const QRect& crop) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    QPixmap picture = screen->grabWindow(0);
    if (crop.isValid()) picture = picture.copy(crop);
    return picture.save(path);
}

// Saves the screen while a modal window (a dialog, a menu) runs its own loop, then closes it.
void SaveFromInside(const QString& path, const QRect& crop, bool* saved, int afterMs = 900) {
    QTimer::singleShot(afterMs, [=] {
        *saved = Save(path, crop);
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
}

// The first recording of the source, for the shots that show a picture.
std::string FirstRecording(const std::string& source, int kind) {
    quorva::SourceCatalogue catalogue;
    catalogue.ScanSource(source, kind);
    catalogue.SelectFirstGroup();
    if (catalogue.Catalogue().empty()) return {};
    return catalogue.Catalogue().front().path;
}

bool OpenFirstRecording(quorva::CquorvaDlg& window) {
    if (quorva::CquorvaRoad* road = window.OwnRoad()) {
        // The road opens the first row of the list by itself; it is shown at frame 30.
        quorva::PlaybackController& c = road->Controller();
        if (!PumpUntil([&] { return c.CurrentIndex() == 0 && c.Started(); }, 15000)) return false;
        c.SeekTo(30, quorva::SLOT_STOPPED);
        return PumpUntil(
            [&] {
                const quorva::FramePtr p = window.Movie(0)->LastPicture();
                return p && p->position == 30;
            },
            10000);
    }
    const std::string movie = FirstRecording(window.SourcePath(), window.SourceKind());
    if (movie.empty()) return false;
    quorva::PlayerGroup& players = window.Players();
    if (!quorva::GroupOpen(players, movie)) return false;
    for (quorva::PlayerSlot& slot : players.slot)
        if (slot.valid && slot.state != quorva::SLOT_CLOSED) quorva::WaitForPicture(slot, 10000);
    quorva::GroupSeek(players, 30);
    for (quorva::PlayerSlot& slot : players.slot)
        if (slot.valid && slot.state != quorva::SLOT_CLOSED) quorva::WaitForPicture(slot, 10000);
    return true;
}

quorva::PlaybackController* Road(quorva::CquorvaDlg& window) {
    return window.OwnRoad() ? &window.OwnRoad()->Controller() : nullptr;
}

int MainState(quorva::CquorvaDlg& window) {
    const quorva::PlayerSlot& main = window.Players().slot[0];
    return main.valid ? main.state : quorva::SLOT_CLOSED;
}

// Selects a row of the list as a click does and waits until its drive data are loaded.
bool SelectAndWait(quorva::CquorvaDlg& window, int row) {
    quorva::PlaybackController* road = Road(window);
    if (!road || row < 0 || row >= window.Browser()->RowCount()) return false;
    window.Browser()->SelectRecordingRow(row, false);
    return PumpUntil([&] { return road->CurrentIndex() == row && road->Started(); }, 15000);
}

// The first row whose name is of an impact recording ("AG"), else row 0.
int ImpactRow(quorva::CquorvaDlg& window) {
    const auto& rows = window.Browser()->Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string& path = rows[i].path;
        const std::string name = path.substr(path.find_last_of('/') + 1);
        if (name.rfind("AG", 0) == 0) return static_cast<int>(i);
    }
    return 0;
}

// The impact recording played until a second after its event.
bool PlayPastTheEvent(quorva::CquorvaDlg& window) {
    if (!SelectAndWait(window, ImpactRow(window))) return false;
    quorva::PlaybackController* road = Road(window);
    const auto events = road->EventsCopy();
    const int target = events.empty() ? 60 : events.front().position + 30;
    window.OnCommand(quorva::ID_PLAY_PAUSE);
    return PumpUntil([&] { return road->Cursor() >= target; }, 20000);
}

std::string Describe(quorva::CquorvaDlg& window) {
    quorva::PlaybackController* road = Road(window);
    char line[300];
    const quorva::PlayerSlot& main = window.Players().slot[0];
    const int current = road ? road->CurrentIndex() : -1;
    const auto& rows = window.Browser()->Rows();
    std::string name = current >= 0 && current < static_cast<int>(rows.size())
                           ? rows[static_cast<size_t>(current)].path
                           : std::string("-");
    name = name.substr(name.find_last_of('/') + 1);
    const quorva::CMovieStatic* movie = window.Movie(0);
    const quorva::FramePtr picture = movie ? movie->LastPicture() : nullptr;
    std::snprintf(line, sizeof line,
                  "state %d rate %d | recording %d %s | slider %d/%d graph %d info %d picture %lld "
                  "| detached %s",
                  MainState(window), main.valid ? main.rateCode : 0, current, name.c_str(),
                  window.SeekSlider()->Pos(), window.SeekSlider()->RangeMax(),
                  window.Graph()->CursorFrame(), window.Info()->State().position,
                  picture ? static_cast<long long>(picture->position) : -1LL,
                  window.Detached()->windowTitle().toStdString().c_str());
    return line;
}

// A user's round through the road; one picture and one line per step.
int Tour(quorva::CquorvaDlg& window, const QString& folder, const std::string& snapshots) {
    quorva::PlaybackController* road = Road(window);
    if (!road) return 1;
    int step = 0;
    auto shot = [&](const char* what) {
        Pump(200);
        const QString file = QStringLiteral("%1/%2-%3.png")
                                 .arg(folder)
                                 .arg(++step, 2, 10, QLatin1Char('0'))
                                 .arg(QString::fromLatin1(what));
        std::printf("%-14s %s\n", what, Describe(window).c_str());
        Save(file, QRect());
        std::fflush(stdout);
    };
    shot("start");
    if (!SelectAndWait(window, ImpactRow(window))) std::printf("the recording did not open\n");
    shot("selected");
    window.OnCommand(quorva::ID_PLAY_PAUSE);
    Pump(2000);
    shot("playing");
    window.OnCommand(quorva::ID_PLAY_PAUSE);
    shot("paused");
    for (int i = 0; i < 5; ++i) {
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(&window, &right);
        Pump(60);
    }
    shot("five-steps");
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(&window, &space);
    Pump(500);
    window.OnCommand(quorva::ID_PLAY_FAST);
    Pump(1000);
    shot("fast");
    window.OnCommand(quorva::ID_PLAY_SLOW);
    window.OnCommand(quorva::ID_PLAY_SLOW);
    Pump(1000);
    shot("slow");
    PostAppMessage(&window, quorva::WM_APP_EVENT_NEXT);
    Pump(600);
    shot("next-event");
    window.OnCommand(quorva::ID_PLAY_PAUSE);
    PostAppMessage(&window, quorva::WM_APP_EVENT_PREV);
    Pump(600);
    shot("previous-event");
    // Zoom mode: a click on the main camera's picture zooms in around the point.
    window.OnCommand(quorva::ID_ZOOM_MODE);
    const QPoint point = window.Movie(0)->rect().center() + QPoint(80, 40);
    window.OnMovieMessage(quorva::WM_APP_MOVIE_CLICK, 0,
                          static_cast<intptr_t>(quorva::PackPoint(point)));
    Pump(300);
    shot("zoomed");
    window.OnCommand(quorva::ID_ZOOM_MODE);
    window.OnCommand(quorva::ID_SNAPSHOT);
    shot("snapshot");
    for (const auto& entry : std::filesystem::directory_iterator(snapshots))
        std::printf("  snapshot file %s\n", entry.path().filename().string().c_str());
    // Towards the end: the next recording opens and plays.
    const int before = road->CurrentIndex();
    road->SeekTo(window.SeekSlider()->RangeMax() - 45, quorva::SLOT_PLAYING);
    PumpUntil(
        [&] {
            return road->CurrentIndex() != before && road->Started() &&
                   MainState(window) == quorva::SLOT_PLAYING;
        },
        15000);
    Pump(500);
    shot("next-recording");
    // The last recording of the group: continuous play moves to the next group.
    const quorva::FolderTreeItem group = window.Browser()->Tree()->SelectedSerial();
    const int last = window.Browser()->RowCount() - 1;
    if (road->CurrentIndex() != last && SelectAndWait(window, last)) {
        window.OnCommand(quorva::ID_PLAY_PAUSE);
        Pump(300);
    }
    road->SeekTo(window.SeekSlider()->RangeMax() - 45, quorva::SLOT_PLAYING);
    PumpUntil(
        [&] {
            return window.Browser()->Tree()->SelectedSerial() != group && road->Started() &&
                   MainState(window) == quorva::SLOT_PLAYING;
        },
        15000);
    Pump(500);
    shot("next-group");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    quorva::PrepareMapEngine();
    QApplication app(argc, argv);
    QString shot = QStringLiteral("main");
    QString out = QStringLiteral("quorva.png");
    std::string source;
    std::string second;
    QString outDialog;
    std::string tileUrl;
    std::string updateServer;
    QRect crop;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--shot") && i + 1 < args.size())
            shot = args[++i];
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--out-dialog") && i + 1 < args.size())
            outDialog = args[++i];
        else if (args[i] == QLatin1String("--second") && i + 1 < args.size())
            second = args[++i].toStdString();
        else if (args[i] == QLatin1String("--tile-url") && i + 1 < args.size())
            tileUrl = args[++i].toStdString();
        else if (args[i] == QLatin1String("--update-server") && i + 1 < args.size())
            updateServer = args[++i].toStdString();
        else if (args[i] == QLatin1String("--crop") && i + 1 < args.size()) {
            const QStringList v = args[++i].split(QLatin1Char(','));
            if (v.size() == 4) crop = QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
        } else
            source = args[i].toStdString();
    }
    QApplication::setQuitOnLastWindowClosed(false);

    if (!tileUrl.empty() || !updateServer.empty()) {
        // A first run's settings, with the map's tiles or the updates from the given server.
        quorva::SetSettingsDirectory(QDir::currentPath().toStdString());
        quorva::WriteFirstRunDefaults();
        if (!tileUrl.empty()) quorva::WriteSetting("MAP", "TILE_URL", tileUrl);
        if (!updateServer.empty()) quorva::WriteSetting("ONLINE", "UPDATE_SERVER", updateServer);
    }
    quorva::MainWindowOptions options;
    options.commandLineSource = source;
    QTemporaryDir snapshotDir;
    const std::string snapshots = snapshotDir.path().toStdString();
    options.pickSnapshotFolder = [snapshots](QWidget*, const std::string&) { return snapshots; };
    // The message dialog shows itself only where it is the picture.
    if (shot != QLatin1String("snapshot-message")) {
        options.showMessage = [](QWidget*, const std::string& text, const std::string& caption) {
            std::fprintf(stderr, "message: %s: %s\n", caption.c_str(), text.c_str());
            return 1;
        };
    }
    // The source dialog of the source-change shot: the real dialog is shown (and saved) over
    // the main window, then the second source is chosen as a folder.
    options.sourceDialog = [&](QWidget* owner) {
        quorva::CSourceOpenDlg dialog(owner);
        dialog.show();
        dialog.move(owner->geometry().center() - dialog.rect().center());
        Pump(800);
        if (!outDialog.isEmpty()) Save(outDialog, crop);
        dialog.close();
        return quorva::SourceChoice{2, second};
    };
    // The join of the progress shot: the first three recordings into a scratch folder, held
    // at its first report until the picture is taken.
    QTemporaryDir outputDir;
    const std::string output = outputDir.path().toStdString();
    options.pickTaskFolder = [output](QWidget*, const std::string&) { return output; };
    options.runFileSelect = [](quorva::CFileSelectDlg& dialog) {
        for (int row = 0; row < 3 && row < dialog.Selection().RowCount(); ++row)
            dialog.ClickRow(row);
        dialog.Confirm();
        return dialog.result();
    };
    std::atomic<bool> held{false};
    options.taskProgressObserver = [&held](quorva::TaskControl& control, uint64_t done,
                                           uint64_t total) {
        if (done != 1 || total == 0) return;
        held = true;
        while (control.Busy())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
    quorva::CquorvaDlg window(std::move(options));
    window.Initialize();
    window.show();
    Pump(1500);

    if (shot == QLatin1String("map") || shot == QLatin1String("map-offline")) {
        // Maximised, the map switched on, an impact recording playing past its event.
        window.OnCommand(quorva::ID_WND_MAXIMIZE);
        window.OnCommand(quorva::ID_MAP_TOGGLE);
        if (!PlayPastTheEvent(window)) std::fprintf(stderr, "the recording did not play\n");
        quorva::CMapDlgWrap* map = window.MapController();
        if (shot == QLatin1String("map")) {
            if (!PumpUntil([&] { return map && map->PageReady(); }, 20000))
                std::fprintf(stderr, "the map page did not become ready\n");
            Pump(2500);  // tiles, tracks and pins drawn; the position followed once more
            window.OnCommand(quorva::ID_PLAY_PAUSE);
            Pump(1200);
        } else {
            Pump(3000);  // the probe answered: off line
        }
    } else if (shot == QLatin1String("preview")) {
        // The thumbnail toggle on, the mouse resting on the third row of the list.
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        if (!window.Thumbnail()) window.OnCommand(quorva::ID_THUMBNAIL_TOGGLE);
        quorva::CFileListCtrl* list = window.Browser()->List();
        bool shown = false;
        QObject::connect(window.PreviewWindow(), &quorva::CPreviewWindow::previewShown,
                         [&] { shown = true; });
        const int row = std::min(2, list->RowCount() - 1);
        if (row >= 0) {
            const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
            QCursor::setPos(list->viewport()->mapToGlobal(at));
            QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &move);
        }
        if (!PumpUntil([&] { return shown; }, 10000))
            std::fprintf(stderr, "the preview did not show\n");
        Pump(400);
    } else if (shot == QLatin1String("settings")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        window.OnCommand(quorva::ID_SETTINGS);
        if (quorva::CSettingsDlg* dialog = window.SettingsDialog())
            dialog->OnCommand(quorva::kSettingsItemFirst + 1);
        Pump(800);
    } else if (shot == QLatin1String("update")) {
        if (!PumpUntil([&] { return window.UpdateDialog() && window.UpdateDialog()->isVisible(); },
                       15000))
            std::fprintf(stderr, "no update notice\n");
        Pump(500);
    } else if (shot == QLatin1String("maximised")) {
        window.OnCommand(quorva::ID_WND_MAXIMIZE);
        Pump(800);
    } else if (shot == QLatin1String("fullscreen")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        Pump(300);
        window.ToggleFullScreen(true);
        Pump(800);
    } else if (shot == QLatin1String("source-dialog")) {
        // The dialog of the source button, over the main window.
        auto* dialog = new quorva::CSourceOpenDlg(&window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        dialog->move(window.geometry().center() - dialog->rect().center());
        Pump(800);
    } else if (shot == QLatin1String("main")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        Pump(800);
    } else if (shot == QLatin1String("playing")) {
        if (!PlayPastTheEvent(window)) std::fprintf(stderr, "the recording did not play\n");
    } else if (shot == QLatin1String("event")) {
        if (SelectAndWait(window, ImpactRow(window))) {
            PostAppMessage(&window, quorva::WM_APP_EVENT_NEXT);
            Pump(800);
        } else {
            std::fprintf(stderr, "the recording did not open\n");
        }
    } else if (shot == QLatin1String("menu")) {
        if (!PlayPastTheEvent(window)) std::fprintf(stderr, "the recording did not play\n");
        // The menu runs its own loop: the picture is taken from inside it, then it closes.
        const QPoint at = window.Movie(0)->mapToGlobal(window.Movie(0)->rect().center());
        bool saved = false;
        QTimer::singleShot(700, [&] {
            saved = Save(out, crop);
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
        window.OnMovieMessage(quorva::WM_APP_MOVIE_MENU, quorva::PackPoint(at), 0);
        std::printf("%s\n", qPrintable(out));
        window.RunShutdown();
        return saved ? 0 : 1;
    } else if (shot == QLatin1String("fullscreen-menu")) {
        if (!PlayPastTheEvent(window)) std::fprintf(stderr, "the recording did not play\n");
        window.ToggleFullScreen(true);
        Pump(800);
        const QPoint at = window.Movie(0)->mapToGlobal(window.Movie(0)->rect().center());
        bool saved = false;
        SaveFromInside(out, crop, &saved, 700);
        window.OnMovieMessage(quorva::WM_APP_MOVIE_MENU, quorva::PackPoint(at), 0);
        std::printf("%s\n", qPrintable(out));
        window.RunShutdown();
        return saved ? 0 : 1;
    } else if (shot == QLatin1String("source-change")) {
        // A recording of the first source plays, then the source dialog chooses the second.
        if (!PlayPastTheEvent(window)) std::fprintf(stderr, "the recording did not play\n");
        window.OnCommand(quorva::ID_OPEN_SOURCE);
        quorva::PlaybackController* road = Road(window);
        if (!road ||
            !PumpUntil([&] { return road->CurrentIndex() == 0 && road->Started(); }, 15000))
            std::fprintf(stderr, "the new source's first recording did not open\n");
        Pump(800);
        std::printf("%s\n", Describe(window).c_str());
    } else if (shot == QLatin1String("folder-chooser")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        bool saved = false;
        SaveFromInside(out, crop, &saved, 1500);
        quorva::PickFolder(&window, "FOLDERPATH", "SNAPSHOT_FOLDER", quorva::UiText(101));
        std::printf("%s\n", qPrintable(out));
        window.RunShutdown();
        return saved ? 0 : 1;
    } else if (shot == QLatin1String("snapshot-message")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        bool saved = false;
        SaveFromInside(out, crop, &saved, 900);
        window.OnCommand(quorva::ID_SNAPSHOT);
        std::printf("%s\n", qPrintable(out));
        window.RunShutdown();
        return saved ? 0 : 1;
    } else if (shot == QLatin1String("slider-tip")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        quorva::CSkinSliderCtrl* slider = window.SeekSlider();
        const QPoint onSlider(slider->ThumbRect().center().x() + 40, slider->height() / 2);
        QMouseEvent move(QEvent::MouseMove, QPointF(onSlider),
                         QPointF(slider->mapToGlobal(onSlider)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
        // A button's tooltip too (the snapshot button), as hovering shows it.
        if (quorva::CSkinButton* button = window.Button(quorva::ID_SNAPSHOT))
            QToolTip::showText(button->mapToGlobal(QPoint(button->width() / 2, button->height())),
                               button->toolTip(), button);
        Pump(800);
    } else if (shot == QLatin1String("join-dialog") || shot == QLatin1String("delete-dialog")) {
        const bool join = shot == QLatin1String("join-dialog");
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        auto* dialog = new quorva::CFileSelectDlg(&window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        quorva::CFilerContainerDlg* browser = window.Browser();
        std::vector<quorva::RecordingEntry> group =
            join ? browser->Catalogue().Catalogue() : browser->Rows();
        if (join && !group.empty()) group.front().joinedMark = 1;
        dialog->Prepare(join ? quorva::FileSelectMode::kJoin : quorva::FileSelectMode::kDelete,
                        group, browser->Catalogue().ListAllRecordings());
        for (int row : join ? std::vector<int>{1, 2} : std::vector<int>{0, 2})
            dialog->ClickRow(row);
        dialog->show();
        dialog->move(window.geometry().center() - dialog->rect().center());
        Pump(800);
    } else if (shot == QLatin1String("join-progress")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        window.OnCommand(quorva::ID_SAVE_JOINED);
        if (!PumpUntil([&] { return held.load(); }, 20000)) std::fprintf(stderr, "no join\n");
        Pump(600);
        const bool saved = Save(out, crop);
        window.OnCommand(quorva::ID_PLAY_STOP);  // cancels it: nothing is written
        std::printf("%s\n", qPrintable(out));
        window.RunShutdown();
        return saved ? 0 : 1;
    } else if (shot == QLatin1String("list-menu")) {
        if (!OpenFirstRecording(window)) std::fprintf(stderr, "no recording to show\n");
        // The right click selects the row first (its recording opens).
        if (!SelectAndWait(window, 1)) std::fprintf(stderr, "the recording did not open\n");
        quorva::CFileListCtrl* list = window.Browser()->List();
        const QPoint at =
            list->viewport()->mapToGlobal(list->visualRect(list->model()->index(1, 0)).center());
        bool saved = false;
        QTimer::singleShot(700, [&] {
            saved = Save(out, crop);
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
        window.OnRecordingContextMenu(1, at.x(), at.y());
        std::printf("%s\n", qPrintable(out));
        window.RunShutdown();
        return saved ? 0 : 1;
    } else if (shot == QLatin1String("play-through")) {
        quorva::PlaybackController* road = Road(window);
        if (road && SelectAndWait(window, 0)) {
            window.OnCommand(quorva::ID_PLAY_PAUSE);
            // Playing on until nothing plays for two seconds (the end of the last group).
            QElapsedTimer still;
            still.start();
            PumpUntil(
                [&] {
                    if (MainState(window) == quorva::SLOT_PLAYING) still.restart();
                    return still.elapsed() > 2000;
                },
                30 * 60 * 1000);
            // What one redraw of each panel costs (the graph is redrawn in the paint pass
            // after the tick, the info panel inside it).
            for (QWidget* panel :
                 {static_cast<QWidget*>(window.Graph()), static_cast<QWidget*>(window.Info())}) {
                QElapsedTimer clock;
                clock.start();
                constexpr int kRounds = 200;
                for (int i = 0; i < kRounds; ++i)
                    panel->repaint();
                std::fprintf(stderr, "redraw of the %s: %.0f us\n",
                             panel == window.Graph() ? "graph" : "info panel",
                             clock.nsecsElapsed() / 1000.0 / kRounds);
            }
        } else {
            std::fprintf(stderr, "the recording did not open\n");
        }
    } else if (shot == QLatin1String("tour")) {
        QDir().mkpath(out);
        const int result = Tour(window, out, snapshots);
        window.RunShutdown();
        return result;
    }
    const bool saved = Save(out, crop);
    std::printf("%s\n", qPrintable(out));
    window.RunShutdown();
    return saved ? 0 : 1;
}
