#pragma once
// Event and data links: the only way elements talk. A link names a method of a target element and
// a point index; every call goes through CallLink and the one dispatch hook, which is a no-op until
// the main form starts and again after it accepts its close. The helpers below are how elements
// fire events, read data points and end a handler by handing its value on.
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "runtime/data.h"

namespace qo {

// Every input and data-point method has this form once bound to its element.
using TLinkMethod = void (*)(void* element, TData& d, std::uint16_t index);

struct TEventLink {
    TLinkMethod method = nullptr; // none: unconnected
    void* element = nullptr;
    std::uint16_t index = 0;
};

namespace detail {
template <typename M> struct MemberOf;
template <typename C> struct MemberOf<void (C::*)(TData&, std::uint16_t)> { using Class = C; };
template <auto M> void Trampoline(void* element, TData& d, std::uint16_t index) {
    using C = typename MemberOf<decltype(M)>::Class;
    (static_cast<C*>(element)->*M)(d, index);
}
} // namespace detail

// A typed link to a member `void C::M(TData&, uint16_t)`: Link<&TQOHub::Input>(hub, 0).
template <auto M, typename C> TEventLink Link(C& element, std::uint16_t index = 0) {
    using Target = typename detail::MemberOf<decltype(M)>::Class;
    static_assert(std::is_base_of_v<Target, C>, "the element does not have this method");
    return TEventLink{&detail::Trampoline<M>, static_cast<Target*>(&element), index};
}

// Dispatch. The hook is a switch between the real routine and a no-op: nothing is delivered
// until the main form starts, and nothing after it accepts its close.
namespace detail {
extern bool g_dispatchOn;
}
inline void CallLink(const TEventLink& link, TData& d) {
    if (!detail::g_dispatchOn) return;
    // Forwarding runs as a loop, so long chains of routing elements do not grow the stack.
    const TEventLink* c = &link;
    while (c && c->method) {
        c->method(c->element, d, c->index);
        if (!(d.kind & dkForward)) return;
        d.kind = static_cast<std::uint8_t>(d.kind - dkForward);
        c = d.forward;
    }
}
inline bool LinkConnected(const TEventLink& link) {
    return link.method != nullptr;
}
void EnableDispatch();
void DisableDispatch();
inline bool DispatchEnabled() {
    return detail::g_dispatchOn;
}

// Firing events: a fresh record with the value, discarded afterwards.
void FireNull(const TEventLink& link);
void FireInteger(const TEventLink& link, std::int32_t value);
void FireReal(const TEventLink& link, double value);
void FireString(const TEventLink& link, std::string_view text);

// Reading data points; an unconnected point gives a null value.
std::string ReadString(const TEventLink& link);
std::int32_t ReadInteger(const TEventLink& link);
void ReadData(const TEventLink& link, TData& out);

// Reading a data point while handling event E: a connected point wins; else a set default;
// else E's own value, which is consumed.
std::string TakeString(TData& e, const TEventLink& link, std::string_view def = {});
std::int32_t TakeInteger(TData& e, const TEventLink& link, std::int32_t def = 0);
double TakeReal(TData& e, const TEventLink& link, double def = 0.0);
void TakeData(TData& e, const TEventLink& link, const TData* def, TData& out);

// Forwarding: the last thing a handler does; the dispatcher makes the call after it returns.
inline void ForwardNull(TData& e, const TEventLink& link) {
    e.kind = dkNull | dkForward;
    e.forward = &link;
}
inline void ForwardInteger(TData& e, const TEventLink& link, std::int32_t value) {
    e.kind = dkInteger | dkForward;
    e.integer = value;
    e.forward = &link;
}
inline void ForwardData(TData& e, const TEventLink& link, const TData& source) {
    if (&e != &source) e = source;
    e.kind = static_cast<std::uint8_t>(e.kind | dkForward);
    e.forward = &link;
}

// The window that owns message boxes and dialogs. The widget layer answers the question; the
// runtime only keeps the hook so that elements below the layer can ask it.
using OwnerWindowHook = void* (*)();
void SetOwnerWindowHook(OwnerWindowHook hook);
void* OwnerWindow();

} // namespace qo
