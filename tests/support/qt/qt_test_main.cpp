// main() of the window tests: the program's own application object (its
// guard around every event included), offscreen, in the tests' own fonts,
// around GoogleTest.
#include "platform/qt/guarded_application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("FONTCONFIG_FILE", LW_SOURCE_DIR "/tests/support/fonts.conf", 0);
    GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
