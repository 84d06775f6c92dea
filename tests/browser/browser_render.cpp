// Renders the file browser (a demo card's first group, and the zoom hint) and the source
// dialog to PNG files at s = 1 and s = 2, for looking at them.
//   browser_render [--out DIR] [--card DIR]
// Without --card a demo card is written into DIR/card first (once).
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <string>

#include "appcore/settings_store.h"
#include "appcore/ui_scale.h"
#include "browser/file_list_ctrl.h"
#include "browser/filer_container_dlg.h"
#include "browser/folder_tree_ctrl.h"
#include "browser/source_open_dlg.h"
#include "cardwriter/card_writer.h"
#include "skin/ui_fonts.h"

namespace {

using namespace quorva;

QImage Grab(QWidget& widget) {
    widget.show();
    QCoreApplication::processEvents();
    return widget.grab().toImage();
}

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path)) {
        std::fprintf(stderr, "browser_render: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool RenderAt(double s, const std::string& card, const QString& out) {
    SetUiScaleFactors(s, s);
    const QString suffix = QStringLiteral("-s%1.png").arg(s);
    SourceEnvironment env;
    env.removableVolumes = [] { return std::vector<std::string>{}; };
    CFilerContainerDlg browser(nullptr, env);
    browser.resize(Scaled(452, s), Scaled(630, s));
    browser.LoadSource(card, kSourceDrive);
    browser.Tree()->expandAll();
    browser.SelectRecordingRow(1, false);
    bool ok = Save(Grab(browser), out + "/browser" + suffix);
    browser.SetFilter(kFilterContinuous, false);
    browser.SelectRecordingRow(0, false);
    ok = Save(Grab(browser), out + "/browser-filtered" + suffix) && ok;
    browser.SetZoomHint(true);
    ok = Save(Grab(browser), out + "/browser-zoom" + suffix) && ok;

    WriteSetting("SOURCE", "SELECT", "FOLDER");
    WriteSetting("SOURCE", "FOLDER", card + "/Normal");
    WriteSetting("SOURCE", "FILE", card + "/Normal/A___-240518-091230-000101M.MOV");
    CSourceOpenDlg dialog(nullptr, {"/media/user/RECORDER"});
    ok = Save(Grab(dialog), out + "/source-dialog" + suffix) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"out", "Output folder.", "dir", QDir::currentPath()});
    parser.addOption({"card", "An existing card to show.", "dir"});
    parser.process(app);
    const QString out = parser.value("out");
    QDir().mkpath(out);
    SetSettingsDirectory(out.toStdString());
    SetUiFontDpi(96);
    std::string card = parser.value("card").toStdString();
    if (card.empty()) {
        card = (out + "/card").toStdString();
        if (!std::filesystem::exists(card + "/Normal")) {
            cardwriter::QuietCodecLogs();
            cardwriter::CardRecipe desc;
            desc.root = card;
            desc.seconds = 1.0;
            desc.width = 160;
            desc.height = 90;
            desc.subWidth = 160;
            desc.subHeight = 90;
            const cardwriter::CardResult result = cardwriter::WriteDemoCard(desc);
            if (!result.ok) {
                std::fprintf(stderr, "browser_render: %s\n", result.error.c_str());
                return 1;
            }
        }
    }
    bool ok = RenderAt(1.0, card, out);
    ok = RenderAt(2.0, card, out) && ok;
    return ok ? 0 : 1;
}
