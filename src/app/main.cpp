// The executable: the toolkit's application object around the program's entry.
#include <QApplication>

#include "app/program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return lotto::RunProgram(argc, argv);
}
