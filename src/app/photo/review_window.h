#pragma once
// Tickets read from pictures and looked over by the player before anything is added: the pictures
// are read off the event loop behind a progress bar with a cancel button, then one window shows
// each picture with its cards framed beside the cards as read, the doubtful cells outlined and
// first in the Tab order, every cell open to typing. Adding the tickets to the list is the caller's.
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qo {
class Control;
}

namespace lotto::photo {

// A picture to read: a file's path (UTF-8), or the bytes of a pasted one with a name to show.
struct Picture {
    std::string path;
    std::string name;
    std::vector<unsigned char> bytes;
};

// 54 numbers: card 1 rows 1-3, then card 2; 0 for an empty cell.
using TicketCells = std::array<int, 54>;

// Reads the pictures and shows what was read; answers the tickets the player added with
// "Добавить", none after "Отмена", a cancel while reading, or when no card was found (the
// player is told why). `owner`: the window the boxes and the review window stand over.
std::vector<TicketCells> ReviewPictures(qo::Control* owner, std::vector<Picture> pictures);

// Ctrl+V in `window` or any of its controls with a picture on the clipboard and no text: `pasted`
// gets the picture as a PNG file's bytes, after the key's handling is over. Pasted text is left
// to the controls, as before.
void WatchPicturePaste(qo::Control* window, std::function<void(std::vector<unsigned char>)> pasted);

// The rules a reviewed ticket must keep to be added: five numbers a row of each card that holds
// any, each in its column's ten, none twice. Answers the first cell (0-53) that breaks them and
// why (UTF-8), or -1.
int FirstBrokenCell(const TicketCells& ticket, std::string& why);

} // namespace lotto::photo
