#pragma once
// Pictures of tickets as players take them, made from a seed: the program's own printed page and two
// other common card layouts, rendered with the system's fonts, then photographed in simulation
// (tilt, rotation, blur, uneven light, noise, JPEG). Each picture comes with what it shows, so a
// reading can be scored cell by cell.
#include <opencv2/core.hpp>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace photo_test {

enum class Layout { PrintedPage, ColouredCard, Gridless };
constexpr int kLayouts = 3;
const char* Name(Layout layout);

// What was done to the picture most: each shot is strong in one kind and mild in the others.
enum class Distortion { Flat, Tilted, Blurred, Shadowed, Noisy };
constexpr int kDistortions = 5;
const char* Name(Distortion distortion);

// 54 numbers, card 1 rows 1-3 then card 2; 0 for an empty cell.
using TicketNumbers = std::array<int, 54>;
// Five numbers a row in their decade columns, none twice; `rising` sorts each card's columns.
TicketNumbers RandomTicket(std::mt19937& random, bool rising);

struct ShownCard {
    std::array<int, 27> numbers{};
    std::array<cv::Point2f, 4>
        corners{}; // in the file's pixels: top-left, top-right, bottom-right, bottom-left
    int ticket = 0;
    int card = 0;
};

struct ShotPlan {
    Layout layout = Layout::PrintedPage;
    Distortion distortion = Distortion::Flat;
    bool twelveMegapixels = false; // else 2 megapixels
    int tickets = 2;
    // Faces to draw the numbers in instead of the layout's own (the digit trainer's faces).
    std::vector<std::string> faces;
};

struct Shot {
    std::vector<unsigned char> jpeg;
    cv::Size size;
    std::vector<ShownCard> cards;
    double tilt = 0, rotation = 0, blur = 0, noise = 0;
    int quality = 0;
};

Shot MakeShot(std::uint32_t seed, const ShotPlan& plan);

// The font files the layouts draw with (fonts-liberation2, fonts-dejavu-core); empty when all are there.
std::string MissingFonts();

} // namespace photo_test
