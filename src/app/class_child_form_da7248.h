#pragma once
// The game window: a virtual game that draws the numbers itself and a real game that records the
// numbers called out at the table. Its container has two inputs (0 show/hide, 1 a called number)
// and one event (0 a drawn number); how the tickets use the numbers is not its concern.
#include <vector>

#include "containers/scheme.h"

namespace qo {
class TQOButton;
class TQOEdit;
class TQOLabel;
class TQOMainForm;
class TQOMemo;
class TQOMultiElement;
} // namespace qo

namespace lotto {

namespace game {
class Model;
}

struct KeptGame;
class TQOInlineCode_DB0D64;
class TQOInlineCode_DB522C;

class TClassChildForm_DA7248 : public qo::TScheme {
public:
    explicit TClassChildForm_DA7248(qo::Control* parent);

    // What a user sees and works, for the pictures of the window and for tests that drive it.
    struct Controls {
        qo::TQOMainForm* form = nullptr;
        qo::TQOButton* openClose = nullptr;
        qo::TQOButton* generate = nullptr;
        qo::TQOButton* autogen = nullptr;
        qo::TQOEdit* autogenCount = nullptr;
        qo::TQOLabel* status = nullptr;
        qo::TQOMemo* drawnNumbers = nullptr;
        qo::TQOMemo* calledNumbers = nullptr;
        qo::TQOLabel* moves = nullptr;
        qo::TQOButton* clear = nullptr;
    };
    const Controls& controls() const { return controls_; }

    // What the player has put into the window (the real game's moves, the virtual game), for the
    // kept game; and putting it back, as the window showed it, without marking any ticket.
    void Keep(KeptGame& game) const;
    void PutBack(const KeptGame& game);

    // The real game's moves in order, and the open virtual game's draws (none while it is closed).
    const std::vector<int>& moves() const;
    std::vector<int> drawn() const;
    // The model told of the real game's moves and the virtual game's draws, borrowed for the
    // window's lifetime.
    void Follow(game::Model& model);
    // The window a main scheme's container holds.
    static TClassChildForm_DA7248& Of(const qo::TQOMultiElement& container);

private:
    Controls controls_;
    TQOInlineCode_DB522C* realGame_ = nullptr;
    TQOInlineCode_DB0D64* virtualGame_ = nullptr;
};

} // namespace lotto
