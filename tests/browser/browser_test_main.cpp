// Test main of the widget suite: one QApplication for every test, drawing offscreen.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/ui_fonts.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    quorva::SetUiFontDpi(96);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
