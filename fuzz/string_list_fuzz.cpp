// The string list's text form, the one ticket files are split and joined with. Any bytes split into
// lines holding neither CR nor NUL, one per line end; joining and splitting again gives the same
// lines; a file read gives what the same bytes give as a text; a saved list reads back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "temp_folder.h"
#include "widgets/layer/string_list.h"

namespace {

const qofuzz::TempFolder& Folder() {
    static const qofuzz::TempFolder folder("string_list");
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qo::StringList list;
    list.setText(bytes);

    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') ++lineEnds;
    }
    const bool openLastLine = !text.empty() && text.back() != '\r' && !text.ends_with("\r\n");
    FUZZ_CHECK(list.count() == lineEnds + (openLastLine ? 1 : 0));
    for (const std::string& line : list.lines()) {
        FUZZ_CHECK(line.find('\r') == std::string::npos && line.find('\0') == std::string::npos);
    }

    const std::string joined = list.text();
    qo::StringList again;
    again.setText(joined);
    FUZZ_CHECK(again.lines() == list.lines());

    const std::string path = Folder().file("ticket.tkt");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    qo::StringList read;
    read.add("left from before");
    FUZZ_CHECK(read.loadFromFile(path));
    FUZZ_CHECK(read.lines() == list.lines());

    FUZZ_CHECK(list.saveToFile(path));
    FUZZ_CHECK(read.loadFromFile(path));
    FUZZ_CHECK(read.lines() == list.lines());

    if (list.count() > 0) {
        read.remove(list.count() / 2);
        FUZZ_CHECK(read.count() == list.count() - 1);
    }
    return 0;
}
