#pragma once
// Reads lotto tickets from a picture: finds every 3 x 9 card in it, straightens each, reads its
// numbers and checks them by the game's rules, outlining what it doubts. Plain C++ over OpenCV;
// showing the result to the player and adding tickets to the list are left to the window code.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace lotto::photo {

struct Corner {
    float x = 0;
    float y = 0;
};

struct ReadCell {
    int number = 0;        // 0: the cell is empty
    bool doubtful = false; // the reading or the rules doubt it: the player should look
};

// A card as found: its corners in the picture (top-left, top-right, bottom-right, bottom-left, as the
// card reads) and its 27 cells row by row.
struct ReadCard {
    std::array<Corner, 4> corners{};
    std::array<ReadCell, 27> cells{};
};

// Two cards that lie together make a ticket; an odd card is a ticket whose second card is empty.
struct ReadTicket {
    std::array<ReadCard, 2> cards{};
    bool secondCardFound = false;
};

enum class PhotoStatus {
    Read,        // one or more cards were found
    NoCards,     // a picture, but no card in it
    NotAPicture, // empty, truncated beyond use, or of a kind not read
    TooLarge,    // more pixels than kMaxPixels: refused before decoding
    NoReader,    // the program's reading library is not installed (photo_module.h)
};

struct PhotoResult {
    PhotoStatus status = PhotoStatus::NotAPicture;
    std::vector<ReadTicket> tickets;
};

// A phone's 48-megapixel mode is the largest picture a player is expected to give; a 100-megapixel
// file would take more memory than reading it is worth.
constexpr long long kMaxPixels = 50'000'000;

// The picture is an encoded file (JPEG, PNG, TIFF, BMP...).
PhotoResult ReadPhoto(std::span<const unsigned char> file);

// The text the player is told for a status, UTF-8.
std::string Describe(PhotoStatus status);

} // namespace lotto::photo
