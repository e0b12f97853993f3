// Entry of the real-display tests: one QApplication on the X display in $DISPLAY. Without one the
// toolkit starts offscreen so that every test can say it is skipped; listing the tests needs no
// display at all.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "widgets/layer/toolkit_session.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    const char* display = std::getenv("DISPLAY");
    setenv("QT_QPA_PLATFORM", display && *display ? "xcb" : "offscreen", 1);
    QApplication app(argc, argv);
    const qo::ToolkitSession session(QLocale::c());
    return RUN_ALL_TESTS();
}
