#include "widgets/layer/ini_file.h"

#include "runtime/data.h"
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <optional>
#include <vector>

namespace qo {
namespace {

constexpr std::size_t kStringBuffer = 2048;

std::string_view Trim(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// The file's bytes; false when it cannot be opened.
bool ReadBytes(const std::string& path, QByteArray& bytes) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    bytes = f.readAll();
    return true;
}

// Calls `f` with each line (LF or CR LF ends one) until it answers false.
template <class F> void ForEachLine(std::string_view all, F&& f) {
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!f(line)) return;
        start = end + 1;
    }
}

std::vector<std::string> ReadLines(const std::string& path, bool& exists) {
    std::vector<std::string> lines;
    QByteArray bytes;
    exists = ReadBytes(path, bytes);
    ForEachLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                [&](std::string_view line) {
                    lines.emplace_back(line);
                    return true;
                });
    return lines;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// A key line of the current section: the key and the value, both trimmed.
bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';') return false;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

// Reading walks the bytes in place: a settings file grown huge (garbage, or someone else's file)
// costs one pass per read, not a string per line.
// No settings file the program writes comes near this; a larger one is damaged, and reading it
// line by line for each of the keys the windows ask at start would hold the start up for seconds.
constexpr qsizetype kLargestReadFile = qsizetype{1} << 20;

std::optional<std::string> Lookup(const std::string& path, std::string_view section, std::string_view key) {
    QByteArray bytes;
    if (!ReadBytes(path, bytes) || bytes.size() > kLargestReadFile) return std::nullopt;
    bool inSection = false;
    std::optional<std::string> found;
    ForEachLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                [&](std::string_view line) {
                    if (auto name = SectionName(line)) {
                        inSection = Cp1251EqualNoCase(*name, Trim(section));
                        return true;
                    }
                    std::string_view k, v;
                    if (inSection && KeyLine(line, k, v) && Cp1251EqualNoCase(k, Trim(key))) {
                        // Matching quotes around a value are not part of it.
                        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') &&
                            v.back() == v.front()) {
                            v = v.substr(1, v.size() - 2);
                        }
                        found = std::string(v);
                        return false;
                    }
                    return true;
                });
    return found;
}

bool Store(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    bool exists = false;
    std::vector<std::string> lines = ReadLines(path, exists);
    const std::string_view sec = Trim(section);
    const std::string_view k = Trim(key);
    const std::string entry = std::string(k) + "=" + std::string(value);
    std::optional<std::size_t> sectionLine, lastKeyLine;
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (auto name = SectionName(lines[i])) {
            if (sectionLine) break; // past the end of our section
            if (Cp1251EqualNoCase(*name, sec)) {
                sectionLine = i;
                lastKeyLine = i;
            }
            continue;
        }
        if (!sectionLine) continue;
        std::string_view lk, lv;
        if (KeyLine(lines[i], lk, lv)) {
            if (Cp1251EqualNoCase(lk, k)) {
                lines[i] = entry;
                done = true;
            }
            lastKeyLine = i;
        } else if (!Trim(lines[i]).empty()) {
            lastKeyLine = i;
        }
    }
    if (!done) {
        if (sectionLine) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*lastKeyLine + 1), entry);
        } else {
            lines.push_back("[" + std::string(sec) + "]");
            lines.push_back(entry);
        }
    }
    QByteArray out;
    for (const std::string& line : lines) {
        out.append(line.data(), static_cast<qsizetype>(line.size()));
        out.append("\r\n");
    }
    QSaveFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(out) != out.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

std::int32_t ParseInteger(std::string_view s) {
    // Sign and leading digits, as the profile reader takes them.
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::uint32_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        v = v * 10u + static_cast<std::uint32_t>(c - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - v : v);
}

} // namespace

unsigned char Cp1251Lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDF) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x80:
        return 0x90; // Ђ
    case 0x81:
        return 0x83; // Ѓ
    case 0x8A:
        return 0x9A; // Љ
    case 0x8C:
        return 0x9C; // Њ
    case 0x8D:
        return 0x9D; // Ќ
    case 0x8E:
        return 0x9E; // Ћ
    case 0x8F:
        return 0x9F; // Џ
    case 0xA1:
        return 0xA2; // Ў
    case 0xA3:
        return 0xBC; // Ј
    case 0xA5:
        return 0xB4; // Ґ
    case 0xA8:
        return 0xB8; // Ё
    case 0xAA:
        return 0xBA; // Є
    case 0xAF:
        return 0xBF; // Ї
    case 0xB2:
        return 0xB3; // І
    case 0xBD:
        return 0xBE; // Ѕ
    default:
        return c;
    }
}

bool Cp1251EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Cp1251Lower(static_cast<unsigned char>(a[i])) != Cp1251Lower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key, std::int32_t def) const {
    // An empty value, as a missing one, gives the default: "Left=" must not move a window to 0.
    const auto v = Lookup(path_, section, key);
    return v && !Trim(*v).empty() ? ParseInteger(*v) : def;
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) const {
    return Store(path_, section, key, IntegerToText(value));
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) const {
    return Store(path_, section, key, value ? "1" : "0");
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const {
    std::string v = Lookup(path_, section, key).value_or(std::string(def));
    if (v.size() > kStringBuffer - 1) v.resize(kStringBuffer - 1);
    return v;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) const {
    return Store(path_, section, key, value);
}

} // namespace qo
