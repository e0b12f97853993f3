#include "widgets/layer/style_cache.h"

#include "widgets/layer/encoding.h"
#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace qo {
namespace {

QPalette::ColorRole RoleForIndex(int index, bool& found) {
    found = true;
    switch (index) {
    case COLOR_WINDOW:
        return QPalette::Base;
    case COLOR_WINDOWTEXT:
        return QPalette::Text;
    case COLOR_HIGHLIGHT:
        return QPalette::Highlight;
    case COLOR_HIGHLIGHTTEXT:
        return QPalette::HighlightedText;
    case COLOR_BTNFACE:
        return QPalette::Button;
    case COLOR_BTNSHADOW:
        return QPalette::Dark;
    case COLOR_GRAYTEXT:
        return QPalette::PlaceholderText;
    case COLOR_BTNTEXT:
        return QPalette::ButtonText;
    case COLOR_BTNHIGHLIGHT:
        return QPalette::Light;
    default:
        found = false;
        return QPalette::Window;
    }
}

// "MS Sans Serif" is a bitmap face: a height between two of its strikes gets the smaller strike
// (14, what size 8 asks for, gets the 13-pixel one), whose characters are smaller than a scalable
// face would draw in the same cell. Its stand-in is drawn at that character size, or every caption
// laid out for it comes out wider and is clipped. Pairs: the strike's cell, its character size.
constexpr std::pair<int, int> kSansSerifStrikes[] = {{13, 11}, {16, 13}, {20, 16},
                                                     {23, 19}, {29, 24}, {37, 32}};

int BitmapFaceCharacterSize(int cell) {
    int size = kSansSerifStrikes[0].second;
    for (const auto& [strikeCell, strikeSize] : kSansSerifStrikes) {
        if (strikeCell <= cell) size = strikeSize;
    }
    return size;
}

bool IsBitmapSansSerif(const std::string& face) {
    return QString::compare(ToQString(face), QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0;
}

} // namespace

QColor ToQColor(Color c) {
    if (IsSystemColor(c)) {
        bool found = false;
        const QPalette::ColorRole role = RoleForIndex(SystemColorIndex(c), found);
        if (!found) return QColor(Qt::black);
        return QGuiApplication::palette().color(QPalette::Active, role);
    }
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

std::uint32_t ResolveColor(Color c) {
    return ToQColor(c).rgb() & 0xFFFFFFu;
}

namespace {
// Keyed by the resolved colours, so a system colour and its value share a palette.
std::unordered_map<std::uint64_t, QPalette>& Palettes() {
    static std::unordered_map<std::uint64_t, QPalette> cache;
    return cache;
}
using FontKey = std::tuple<std::string, int, int>;
std::map<FontKey, QFont>& Fonts() {
    static std::map<FontKey, QFont> cache;
    return cache;
}
} // namespace

void ClearStyleCaches() {
    Palettes().clear();
    Fonts().clear();
}

const QPalette& PaletteFor(Color background, Color text) {
    auto& cache = Palettes();
    const QColor bg = ToQColor(background);
    const QColor fg = ToQColor(text);
    const std::uint64_t key = (std::uint64_t(bg.rgb() & 0xFFFFFFu) << 32) | (fg.rgb() & 0xFFFFFFu);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QPalette p = QApplication::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, bg);
        p.setColor(group, QPalette::Base, bg);
        p.setColor(group, QPalette::Button, bg);
        p.setColor(group, QPalette::WindowText, fg);
        p.setColor(group, QPalette::Text, fg);
        p.setColor(group, QPalette::ButtonText, fg);
    }
    p.setColor(QPalette::Disabled, QPalette::Window, bg);
    p.setColor(QPalette::Disabled, QPalette::Button, bg);
    return cache.emplace(key, p).first->second;
}

const QFont& FontFor(const FontDesc& desc) {
    static bool substitutes = [] {
        // The program's faces come from another desktop; give them their metric twins.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)substitutes;
    auto& cache = Fonts();
    const FontKey key{desc.face, desc.height, desc.style & 0x0F};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;

    QFont f = QApplication::font();
    if (!desc.face.empty()) f.setFamily(ToQString(desc.face));
    f.setWeight((desc.style & font_style::Bold) ? QFont::Bold : QFont::Normal);
    f.setItalic(desc.style & font_style::Italic);
    f.setUnderline(desc.style & font_style::Underline);
    f.setStrikeOut(desc.style & font_style::StrikeOut);
    if (desc.height < 0) {
        f.setPixelSize(-desc.height);
    } else if (desc.height > 0 && IsBitmapSansSerif(desc.face)) {
        f.setPixelSize(BitmapFaceCharacterSize(desc.height));
    } else if (desc.height > 0) {
        // A positive height is the whole character cell; the toolkit sizes by the em.
        QFont probe = f;
        probe.setPixelSize(100);
        const qreal cell = QFontMetricsF(probe).height();
        const int px = cell > 0 ? static_cast<int>(std::lround(desc.height * 100.0 / cell)) : desc.height;
        f.setPixelSize(std::max(1, px));
    }
    return cache.emplace(key, f).first->second;
}

} // namespace qo
