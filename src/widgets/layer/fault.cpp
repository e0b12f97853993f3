#include "widgets/layer/control_private.h"

#include "runtime/cp1251.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"
#include <exception>
#include <new>
#include <set>
#include <stdexcept>

namespace qo {
namespace {

bool g_reporting = false;
std::set<std::string> g_passiveShown; // faults of events the user did not ask for, told once each

std::string Reason(const std::exception_ptr& fault) {
    try {
        std::rethrow_exception(fault);
    } catch (const std::bad_alloc& e) {
        return "не хватило памяти (" + std::string(e.what()) + ")";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "неизвестная ошибка";
    }
}

} // namespace

void ReportFault(const char* whatUtf8, std::int32_t controlId, bool userAct) noexcept {
    const std::exception_ptr fault = std::current_exception();
    // A box already on screen runs a loop of its own; a fault inside it must not stack a second box.
    if (g_reporting || !fault) return;
    g_reporting = true;
    try {
        std::string what = whatUtf8;
        if (Control* c = Control::FromId(controlId); c && !c->text().empty())
            what += " «" + Cp1251ToUtf8(c->text()) + "»";
        const std::string text = "Сбой при обработке события: " + what + ".\r\n\r\n" + Reason(fault) +
                                 "\r\n\r\nДействие не завершено, программа продолжает работу.";
        // Painting, moving and the like come back by themselves: one box for each such fault is enough.
        if (userAct || g_passiveShown.insert(text).second) {
            ShowMessageBox(OwnerControl(), Utf8ToCp1251(text), Utf8ToCp1251("Фишкодром"),
                           MB_OK | MB_ICONHAND);
        }
    } catch (...) {
        // Not even the message could be made (memory ran out again): the program goes on silently.
    }
    g_reporting = false;
}

} // namespace qo
