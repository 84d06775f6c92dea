// quorva: the viewer. `quorva [SOURCE]` opens a recorder card's mount point, a folder or one
// recording at start; without one it opens the first removable drive, else the stored
// folder, else the stored file. The settings file lives in the working directory, or in
// ${XDG_CONFIG_HOME:-~/.config}/quorva when the viewer starts in the home folder (as from the
// desktop), or in the folder named by `--settings-dir DIR`.
// `quorva --print-start-source [SOURCE]` prints the source it would open ("KIND<TAB>PATH",
// kind 1 card, 2 folder, 3 file) and exits with 1 when there is none.
// `quorva --version` prints the version.
#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/cquorva_dlg.h"
#include "app/startup_source.h"
#include "appcore/settings_directory.h"
#include "appcore/settings_store.h"
#include "map/map_scheme.h"
#include "quorva_version.h"
#include "skin/skin_resources.h"

namespace {

struct CommandLine {
    std::string source;
    bool print = false;
    std::string settingsDirectory;  // --settings-dir
    std::string error;              // the first thing that could not be understood
};

// The arguments left after the toolkit took its own (-platform, -style, ...).
CommandLine Parse(const QStringList& arguments) {
    CommandLine line;
    const QLatin1String settingsOption("--settings-dir");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--print-start-source")) {
            line.print = true;
        } else if (a == settingsOption || a.startsWith(settingsOption + QLatin1Char('='))) {
            const bool attached = a != settingsOption;
            if (!attached && i + 1 >= arguments.size()) {
                if (line.error.empty()) line.error = "--settings-dir needs a folder";
                continue;
            }
            const QString value = attached ? a.mid(settingsOption.size() + 1) : arguments[++i];
            if (value.isEmpty() && line.error.empty()) line.error = "--settings-dir needs a folder";
            line.settingsDirectory = value.toStdString();
        } else if (a.startsWith(QLatin1Char('-'))) {
            if (line.error.empty()) line.error = "unknown option " + a.toStdString();
        } else if (line.source.empty()) {
            line.source = a.toStdString();
        }
    }
    return line;
}

// The settings directory of this start, made when missing; "" with a message when the named
// folder cannot be made.
std::optional<std::string> SettingsDirectoryOfThisStart(const CommandLine& line) {
    const std::string directory =
        quorva::SettingsDirectoryFor(quorva::CurrentSettingsPlace(line.settingsDirectory));
    if (!quorva::MakeSettingsDirectory(directory) && !line.settingsDirectory.empty()) {
        std::fprintf(stderr, "quorva: cannot use %s as the settings folder\n", directory.c_str());
        return std::nullopt;
    }
    return directory;
}

bool HasArgument(int argc, char** argv, const char* a, const char* b = nullptr) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], a) == 0 || (b && std::strcmp(argv[i], b) == 0)) return true;
    return false;
}

void PrintUsage() {
    std::printf(
        "usage: quorva [--settings-dir DIR] [--print-start-source] [SOURCE]\n"
        "       quorva --version\n"
        "  SOURCE                a recorder card's mount point, a folder or a recording\n"
        "  --settings-dir DIR    keep the settings file Default_Folder.ini in DIR\n"
        "  --print-start-source  print the source the viewer would open and exit\n"
        "The settings file is kept in the working directory; started in the home folder (as\n"
        "from the desktop) the viewer keeps it in ${XDG_CONFIG_HOME:-~/.config}/quorva.\n");
}

int PrintStartSource(const CommandLine& line) {
    const std::optional<std::string> settings = SettingsDirectoryOfThisStart(line);
    if (!settings) return 2;
    quorva::StartupEnvironment env = quorva::DefaultStartupEnvironment();
    quorva::SetSettingsDirectory(*settings);
    const quorva::StartupSource source = quorva::ChooseStartupSource(line.source, env);
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
    if (HasArgument(argc, argv, "--version")) {
        std::printf("quorva %s\n", QUORVA_VERSION);
        return 0;
    }
    if (HasArgument(argc, argv, "--print-start-source")) {
        // No window: no display is needed.
        QCoreApplication core(argc, argv);
        const CommandLine line = Parse(QCoreApplication::arguments());
        if (!line.error.empty()) {
            std::fprintf(stderr, "quorva: %s (try --help)\n", line.error.c_str());
            return 2;
        }
        return PrintStartSource(line);
    }
    quorva::PrepareMapEngine();
    QApplication app(argc, argv);
    const CommandLine line = Parse(QCoreApplication::arguments());
    if (!line.error.empty()) {
        std::fprintf(stderr, "quorva: %s (try --help)\n", line.error.c_str());
        return 2;
    }
    const std::optional<std::string> settings = SettingsDirectoryOfThisStart(line);
    if (!settings) return 2;
    QApplication::setApplicationName(QStringLiteral("Quorva"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorva Viewer"));
    QApplication::setDesktopFileName(QStringLiteral("org.quorva.Quorva"));
    QApplication::setWindowIcon(quorva::ApplicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);

    quorva::MainWindowOptions options;
    options.commandLineSource = line.source;
    options.settingsDirectory = *settings;
    quorva::CquorvaDlg window(std::move(options));
    QObject::connect(&window, &quorva::CquorvaDlg::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.Initialize();
    window.show();
    return app.exec();
}
