#pragma once
// The virtual game: draws the numbers 1 to 90 without repetition while a game is open, lists each
// one, sends it on to the tickets and tells how many remain. Opening and closing come from the
// scheme's counter; which buttons may draw is the scheme's wiring.
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/link.h"

namespace lotto {

namespace game {
class Model;
}

class TQOInlineCode_DB0D64 {
public:
    static constexpr int kNumbers = 90;

    // ---- Events and the data input.
    qo::TEventLink captionOutput; // the open/close button's caption
    qo::TEventLink addLineOutput; // a drawn number into the drawn-numbers box
    qo::TEventLink labelOutput;   // the status label
    qo::TEventLink clearOutput;   // empties the drawn-numbers box
    qo::TEventLink drawnOutput;   // a drawn number, on to the tickets
    qo::TEventLink windowHandle;  // data: the drawn-numbers box's window handle

    // ---- Inputs.
    void OpenClose(qo::TData& d, std::uint16_t index); // 1 opens a game, anything else closes it
    void Draw(qo::TData& d, std::uint16_t index);      // the value is ignored

    // One number of 1 to 90 not yet in `taken`, each equally likely, from the program's random
    // source. `taken` must leave at least one number free.
    static int DrawFree(const std::vector<int>& taken);

    // The open game's numbers in the order drawn; absent while no game is open.
    const std::optional<std::vector<int>>& drawn() const { return drawn_; }
    // Lists a kept game's numbers in the open game, as if drawn, without sending them on: the
    // tickets come back with their own colours.
    void PutBack(const std::vector<int>& drawn);
    game::Model* model = nullptr; // borrowed: told the draws whenever they change

private:
    void ShowRemaining(int drawnCount);
    void Tell();

    std::optional<std::vector<int>> drawn_; // absent while no game is open
};

} // namespace lotto
