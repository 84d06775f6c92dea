#include "window_fixture.h"

#include <QCoreApplication>

#include <filesystem>
#include <fstream>

#include "appcore/settings_store.h"

namespace quorva::test {

void WindowTest::SetUp() {
    ASSERT_TRUE(temp_.isValid());
    FakePlayer::Get().Reset();
    SetSettingsDirectory(Dir());
}

void WindowTest::TearDown() {
    QCoreApplication::sendPostedEvents();
}

std::unique_ptr<CquorvaDlg> WindowTest::MakeWindow(MainWindowOptions options) {
    options.playerOps = &FakePlayerOps();
    // These tests attach a road of their own when they need one.
    options.playbackRoad = ownRoad_;
    options.settingsDirectory = Dir();
    if (!options.workArea.isValid()) options.workArea = QRect(0, 0, 1920, 1056);
    if (!options.startup) {
        StartupEnvironment env = DefaultStartupEnvironment();
        env.removableVolumes = [] { return std::vector<std::string>(); };
        env.workingDirectory = Dir();
        options.startup = env;
    }
    if (!options.drives) {
        DriveProbe probe;
        probe.volumeRootOf = [](const std::string&) { return std::string("/"); };
        probe.isVolumeRoot = [](const std::string&) { return true; };
        probe.exists = [](const std::string&) { return true; };
        options.drives = probe;
    }
    options.showMessage = [this](QWidget*, const std::string& text, const std::string& caption) {
        shown_.emplace_back(text, caption);
        return 1;
    };
    return std::make_unique<CquorvaDlg>(std::move(options));
}

std::unique_ptr<CquorvaDlg> WindowTest::StartWindow(MainWindowOptions options) {
    auto window = MakeWindow(std::move(options));
    window->Initialize();
    window->show();
    Deliver(window.get());
    return window;
}

void WindowTest::Deliver(QObject* receiver) {
    QCoreApplication::sendPostedEvents(receiver);
    QCoreApplication::processEvents();
}

std::string WindowTest::MakeFolder(const std::string& relative) {
    const std::string path = Dir() + "/" + relative;
    std::filesystem::create_directories(path);
    return path;
}

void WindowTest::MakeFile(const std::string& relative, const std::string& content) {
    std::ofstream(Dir() + "/" + relative) << content;
}

void WriteMovie(const std::string& path) {
    namespace fs = std::filesystem;
    fs::create_directories(fs::path(path).parent_path());
    std::string bytes(300, '\0');
    const char head[] =
        "\0\0\0\x18"
        "ftypqt  ";
    std::copy(head, head + 12, bytes.begin());
    std::ofstream(path, std::ios::binary).write(bytes.data(), 300);
}

}  // namespace quorva::test
