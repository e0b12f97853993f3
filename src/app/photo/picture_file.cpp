// Decoding a picture file. The size is read from the header first, so a picture too large to hold
// is refused before its pixels take the memory; a large JPEG is decoded at a half or a quarter
// of its size by the decoder itself, which is several times faster than decoding it whole.
#include "app/photo/photo_parts.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace lotto::photo {
namespace {

// Cards need about 50 pixels a cell; a picture with a longer side than this holds no more.
constexpr int kLongestSide = 2600;

int Be16(std::span<const unsigned char> f, std::size_t at) {
    return f[at] << 8 | f[at + 1];
}

cv::Size JpegSize(std::span<const unsigned char> f) {
    std::size_t at = 2;
    while (at + 4 <= f.size()) {
        if (f[at] != 0xFF) return {};
        const int marker = f[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2;
            continue;
        }
        const int length = Be16(f, at + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > f.size()) return {};
            return {Be16(f, at + 7), Be16(f, at + 5)};
        }
        if (length < 2) return {};
        at += 2 + static_cast<std::size_t>(length);
    }
    return {};
}

long long Be32(std::span<const unsigned char> f, std::size_t at) {
    return static_cast<long long>(f[at]) << 24 | f[at + 1] << 16 | f[at + 2] << 8 | f[at + 3];
}

} // namespace

cv::Size SniffSize(std::span<const unsigned char> file) {
    if (file.size() >= 4 && file[0] == 0xFF && file[1] == 0xD8) return JpegSize(file);
    static constexpr unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() >= 24 && std::equal(std::begin(kPng), std::end(kPng), file.begin())) {
        const long long w = Be32(file, 16), h = Be32(file, 20);
        // Wider than an int: certainly too large; any side past a million pixels counts so.
        return {static_cast<int>(std::min(w, 1'000'000LL)), static_cast<int>(std::min(h, 1'000'000LL))};
    }
    return {};
}

cv::Mat DecodeGrey(std::span<const unsigned char> file, PhotoStatus& status, double& toFile) {
    status = PhotoStatus::NotAPicture;
    toFile = 1;
    if (file.empty()) return {};
    const cv::Size size = SniffSize(file);
    const long long pixels = static_cast<long long>(size.width) * size.height;
    if (pixels > kMaxPixels) {
        status = PhotoStatus::TooLarge;
        return {};
    }
    int flags = cv::IMREAD_GRAYSCALE;
    const int longSide = std::max(size.width, size.height);
    if (file[0] == 0xFF && longSide > 2 * kLongestSide)
        flags = cv::IMREAD_REDUCED_GRAYSCALE_4;
    else if (file[0] == 0xFF && longSide > kLongestSide)
        flags = cv::IMREAD_REDUCED_GRAYSCALE_2;
    cv::Mat grey;
    try {
        // The decoder only reads the bytes; the header has to be writable in type only.
        const cv::Mat bytes(1, static_cast<int>(file.size()), CV_8U, const_cast<unsigned char*>(file.data()));
        grey = cv::imdecode(bytes, flags);
    } catch (const cv::Exception&) {
        return {};
    }
    if (grey.empty()) return {};
    if (static_cast<long long>(grey.cols) * grey.rows > kMaxPixels) {
        status = PhotoStatus::TooLarge;
        return {};
    }
    if (size.width > 0) toFile = static_cast<double>(size.width) / grey.cols;
    const int side = std::max(grey.cols, grey.rows);
    if (side > kLongestSide) {
        const double f = static_cast<double>(kLongestSide) / side;
        cv::resize(grey, grey, cv::Size(), f, f, cv::INTER_AREA);
        toFile /= f;
    }
    status = PhotoStatus::Read;
    return grey;
}

} // namespace lotto::photo
