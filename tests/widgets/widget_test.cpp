#include "widget_test.h"

#include <QFile>

namespace qotest {

std::string ProgramFolder::read(const std::string& nameUtf8) const {
    QFile f(QString::fromStdString(path(nameUtf8)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

} // namespace qotest
