// Opening a ticket file: the input is the file, chosen through a scripted open dialog, and read
// into a real ticket grid (offscreen). Whatever the bytes, the notes become the lines after the
// first, every cell ends white, at most thirty numbers stand, each a number 1…90 in its decade's
// column, at most five to a row. Saving the ticket and opening that file gives the same grid.
#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/inline_code_d9d224.h"
#include "app/ticket_file.h"
#include "runtime/init_man.h"
#include "runtime/link.h"
#include "support/scripted_platform.h"
#include "widgets/layer/control.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/panel_control.h"
#include "widgets/layer/string_list.h"

#include "fuzz_check.h"

namespace {

using Ticket = lotto::TQOInlineCode_D9D224;

// The ticket's surroundings: the body panel the grid stands on and the notes memo's two ends.
struct Body {
    qo::Control* panel = nullptr;
    std::string notes;
    std::vector<std::string> notesSent;
    void PanelId(qo::TData& d, std::uint16_t) { qo::MakeInteger(d, panel->id()); }
    void NotesText(qo::TData& d, std::uint16_t) { qo::MakeString(d, notes); }
    void NotesOut(qo::TData& d, std::uint16_t) { notesSent.push_back(qo::ToText(d)); }
};

qotest::ScriptedPlatform* platform = nullptr;
Body* body = nullptr;
Ticket* ticket = nullptr;

std::vector<std::string> CellTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < lotto::game::kCells; ++i)
        texts.push_back(ticket->cell(i)->text());
    return texts;
}

void Open(const std::string& path) {
    platform->dialogAnswers = {path};
    qo::TData none;
    ticket->Open(none, 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QApplication(*argc, *argv); // everything below lives as long as the process
    platform = new qotest::ScriptedPlatform;
    qo::EnableDispatch();
    body = new Body;
    auto* form = qo::FormControl::Create(nullptr);
    body->panel = qo::PanelControl::Create(form, qo::PanelStyle{});
    ticket = new Ticket;
    ticket->panelControl = qo::Link<&Body::PanelId>(*body);
    ticket->notesText = qo::Link<&Body::NotesText>(*body);
    ticket->notesOut = qo::Link<&Body::NotesOut>(*body);
    qo::RunStartups(); // builds the grid on the panel
    FUZZ_CHECK(ticket->cell(0) != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = platform->writeFile("ticket.tkt", bytes);
    platform->boxes.clear();
    body->notesSent.clear();
    // Something to be replaced, so that an open that changes nothing would show.
    ticket->cell(0, 0)->setText("1");
    ticket->cell(0, 0)->setColor(Ticket::kRed);

    Open(path);

    qo::StringList lines;
    lines.setText(bytes);
    if (lines.count() == 0) {
        // An empty file leaves the ticket as it was and says so.
        FUZZ_CHECK(body->notesSent.empty() && platform->boxes.size() == 1);
        FUZZ_CHECK(ticket->cell(0, 0)->text() == "1");
        return 0;
    }
    FUZZ_CHECK(platform->boxes.empty() && body->notesSent.size() == 1);
    qo::StringList notes;
    notes.setText(body->notesSent[0] + "\r\n");
    if (lines.count() > 1) {
        FUZZ_CHECK(notes.lines() == std::vector<std::string>(lines.lines().begin() + 1, lines.lines().end()));
    } else {
        FUZZ_CHECK(body->notesSent[0].empty());
    }

    int standing = 0;
    bool rowsInOrder = true; // full rows, then at most one partial row, then empty ones
    int previousRow = 5;
    for (int row = 0; row < lotto::game::kRows; ++row) {
        int inRow = 0;
        for (int column = 0; column < lotto::game::kColumns; ++column) {
            const qo::Control* c = ticket->cell(row, column);
            FUZZ_CHECK(c->color() == Ticket::kWhite);
            if (c->text().empty()) continue;
            ++inRow;
            const std::int32_t n = qo::TextToInteger(c->text());
            FUZZ_CHECK(n >= 1 && n <= 90 && qo::IntegerToText(n) == c->text());
            FUZZ_CHECK(lotto::game::ColumnOf(n) == column);
        }
        FUZZ_CHECK(inRow <= 5);
        standing += inRow;
        if (inRow > 0 && previousRow < 5) rowsInOrder = false;
        previousRow = inRow;
    }
    FUZZ_CHECK(standing <= 30);

    // Save with the notes the memo would now show (each line + CR LF), and open that file again.
    // Two numbers of one decade in one row share a cell, so only a grid in the order Open fills
    // it comes back cell for cell; the notes always come back.
    const std::vector<std::string> grid = CellTexts();
    body->notes = body->notesSent[0] + "\r\n";
    const std::string saved = platform->folder() + "saved.tkt";
    platform->dialogAnswers = {saved};
    qo::TData none;
    ticket->Save(none, 0);
    FUZZ_CHECK(platform->boxes.empty());
    Open(saved);
    if (rowsInOrder) FUZZ_CHECK(CellTexts() == grid);
    FUZZ_CHECK(body->notesSent.size() == 2 && body->notesSent[1] == body->notesSent[0]);
    return 0;
}
