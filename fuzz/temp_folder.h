#pragma once
// A private folder for the fuzz targets that read files: made once per process, removed at exit,
// so runs never touch a real program folder or each other's files.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace qofuzz {

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("qo-fuzz-" + name + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& nameUtf8) const { return path_ + "/" + nameUtf8; }

private:
    std::string path_;
};

} // namespace qofuzz
