#pragma once
// A settings file with private-profile behaviour: "[section]" lines and "key=value" lines, names
// matched without regard to case (Latin and Cyrillic), values trimmed. Every write rereads the file
// and keeps every other line as it was. Texts are Windows-1251 bytes, lines end in CR LF.
// Failures are not reported: reads give the default, writes answer false.
#include <cstdint>
#include <string>
#include <string_view>

namespace qo {

class IniFile {
public:
    // `pathUtf8`: the file's name on disk, in the platform's encoding (UTF-8).
    explicit IniFile(std::string pathUtf8) : path_(std::move(pathUtf8)) {}

    const std::string& path() const { return path_; }

    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    bool writeInteger(std::string_view section, std::string_view key, std::int32_t value) const;
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    bool writeBool(std::string_view section, std::string_view key, bool value) const;
    // At most 2047 bytes come back, as through a 2048-byte buffer.
    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    bool writeString(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::string path_;
};

// Windows-1251 lower case of a byte (Latin and Cyrillic letters).
unsigned char Cp1251Lower(unsigned char c);
bool Cp1251EqualNoCase(std::string_view a, std::string_view b);

} // namespace qo
