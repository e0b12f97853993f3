#pragma once
// An ordered list of text lines (Windows-1251) with the text form the ticket files use: lines end at
// CR or CR LF (a lone LF is an ordinary character), the text ends at its first NUL, and the text of
// the list is every line followed by CR LF.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qo {

class StringList {
public:
    void setText(std::string_view text);
    std::string text() const;

    void add(std::string_view line) { lines_.emplace_back(line); }
    void remove(std::size_t index);
    const std::string& get(std::size_t index) const { return lines_.at(index); }
    std::size_t count() const { return lines_.size(); }
    void clear() { lines_.clear(); }
    const std::vector<std::string>& lines() const { return lines_; }

    // Reads the whole file and sets the text; a file that cannot be read, or is larger than
    // `maxBytes` (0: no limit), leaves the list as it was.
    bool loadFromFile(const std::string& pathUtf8, std::string* error = nullptr, std::int64_t maxBytes = 0);
    // Writes the text, creating or replacing the file; a failed save leaves any old file intact.
    bool saveToFile(const std::string& pathUtf8, std::string* error = nullptr) const;

private:
    std::vector<std::string> lines_;
};

} // namespace qo
