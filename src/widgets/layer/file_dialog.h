#pragma once
// The open and save dialogs as the ticket files use them: a title, a filter text of "name|pattern"
// pairs separated by "|", options (OFN_*), an owner. The dialog itself is the platform's.
#include "widgets/layer/messages.h"
#include <cstdint>
#include <string>

namespace qo {

class Control;

struct FileDialog {
    bool save = false;
    std::string title;      // Windows-1251
    std::string filter;     // Windows-1251, "Tickets(*.tkt)|*.tkt|All|*.*"
    std::string defaultExt; // Windows-1251
    std::string initialDir; // UTF-8 (platform)
    std::uint32_t options = OFN_DEFAULT;
    Control* owner = nullptr; // nullptr: the owner window rule
    std::string fileName;     // UTF-8 (platform); empty after a cancel

    // Shows the dialog; true when the user chose a file.
    bool execute();
};

} // namespace qo
