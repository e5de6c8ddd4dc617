// main() of the window tests: the program's own application object (its
// guard around every event included) and its rule that Alt types nothing into
// a text box, offscreen, in the tests' own fonts, around GoogleTest.
#include "platform/qt/guarded_application.h"
#include "toolkit/qt/alt_keys.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // What the window tests draw and measure is set here, whatever the
    // machine's environment says: offscreen (on the X display when run there
    // on purpose, by tests/support/on_x_display.sh), the fonts of the tests' own
    // configuration, one pixel per pixel, Qt's own style and theme, typed keys
    // without pauses, a fixed C locale (the application takes the C library's
    // locale from the environment), and no PDF file named for the printouts.
    setenv("QT_QPA_PLATFORM", std::getenv("LW_TEST_ON_X") ? "xcb" : "offscreen", 1);
    setenv("FONTCONFIG_FILE", LW_SOURCE_DIR "/tests/support/fonts.conf", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    for (const char* name :
         {"FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "FC_LANG", "QT_FONT_DPI", "QT_SCALE_FACTOR",
          "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING",
          "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_USE_PHYSICAL_DPI", "QT_QPA_PLATFORMTHEME",
          "QT_STYLE_OVERRIDE", "QT_QPA_FONTDIR", "QTEST_KEYEVENT_DELAY", "QTEST_MOUSEEVENT_DELAY",
          "LANGUAGE", "LW_PDF_OUTPUT"})
        unsetenv(name);
    GuardedApplication app(argc, argv);
    keepAltKeysFromTextBoxes(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
