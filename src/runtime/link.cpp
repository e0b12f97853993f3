#include "runtime/link.h"

namespace qo {
namespace {

void NoDispatch(const TEventLink&, TData&) {}

void RealDispatch(const TEventLink& link, TData& d) {
    // Forwarding runs as a loop, so long chains of routing elements do not grow the stack.
    TEventLink c = link;
    for (;;) {
        if (!c.method) return;
        c.method(c.element, d, c.index);
        if (!(d.kind & dkForward)) return;
        d.kind = static_cast<std::uint8_t>(d.kind - dkForward);
        c = d.forward ? *d.forward : TEventLink{};
    }
}

using DispatchRoutine = void (*)(const TEventLink&, TData&);
DispatchRoutine g_dispatch = &NoDispatch;
OwnerWindowHook g_ownerHook = nullptr;

} // namespace

void CallLink(const TEventLink& link, TData& d) { g_dispatch(link, d); }
void EnableDispatch() { g_dispatch = &RealDispatch; }
void DisableDispatch() { g_dispatch = &NoDispatch; }
bool DispatchEnabled() { return g_dispatch == &RealDispatch; }

void FireNull(const TEventLink& link) {
    TData d;
    CallLink(link, d);
}

void FireInteger(const TEventLink& link, std::int32_t value) {
    TData d;
    d.kind = dkInteger;
    d.integer = value;
    CallLink(link, d);
}

void FireReal(const TEventLink& link, double value) {
    TData d;
    d.kind = dkReal;
    d.real = value;
    CallLink(link, d);
}

void FireString(const TEventLink& link, std::string_view text) {
    TData d;
    MakeString(d, text);
    CallLink(link, d);
}

std::string ReadString(const TEventLink& link) {
    TData d;
    CallLink(link, d);
    return ToText(d);
}

std::int32_t ReadInteger(const TEventLink& link) {
    TData d;
    CallLink(link, d);
    return ToInteger(d);
}

void ReadData(const TEventLink& link, TData& out) {
    MakeNull(out);
    if (LinkConnected(link)) CallLink(link, out);
}

namespace {
TData ConsumeEvent(TData& e) {
    TData v;
    ConsumeData(e, v);
    return v;
}
} // namespace

std::string TakeString(TData& e, const TEventLink& link, std::string_view def) {
    if (LinkConnected(link)) return ReadString(link);
    if (!def.empty() || e.kind == dkNull) return std::string(def);
    return ToText(ConsumeEvent(e));
}

std::int32_t TakeInteger(TData& e, const TEventLink& link, std::int32_t def) {
    if (LinkConnected(link)) return ReadInteger(link);
    if (def != 0 || e.kind == dkNull) return def;
    return ToInteger(ConsumeEvent(e));
}

double TakeReal(TData& e, const TEventLink& link, double def) {
    if (LinkConnected(link)) {
        TData d;
        CallLink(link, d);
        return ToReal(d);
    }
    if (def != 0.0 || e.kind == dkNull) return def;
    return ToReal(ConsumeEvent(e));
}

void TakeData(TData& e, const TEventLink& link, const TData* def, TData& out) {
    if (LinkConnected(link)) {
        MakeNull(out);
        CallLink(link, out);
    } else if (def && def->kind != dkNull) {
        out = *def;
    } else {
        ConsumeData(e, out);
    }
}

void ForwardNull(TData& e, const TEventLink& link) {
    e.kind = dkNull | dkForward;
    e.forward = &link;
}

void ForwardInteger(TData& e, const TEventLink& link, std::int32_t value) {
    e.kind = dkInteger | dkForward;
    e.integer = value;
    e.forward = &link;
}

void ForwardData(TData& e, const TEventLink& link, const TData& source) {
    if (&e != &source) e = source;
    e.kind = static_cast<std::uint8_t>(e.kind | dkForward);
    e.forward = &link;
}

void SetOwnerWindowHook(OwnerWindowHook hook) { g_ownerHook = hook; }
void* OwnerWindow() { return g_ownerHook ? g_ownerHook() : nullptr; }

} // namespace qo
