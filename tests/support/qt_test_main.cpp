// Entry of every test binary that needs widgets: one QApplication for the whole binary.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "widgets/layer/toolkit_session.h"

int main(int argc, char** argv) {
    // A QApplication without a display aborts, even while CTest only lists the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // As in the program, and in one language whatever the machine's: tests read the toolkit's texts.
    const qo::ToolkitSession session(QLocale::c());
    return RUN_ALL_TESTS();
}
