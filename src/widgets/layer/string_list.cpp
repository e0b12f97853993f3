#include "widgets/layer/string_list.h"

#include <QFile>
#include <QSaveFile>

namespace qo {

void StringList::setText(std::string_view text) {
    lines_.clear();
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

std::string StringList::text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void StringList::remove(std::size_t index) {
    if (index < lines_.size()) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool StringList::loadFromFile(const std::string& pathUtf8, std::string* error) {
    QFile f(QString::fromStdString(pathUtf8));
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    setText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}

bool StringList::saveToFile(const std::string& pathUtf8, std::string* error) const {
    // Written aside and renamed over the old file at the end: a failure never leaves half a file.
    QSaveFile f(QString::fromStdString(pathUtf8));
    const std::string all = text();
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(all.data(), static_cast<qint64>(all.size())) != qint64(all.size())) {
        if (error) *error = f.errorString().toStdString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace qo
