#include "runtime/link.h"

namespace qo {
namespace detail {
bool g_dispatchOn = false;
}

namespace {
OwnerWindowHook g_ownerHook = nullptr;
} // namespace

void EnableDispatch() {
    detail::g_dispatchOn = true;
}
void DisableDispatch() {
    detail::g_dispatchOn = false;
}

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

void SetOwnerWindowHook(OwnerWindowHook hook) {
    g_ownerHook = hook;
}
void* OwnerWindow() {
    return g_ownerHook ? g_ownerHook() : nullptr;
}

} // namespace qo
