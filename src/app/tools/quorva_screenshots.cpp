// quorva-screenshots: runs the viewer on a source and saves what the screen shows, for
// looking at the window as a user sees it (scripts/screenshot.sh runs it under a virtual X
// display of a chosen size).
//   quorva-screenshots --shot main|maximised|fullscreen|source-dialog --out FILE.png
//                      [--crop X,Y,W,H] SOURCE
// The shots "main" and "fullscreen" show the first recording of the source in the movie
// views (opened straight in the player group).
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <string>

#include "app/cquorva_dlg.h"
#include "browser/source_open_dlg.h"
#include "player/ffmpeg_player.h"
#include "recordings/source_catalogue.h"

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

bool Save(const QString& path, const QRect& crop) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    QPixmap picture = screen->grabWindow(0);
    if (crop.isValid()) picture = picture.copy(crop);
    return picture.save(path);
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString shot = QStringLiteral("main");
    QString out = QStringLiteral("quorva.png");
    std::string source;
    QRect crop;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--shot") && i + 1 < args.size())
            shot = args[++i];
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--crop") && i + 1 < args.size()) {
            const QStringList v = args[++i].split(QLatin1Char(','));
            if (v.size() == 4) crop = QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
        } else
            source = args[i].toStdString();
    }
    QApplication::setQuitOnLastWindowClosed(false);

    quorva::MainWindowOptions options;
    options.commandLineSource = source;
    options.showMessage = [](QWidget*, const std::string& text, const std::string& caption) {
        std::fprintf(stderr, "message: %s: %s\n", caption.c_str(), text.c_str());
        return 1;
    };
    quorva::CquorvaDlg window(std::move(options));
    window.Initialize();
    window.show();
    Pump(1500);

    if (shot == QLatin1String("maximised")) {
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
    }
    const bool saved = Save(out, crop);
    std::printf("%s\n", qPrintable(out));
    window.RunShutdown();
    return saved ? 0 : 1;
}
