#include "app/program.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "app/class_main_form_d80004.h"
#include "app/inline_code_given_tickets.h"
#include "app/inline_code_kept_game.h"
#include "app/program_words.h"
#include "runtime/cp1251.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/message_loop.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/one_program.h"
#include "widgets/layer/platform.h"
#include "widgets/main_form.h"

namespace lotto {
namespace {

constexpr std::string_view kInfoSwitch = "/ih";

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "/IH", "-x", "--help": a switch's marker, then letters (a dash may join words), and no folder
// part, so no path a file manager hands over reads this way.
bool ReadsAsSwitch(std::string_view a) {
    const std::size_t marker = a.starts_with("--") ? 2 : (a.starts_with('/') || a.starts_with('-')) ? 1 : 0;
    if (marker == 0 || a.size() == marker || !IsAsciiLetter(a[marker])) return false;
    return std::all_of(a.begin() + static_cast<std::ptrdiff_t>(marker), a.end(),
                       [](char c) { return IsAsciiLetter(c) || c == '-'; });
}

} // namespace

const char* ProgramVersion() {
    return QO_VERSION;
}

std::vector<std::string> TicketFiles(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    for (const std::string& a : arguments) {
        // A switch in any place ("/ih" second, "/IH", an option of another program's) starts the
        // program as it always did, silently; a file that happens to bear such a name still opens.
        if (ReadsAsSwitch(a) && !qo::FileExists(a)) continue;
        files.push_back(a);
    }
    return files;
}

std::unique_ptr<TClassMainForm_D80004> BuildMainWindow(const std::vector<std::string>& arguments) {
    qo::SetWords(ProgramWords()); // before anything could go wrong in the window
    auto root = std::make_unique<TClassMainForm_D80004>();
    root->givenTickets().files = TicketFiles(arguments);
    return root;
}

int RunProgram(int argc, const char* const* argv, const std::vector<std::string>& arguments) {
    if (argc > 1 && argv[1] == kInfoSwitch) {
        // Nothing else on this path: no window, no settings file, no resource.
        qo::ShowMessageBox(nullptr, qo::Cp1251("Сделано в Tessel."), qo::Cp1251("Tessel Info"), qo::MB_OK);
        return 0;
    }
    // Ticket files opened in a file manager start one program each: the first keeps the game and
    // opens them all.
    qo::OneProgram one(kLockFileName);
    const qo::ProgramRole role = one.claim(TicketFiles(arguments));
    if (role == qo::ProgramRole::Handed) return 0;
    qo::ResetMessageLoop();
    auto root = BuildMainWindow(arguments);
    root->keptGame().keeping = role == qo::ProgramRole::Keeper;
    qo::TQOMainForm& form = root->form();
    one.onFiles([&root](const std::vector<std::string>& files) {
        root->givenTickets().OpenLater(files);
        if (qo::FormControl* window = root->form().formControl()) window->bringToForeground();
    });
    form.Start();
    if (form.formControl()) qo::RunMessageLoop(*form.formControl());
    one.onFiles({});
    // Dispatch went off when the close was accepted: destructors that fire events reach nobody.
    root.reset();
    return 0;
}

int RunProgram(int argc, const char* const* argv) {
    return RunProgram(argc, argv, std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}

} // namespace lotto
