#pragma once
// One lotto ticket in the list: its raised panel holding the body (grid, entry box, buttons) and
// the notes, its handle store, and the edge through which the list reaches it. Outward event 0
// asks the list to delete this ticket and carries its handle.
#include <array>
#include <string>
#include <utility>

#include "containers/scheme.h"

namespace qo {
class TQOPanel;
class TQOMultiElement;
} // namespace qo

namespace lotto {

struct KeptTicket;
class TClassChildPanel_D99A78;
class TClassChildPanel_D94AB8;

class TClassChildPanelEx_D82A4C : public qo::TScheme {
public:
    explicit TClassChildPanelEx_D82A4C(qo::Control* parent);

    qo::TQOPanel& panel() const { return *panel_; }
    TClassChildPanel_D99A78& body() const;
    TClassChildPanel_D94AB8& notes() const;

    // The ticket's place in the list, from 1: what a screen reader says for its controls begins
    // or ends with it ("Билет 3, карточка 1, ряд 2, столбец 5"). The list renumbers after changes.
    void SetNumber(int number);

    // The ticket as the player left it, and putting it back exactly.
    void Keep(KeptTicket& ticket) const;
    void PutBack(const KeptTicket& ticket);
    int number() const { return number_; }
    // How far the ticket has got, in its tip and spoken name while hints are on: "Билет 3: выпало
    // 12 из 30; ряд 2 ждёт 47", Windows-1251. Made when asked (the tip shown, the name read), so a
    // call that changes a thousand tickets makes none; null for none.
    using Summary = std::string (*)(const TClassChildPanelEx_D82A4C& ticket);
    void SetSummary(Summary summary);

private:
    void NameControls();
    // The controls whose spoken names carry the ticket's number, each with the words before it.
    std::array<std::pair<qo::Control*, const char*>, 9> NumberedControls() const;
    std::string Spoken(const char* whatUtf8) const; // "what 3", Windows-1251

    qo::TQOPanel* panel_ = nullptr;
    qo::TQOMultiElement* body_ = nullptr;
    qo::TQOMultiElement* notes_ = nullptr;
    int number_ = 0;
    Summary summary_ = nullptr;
};

} // namespace lotto
