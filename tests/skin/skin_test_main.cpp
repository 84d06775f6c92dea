// Test main of the skin suite: one QApplication for every test, drawing offscreen, with the
// desktop's trash and runtime folders in a temporary home.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir home;
    const QByteArray data = (home.path() + "/data").toUtf8();
    const QByteArray runtime = (home.path() + "/runtime").toUtf8();
    setenv("XDG_DATA_HOME", data.constData(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    QDir().mkpath(home.path() + "/runtime");
    QDir().mkpath(home.path() + "/data");
    QFile::setPermissions(home.path() + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
