// Test main of the engine suites: a GUI application on the off-screen platform (fonts for
// the overlay, image writers, the audio device query).
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "cardwriter/card_writer.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    quorva::cardwriter::QuietCodecLogs();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
