#include "widgets/layer/string_list.h"

#include <QFile>
#include <QFileInfo>
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

bool StringList::loadFromFile(const std::string& pathUtf8, std::string* error, std::int64_t maxBytes) {
    QFile f(QString::fromStdString(pathUtf8));
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    // One byte past the limit is enough to know; a device without a size is read no further.
    const QByteArray bytes = maxBytes > 0 ? f.read(maxBytes + 1) : f.readAll();
    if (maxBytes > 0 && bytes.size() > maxBytes) {
        if (error) *error = "File too large";
        return false;
    }
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    setText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return true;
}

bool StringList::saveToFile(const std::string& pathUtf8, std::string* error) const {
    const std::string all = text();
    const QString path = QString::fromStdString(pathUtf8);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        // A device or a pipe is written straight: a file renamed over it would put a plain file
        // where the device stood, and a refusal (a full disk) would pass unseen.
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(all.data(), static_cast<qint64>(all.size())) != qint64(all.size()) || !f.flush()) {
            if (error) *error = f.errorString().toStdString();
            return false;
        }
        return true;
    }
    // Written aside and renamed over the old file at the end: a failure never leaves half a file.
    QSaveFile f(path);
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
