#include "app/inline_code_photo.h"

#include "app/class_child_panel_d99a78.h"
#include "app/class_child_panel_ex_d82a4c.h"
#include "app/class_child_scroll_box_d80098.h"
#include "app/inline_code_d9d224.h"
#include "app/photo/review_window.h"
#include "app/ticket_file.h"
#include "runtime/cp1251.h"
#include "widgets/layer/file_dialog.h"
#include "widgets/menu_element.h"

namespace lotto {

void TQOInlineCode_Photo::Attach(qo::TQOMenu&, qo::Control* window) {
    window_ = window;
    photo::WatchPicturePaste(window, [this](std::vector<unsigned char> png) {
        photo::Picture pasted;
        pasted.name = "снимок из буфера обмена";
        pasted.bytes = std::move(png);
        AddTickets(photo::ReviewPictures(window_, {std::move(pasted)}));
    });
}

std::string TQOInlineCode_Photo::Problem() {
    return {};
}

void TQOInlineCode_Photo::Choose(qo::TData& d, std::uint16_t) {
    if (menuItem < 0 || qo::ToInteger(d) != menuItem) return;
    qo::FileDialog dialog;
    dialog.title = qo::Cp1251("Билеты с фото");
    dialog.filter =
        qo::Cp1251("Снимки (*.jpg, *.jpeg, *.png, *.tif, *.tiff, *.bmp)|*.jpg;*.jpeg;*.png;*.tif;*.tiff;"
                   "*.bmp|Все файлы|*.*");
    dialog.options |= qo::OFN_ALLOWMULTISELECT;
    dialog.owner = window_;
    if (!dialog.execute()) return;
    // Several files come joined by carriage returns.
    std::vector<photo::Picture> pictures;
    std::size_t from = 0;
    while (from <= dialog.fileName.size()) {
        const std::size_t to = std::min(dialog.fileName.find('\r', from), dialog.fileName.size());
        if (to > from) pictures.push_back({dialog.fileName.substr(from, to - from), {}, {}});
        from = to + 1;
    }
    AddTickets(photo::ReviewPictures(window_, std::move(pictures)));
}

void TQOInlineCode_Photo::AddTickets(const std::vector<std::array<int, 54>>& tickets) {
    auto& list = TClassChildScrollBox_D80098::Of(ticketList_);
    for (const auto& numbers : tickets) {
        // As a ticket file holds them: row by row, each number finding its column as if typed.
        TicketFileContent content;
        for (int n : numbers)
            if (n != 0) content.numbers += std::to_string(n) + ";";
        if (TClassChildPanelEx_D82A4C* ticket = list.NewTicket())
            ticket->body().logic().PutTicketFile(content);
    }
}

} // namespace lotto
