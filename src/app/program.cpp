#include "app/program.h"

#include <memory>
#include <string_view>

#include "app/class_main_form_d80004.h"
#include "runtime/cp1251.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/message_loop.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include "widgets/main_form.h"

namespace lotto {

const char* ProgramVersion() {
    return QO_VERSION;
}

int RunProgram(int argc, const char* const* argv) {
    if (argc > 1 && std::string_view(argv[1]) == "/ih") {
        // Nothing else on this path: no window, no settings file, no resource.
        qo::ShowMessageBox(nullptr, qo::Cp1251("Сделано в Tessel."), qo::Cp1251("Tessel Info"), qo::MB_OK);
        return 0;
    }
    qo::ResetMessageLoop();
    auto root = std::make_unique<TClassMainForm_D80004>();
    qo::TQOMainForm& form = root->form();
    form.Start();
    if (form.formControl()) qo::RunMessageLoop(*form.formControl());
    // Dispatch went off when the close was accepted: destructors that fire events reach nobody.
    root.reset();
    return 0;
}

} // namespace lotto
