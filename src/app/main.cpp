// The executable: the toolkit's application object around the program's entry.
#include <QApplication>
#include <vector>

#include "app/program.h"
#include "widgets/layer/toolkit_session.h"

int main(int argc, char** argv) {
    // The program reads its arguments as the user typed them: the toolkit takes its own options
    // ("-reverse", "-style x") out of argv.
    const std::vector<const char*> typed(argv, argv + argc);
    QApplication application(argc, argv);
    const qo::ToolkitSession session;
    return lotto::RunProgram(static_cast<int>(typed.size()), typed.data());
}
