// Makes the program's own sounds and icon at build time, so nothing is downloaded or borrowed:
//   make_assets SOUND_DIR ICON_PNG ICON_HEADER
// writes SOUND_DIR/Звук1.wav, Звук2.wav, Звук3.wav (row, card, whole ticket: rising in importance)
// and Звук4.wav (a ticket one number away: a quiet hint, below them all),
// the icon "ICON0" (a lotto keg with 90 on it) as a PNG, and a header holding the PNG's bytes.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

struct Note {
    double start, length, frequency, loudness;
};

// A soft bell: a few harmonics under a fast attack and an exponential decay.
std::vector<std::int16_t> Render(const std::vector<Note>& notes, double total) {
    std::vector<double> mix(static_cast<size_t>(total * kRate), 0.0);
    for (const Note& n : notes) {
        const size_t first = static_cast<size_t>(n.start * kRate);
        const size_t count = static_cast<size_t>(n.length * kRate);
        for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.006);
            const double release = std::min(1.0, (n.length - t) / 0.03);
            const double envelope = attack * std::max(0.0, release) * std::exp(-t * 5.0 / n.length);
            const double w = 2 * kPi * n.frequency * t;
            const double tone =
                std::sin(w) + 0.35 * std::sin(2 * w) + 0.12 * std::sin(3 * w) + 0.05 * std::sin(4.01 * w);
            mix[first + i] += n.loudness * envelope * tone;
        }
    }
    double peak = 1e-9;
    for (double v : mix)
        peak = std::max(peak, std::fabs(v));
    std::vector<std::int16_t> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::lround(mix[i] / peak * 0.7 * 32767));
    return out;
}

void Put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

bool WriteWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    std::string s = "RIFF";
    Put32(s, static_cast<std::uint32_t>(36 + samples.size() * 2));
    s += "WAVEfmt ";
    Put32(s, 16);
    Put16(s, 1); // PCM
    Put16(s, 1); // mono
    Put32(s, kRate);
    Put32(s, kRate * 2);
    Put16(s, 2);
    Put16(s, 16);
    s += "data";
    Put32(s, static_cast<std::uint32_t>(samples.size() * 2));
    for (std::int16_t v : samples)
        Put16(s, static_cast<std::uint16_t>(v));
    std::ofstream f(path, std::ios::binary);
    f << s;
    return bool(f);
}

// ---- PNG with stored (uncompressed) deflate blocks: enough for a small icon, no library needed.
std::uint32_t Crc(const std::string& data) {
    static std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : data)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutBE32(std::string& s, std::uint32_t v) {
    for (int i = 3; i >= 0; --i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    PutBE32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type) + data;
    png += body;
    PutBE32(png, Crc(body));
}

std::string EncodePng(int w, int h, const std::vector<std::uint32_t>& rgba) {
    std::string raw;
    for (int y = 0; y < h; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = rgba[static_cast<size_t>(y * w + x)];
            raw += static_cast<char>(p >> 24);
            raw += static_cast<char>(p >> 16);
            raw += static_cast<char>(p >> 8);
            raw += static_cast<char>(p);
        }
    }
    std::string z = "\x78\x01";
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t off = 0; off < raw.size() || off == 0; off += 65535) {
        const size_t len = std::min<size_t>(65535, raw.size() - off);
        z += static_cast<char>(off + len >= raw.size() ? 1 : 0);
        z += static_cast<char>(len & 0xFF);
        z += static_cast<char>(len >> 8);
        z += static_cast<char>(~len & 0xFF);
        z += static_cast<char>((~len >> 8) & 0xFF);
        z += raw.substr(off, len);
        if (off + len >= raw.size()) break;
    }
    PutBE32(z, (b << 16) | a);
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    PutBE32(ihdr, static_cast<std::uint32_t>(w));
    PutBE32(ihdr, static_cast<std::uint32_t>(h));
    ihdr += "\x08\x06"; // 8 bits, RGBA
    ihdr += std::string("\0\0\0", 3);
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    return png;
}

// 5 × 7 digits for the number on the keg.
const char* kDigits[10][7] = {
    {"01110", "10001", "10011", "10101", "11001", "10001", "01110"},
    {"00100", "01100", "00100", "00100", "00100", "00100", "01110"},
    {"01110", "10001", "00001", "00010", "00100", "01000", "11111"},
    {"11110", "00001", "00001", "01110", "00001", "00001", "11110"},
    {"00010", "00110", "01010", "10010", "11111", "00010", "00010"},
    {"11111", "10000", "11110", "00001", "00001", "10001", "01110"},
    {"00110", "01000", "10000", "11110", "10001", "10001", "01110"},
    {"11111", "00001", "00010", "00100", "01000", "01000", "01000"},
    {"01110", "10001", "10001", "01110", "10001", "10001", "01110"},
    {"01110", "10001", "10001", "01111", "00001", "00010", "01100"},
};

std::uint32_t Rgba(int r, int g, int b, int a = 255) {
    return (std::uint32_t(r) << 24) | (std::uint32_t(g) << 16) | (std::uint32_t(b) << 8) | std::uint32_t(a);
}

// A wooden lotto keg seen from the side, two dark hoops, a white face with a red 90.
std::vector<std::uint32_t> DrawKeg(int size) {
    std::vector<std::uint32_t> img(static_cast<size_t>(size * size), 0);
    const double cx = size / 2.0, halfH = size * 0.46, halfW = size * 0.36;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dy = (y + 0.5 - cx) / halfH;
            if (std::fabs(dy) > 1) continue;
            const double bulge = halfW * (0.82 + 0.18 * std::sqrt(1 - dy * dy)); // barrel sides
            const double dx = (x + 0.5 - cx) / bulge;
            if (std::fabs(dx) > 1) continue;
            const double shade = 0.55 + 0.45 * std::sqrt(1 - dx * dx); // round body
            int r = int(196 * shade), g = int(140 * shade), b = int(82 * shade);
            const double band = std::fabs(dy);
            if ((band > 0.62 && band < 0.74) || band > 0.93)
                r = int(90 * shade), g = int(62 * shade), b = int(40 * shade);
            img[static_cast<size_t>(y * size + x)] = Rgba(r, g, b);
        }
    }
    // the face
    const double faceR = size * 0.24;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double ex = (x + 0.5 - cx) / (faceR * 1.15), ey = (y + 0.5 - cx) / faceR;
            if (ex * ex + ey * ey <= 1) img[static_cast<size_t>(y * size + x)] = Rgba(250, 246, 236);
        }
    // the number
    const int scale = std::max(1, size / 24);
    const int textW = (5 * 2 + 1) * scale, textH = 7 * scale;
    const int ox = int(cx) - textW / 2, oy = int(cx) - textH / 2;
    const int digits[2] = {9, 0};
    for (int d = 0; d < 2; ++d)
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (kDigits[digits[d]][row][col] == '1')
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx) {
                            const int px = ox + (d * 6 + col) * scale + sx, py = oy + row * scale + sy;
                            if (px >= 0 && py >= 0 && px < size && py < size)
                                img[static_cast<size_t>(py * size + px)] = Rgba(200, 24, 24);
                        }
    return img;
}

void PutLE16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xff);
    s += static_cast<char>((v >> 8) & 0xff);
}

void PutLE32(std::string& s, std::uint32_t v) {
    PutLE16(s, v & 0xffff);
    PutLE16(s, v >> 16);
}

// A Windows icon file: the keg at the sizes the desktop shows, each image PNG-compressed, which
// icon files may hold since Windows Vista.
std::string EncodeIco() {
    const int sizes[] = {16, 32, 48, 256};
    std::vector<std::string> images;
    for (int size : sizes)
        images.push_back(EncodePng(size, size, DrawKeg(size)));
    std::string ico;
    PutLE16(ico, 0);
    PutLE16(ico, 1); // an icon, not a cursor
    PutLE16(ico, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        ico += static_cast<char>(sizes[i] & 0xff); // 256 is written as 0
        ico += static_cast<char>(sizes[i] & 0xff);
        ico += '\0'; // no palette
        ico += '\0';
        PutLE16(ico, 1);  // colour planes
        PutLE16(ico, 32); // bits per pixel
        PutLE32(ico, static_cast<std::uint32_t>(images[i].size()));
        PutLE32(ico, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::string& image : images)
        ico += image;
    return ico;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: make_assets SOUND_DIR ICON_PNG ICON_HEADER [ICON_ICO]\n");
        return 2;
    }
    const std::string dir = argv[1];
    // Row: two quick notes. Card: a rising triad. Whole ticket: a short fanfare ending on a chord.
    const auto row = Render({{0.0, 0.16, 1318.5, 1.0}, {0.08, 0.22, 1760.0, 0.9}}, 0.32);
    const auto card =
        Render({{0.0, 0.18, 1046.5, 1.0}, {0.11, 0.18, 1318.5, 1.0}, {0.22, 0.34, 1568.0, 1.0}}, 0.58);
    const auto ticket = Render({{0.0, 0.16, 784.0, 1.0},
                                {0.12, 0.16, 1046.5, 1.0},
                                {0.24, 0.16, 1318.5, 1.0},
                                {0.36, 0.7, 1568.0, 1.0},
                                {0.36, 0.7, 1046.5, 0.7},
                                {0.36, 0.7, 2093.0, 0.5}},
                               1.1);
    // One away: a single soft low note, a hint rather than news.
    const auto oneAway = Render({{0.0, 0.2, 659.3, 0.6}}, 0.24);
    // NOTE: the names as UTF-8 paths: on Windows a narrow name would be read in the ANSI code page.
    const std::filesystem::path folder(dir);
    bool ok = WriteWav(folder / u8"Звук1.wav", row) && WriteWav(folder / u8"Звук2.wav", card) &&
              WriteWav(folder / u8"Звук3.wav", ticket) && WriteWav(folder / u8"Звук4.wav", oneAway);

    const std::string png = EncodePng(64, 64, DrawKeg(64));
    std::ofstream(argv[2], std::ios::binary) << png;
    std::string header =
        "#pragma once\n// Generated at build time: the program's icon as PNG bytes.\n#include <cstddef>\n"
        "namespace lotto {\ninline constexpr unsigned char kIcon0Png[] = {";
    for (size_t i = 0; i < png.size(); ++i)
        header += (i % 24 ? "" : "\n") + std::to_string(static_cast<unsigned char>(png[i])) + ",";
    header += "\n};\ninline constexpr std::size_t kIcon0PngSize = sizeof(kIcon0Png);\n}\n";
    std::ofstream hf(argv[3], std::ios::binary);
    hf << header;
    ok = ok && bool(hf);
    if (argc == 5) {
        std::ofstream ico(argv[4], std::ios::binary);
        ico << EncodeIco();
        ok = ok && bool(ico);
    }
    return ok ? 0 : 1;
}
