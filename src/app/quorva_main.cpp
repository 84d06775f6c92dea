// quorva: the viewer. `quorva [SOURCE]` opens a recorder card's mount point, a folder or one
// recording at start; without one it opens the first removable drive, else the stored
// folder, else the stored file. The settings file lives in the working directory.
// `quorva --print-start-source [SOURCE]` prints the source it would open ("KIND<TAB>PATH",
// kind 1 card, 2 folder, 3 file) and exits with 1 when there is none.
#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/cquorva_dlg.h"
#include "app/startup_source.h"
#include "appcore/settings_store.h"
#include "map/map_scheme.h"
#include "skin/skin_resources.h"

namespace {

struct CommandLine {
    std::string source;
    bool print = false;
    std::string unknown;
};

// The arguments left after the toolkit took its own (-platform, -style, ...).
CommandLine Parse(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--print-start-source"))
            line.print = true;
        else if (a.startsWith(QLatin1Char('-')) && line.unknown.empty())
            line.unknown = a.toStdString();
        else if (line.source.empty())
            line.source = a.toStdString();
    }
    return line;
}

bool HasArgument(int argc, char** argv, const char* a, const char* b = nullptr) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], a) == 0 || (b && std::strcmp(argv[i], b) == 0)) return true;
    return false;
}

void PrintUsage() {
    std::printf(
        "usage: quorva [--print-start-source] [SOURCE]\n"
        "  SOURCE  a recorder card's mount point, a folder or a recording\n"
        "The settings file Default_Folder.ini is kept in the working directory.\n");
}

int PrintStartSource(const std::string& commandLinePath) {
    quorva::StartupEnvironment env = quorva::DefaultStartupEnvironment();
    quorva::SetSettingsDirectory(env.workingDirectory);
    const quorva::StartupSource source = quorva::ChooseStartupSource(commandLinePath, env);
    if (source.kind == 0) return 1;
    std::printf("%d\t%s\n", source.kind, source.path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // These need no display.
    if (HasArgument(argc, argv, "--help", "-h")) {
        PrintUsage();
        return 0;
    }
    if (HasArgument(argc, argv, "--print-start-source")) {
        // No window: no display is needed.
        QCoreApplication core(argc, argv);
        return PrintStartSource(Parse(QCoreApplication::arguments()).source);
    }
    quorva::PrepareMapEngine();
    QApplication app(argc, argv);
    const CommandLine line = Parse(QCoreApplication::arguments());
    if (!line.unknown.empty()) {
        std::fprintf(stderr, "quorva: unknown option %s (try --help)\n", line.unknown.c_str());
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Quorva"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorva Viewer"));
    QApplication::setDesktopFileName(QStringLiteral("quorva"));
    QApplication::setWindowIcon(quorva::ApplicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);

    quorva::MainWindowOptions options;
    options.commandLineSource = line.source;
    quorva::CquorvaDlg window(std::move(options));
    QObject::connect(&window, &quorva::CquorvaDlg::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.Initialize();
    window.show();
    return app.exec();
}
