// The floor of start-up: the cheapest window that draws text, started as the program is (one
// QApplication, a window of the main window's size with one caption, shown, the event loop).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setGeometry(20, 105, 547, 300);
    auto* label = new QLabel(QStringLiteral("Заполнение"), &window);
    label->move(290, 10);
    window.show();
    return QApplication::exec();
}
