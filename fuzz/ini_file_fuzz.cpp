// The settings file. The input gives a section name, two key names and then the file's bytes. The
// file is read, one key is written and read back, and the other key must read as before: a write
// keeps every other line. Names that could not stand in a settings file (blank, or holding a line
// break, "=", "[", "]" or a leading ";") are only read, never checked for the round trip.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "temp_folder.h"
#include "widgets/layer/ini_file.h"

namespace {

const qofuzz::TempFolder& Folder() {
    static const qofuzz::TempFolder folder("ini_file");
    return folder;
}

// As the file compares names: without surrounding blanks, tabs and line breaks (a name asked for
// as "Key\n" is the key "Key").
std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool UsableName(std::string_view name) {
    const std::string_view t = Trimmed(name);
    return !t.empty() && t.front() != ';' &&
           t.find_first_of(std::string_view("\r\n=[]", 5)) == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(32);
    const std::string key = in.ConsumeRandomLengthString(32);
    const std::string other = in.ConsumeRandomLengthString(32);
    const std::string content = in.ConsumeRemainingBytesAsString();

    // The program's own name for the file, as it lies beside the program.
    const std::string path = Folder().file("Параметры.ini");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    const qo::IniFile ini(path);
    (void)ini.readInteger(section, key, 7);
    (void)ini.readBool(section, key, true);
    FUZZ_CHECK(ini.readString(section, key, "").size() <= 2047);
    const std::int32_t otherBefore = ini.readInteger(section, other, -1);
    const std::string otherTextBefore = ini.readString(section, other, "none");

    const std::int32_t value = static_cast<std::int32_t>(content.size() * 2654435761u);
    FUZZ_CHECK(ini.writeInteger(section, key, value));
    if (!UsableName(section) || !UsableName(key)) return 0;

    FUZZ_CHECK(ini.readInteger(section, key, 7) == value);
    if (!qo::Cp1251EqualNoCase(Trimmed(key), Trimmed(other))) {
        FUZZ_CHECK(ini.readInteger(section, other, -1) == otherBefore);
        FUZZ_CHECK(ini.readString(section, other, "none") == otherTextBefore);
    }
    // A second write of the same key wins over the first.
    FUZZ_CHECK(ini.writeString(section, key, "1"));
    FUZZ_CHECK(ini.readBool(section, key, false));
    return 0;
}
