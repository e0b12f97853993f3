#pragma once
// SmallFunction: a callable kept in one pointer plus N bytes. A callable that is trivially copyable
// and fits (a lambda capturing `this`, or `this` and an index) lives in those bytes; anything else
// is copied to the heap and the bytes hold the pointer. A control keeps a dozen handlers, and a
// list of thousands of tickets keeps thousands of controls: std::function spends 32 bytes on each.
// Empty means "no handler"; calling an empty one throws std::bad_function_call, as std::function does.
#include <cstddef>
#include <cstring>
#include <functional>
#include <new>
#include <type_traits>
#include <utility>

namespace qo {

template <class Sig, std::size_t N = sizeof(void*)> class SmallFunction;

namespace detail {
template <class T> struct IsStdFunction : std::false_type {};
template <class S> struct IsStdFunction<std::function<S>> : std::true_type {};
template <class T> struct IsSmallFunction : std::false_type {};
template <class S, std::size_t M> struct IsSmallFunction<SmallFunction<S, M>> : std::true_type {};
} // namespace detail

template <class R, class... A, std::size_t N> class SmallFunction<R(A...), N> {
    static_assert(N >= sizeof(void*), "the bytes must hold at least a pointer");

public:
    SmallFunction() noexcept = default;
    SmallFunction(std::nullptr_t) noexcept {}

    template <
        class F, class D = std::decay_t<F>,
        class = std::enable_if_t<!std::is_same_v<D, SmallFunction> && std::is_invocable_r_v<R, D&, A...>>>
    SmallFunction(F&& f) { // NOLINT: converts from any callable, as std::function does
        if constexpr (std::is_pointer_v<D> || std::is_member_pointer_v<D> ||
                      detail::IsStdFunction<D>::value || detail::IsSmallFunction<D>::value) {
            if (!f) return;
        }
        if constexpr (kInline<D>) {
            ::new (static_cast<void*>(bytes_)) D(std::forward<F>(f));
            ops_ = &kInlineOps<D>;
        } else {
            D* p = new D(std::forward<F>(f));
            std::memcpy(bytes_, &p, sizeof p);
            ops_ = &kHeapOps<D>;
        }
    }

    SmallFunction(const SmallFunction& o) : ops_(o.ops_) {
        if (ops_) ops_->copy(bytes_, o.bytes_);
    }
    // Whatever is held, the bytes move as they are: an inline callable is trivially copyable, a heap
    // one is a pointer.
    SmallFunction(SmallFunction&& o) noexcept : ops_(o.ops_) {
        std::memcpy(bytes_, o.bytes_, N);
        o.ops_ = nullptr;
    }
    SmallFunction& operator=(const SmallFunction& o) {
        if (this != &o) *this = SmallFunction(o);
        return *this;
    }
    SmallFunction& operator=(SmallFunction&& o) noexcept {
        if (this != &o) {
            reset();
            ops_ = o.ops_;
            std::memcpy(bytes_, o.bytes_, N);
            o.ops_ = nullptr;
        }
        return *this;
    }
    SmallFunction& operator=(std::nullptr_t) noexcept {
        reset();
        return *this;
    }
    ~SmallFunction() { reset(); }

    explicit operator bool() const noexcept { return ops_ != nullptr; }
    friend bool operator==(const SmallFunction& f, std::nullptr_t) noexcept { return !f; }

    R operator()(A... a) const {
        if (!ops_) throw std::bad_function_call();
        return ops_->call(const_cast<unsigned char*>(bytes_), std::forward<A>(a)...);
    }

private:
    struct Ops {
        R (*call)(void* bytes, A&&... a);
        void (*copy)(void* to, const void* from);
        void (*destroy)(void* bytes);
    };

    template <class D>
    static constexpr bool kInline =
        sizeof(D) <= N &&
        alignof(D) <= alignof(void*) && std::is_trivially_copyable_v<D>&& std::is_trivially_destructible_v<D>;

    template <class D> static D* held(void* bytes) {
        D* p;
        std::memcpy(&p, bytes, sizeof p);
        return p;
    }

    template <class D>
    static constexpr Ops kInlineOps{
        [](void* bytes, A&&... a) -> R {
            return std::invoke(*std::launder(static_cast<D*>(bytes)), std::forward<A>(a)...);
        },
        [](void* to, const void* from) { std::memcpy(to, from, N); },
        [](void*) {},
    };
    template <class D>
    static constexpr Ops kHeapOps{
        [](void* bytes, A&&... a) -> R { return std::invoke(*held<D>(bytes), std::forward<A>(a)...); },
        [](void* to, const void* from) {
            D* p = new D(*held<D>(const_cast<void*>(from)));
            std::memcpy(to, &p, sizeof p);
        },
        [](void* bytes) { delete held<D>(bytes); },
    };

    void reset() noexcept {
        if (ops_) {
            const Ops* ops = ops_;
            ops_ = nullptr;
            ops->destroy(bytes_);
        }
    }

    const Ops* ops_ = nullptr;
    alignas(void*) unsigned char bytes_[N] = {};
};

} // namespace qo
