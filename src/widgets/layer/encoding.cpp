#include "widgets/layer/encoding.h"

#include "runtime/cp1251.h"
#include <array>

namespace qo {
namespace {

// Built once from the runtime's code page table, so the two directions can never disagree.
struct Tables {
    std::array<char16_t, 256> toChar{};
    std::array<std::int16_t, 65536> toByte{};
    Tables() {
        toByte.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const QString s = QString::fromStdString(Cp1251ToUtf8(std::string_view(&byte, 1)));
            const char16_t ch = s.isEmpty() ? u'\0' : s.at(0).unicode();
            toChar[b] = ch;
            if (ch != 0xFFFD) toByte[ch] = static_cast<std::int16_t>(b);
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

QString ToQString(std::string_view cp1251) {
    const auto& t = tables();
    QString out(static_cast<qsizetype>(cp1251.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (unsigned char c : cp1251)
        *p++ = QChar(t.toChar[c]);
    return out;
}

std::string FromQString(const QString& text) {
    const auto& t = tables();
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const int b = t.toByte[ch.unicode()];
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
        // A character beyond the first 65536 is one character, however the toolkit stores it.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    }
    return out;
}

int Cp1251FromChar(char16_t ch) {
    return tables().toByte[ch];
}
char16_t CharFromCp1251(unsigned char byte) {
    return tables().toChar[byte];
}

} // namespace qo
