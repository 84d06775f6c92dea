// Test main of the map suites that run the page in the real web engine, offscreen: the
// viewer's scheme is registered before the application object, as the viewer does.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#include "map/map_scheme.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 0);
    quorva::RegisterMapScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
