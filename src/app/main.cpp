// The executable: the toolkit's application object around the program's entry.
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "widgets/layer/toolkit_session.h"

int main(int argc, char** argv) {
    // Answered before the toolkit starts, so it needs no display (a terminal over ssh, a package's
    // checks).
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("fishkodrom %s\n", lotto::ProgramVersion());
        return 0;
    }
    // The program reads its arguments as the user typed them: the toolkit takes its own options
    // ("-reverse", "-style x") out of argv.
    const std::vector<const char*> typed(argv, argv + argc);
    QApplication application(argc, argv);
    const qo::ToolkitSession session;
    // What the toolkit left, through the toolkit: a path arrives as UTF-8 on every platform,
    // Windows' wide command line included.
    std::vector<std::string> arguments;
    const QStringList left = QCoreApplication::arguments();
    for (qsizetype i = 1; i < left.size(); ++i)
        arguments.push_back(left[i].toStdString());
    const int code = lotto::RunProgram(static_cast<int>(typed.size()), typed.data(), arguments);
    // The windows are gone and the settings and the game written: nothing the player would miss
    // is left, so a sound server or speech service that hangs can keep the process a moment only.
    qo::EndProcessWithin(1000, code);
    return code;
}
