// SmallFunction holds handlers in a few bytes; what matters is that it behaves as std::function
// does wherever a handler is stored, copied, replaced or called, whether the callable sits inline
// or on the heap.
#include "widgets/layer/small_function.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace qo {
namespace {

TEST(SmallFunction, CallsWhatItHoldsInlineOrOnTheHeap) {
    int hits = 0;
    SmallFunction<void()> small = [&hits] { ++hits; }; // one pointer: inline
    const std::string word = "билет";
    SmallFunction<std::size_t(int)> large = [word](int k) { return word.size() * k; }; // not trivially copyable
    SmallFunction<void(), 16> pair = [&hits, k = 5] { hits += k; };                     // two pointers' worth

    small();
    pair();
    EXPECT_EQ(hits, 6);
    EXPECT_EQ(large(2), word.size() * 2);

    // Out-parameters reach the caller, as key and character handlers rely on.
    SmallFunction<void(int&, int)> key = [](int& k, int shift) { k = shift ? 0 : k + 1; };
    int k = 40;
    key(k, 0);
    EXPECT_EQ(k, 41);
    key(k, 1);
    EXPECT_EQ(k, 0);
}

TEST(SmallFunction, CopiesAndMovesKeepEachCallableAliveExactlyOnce) {
    auto counter = std::make_shared<int>(0);
    {
        SmallFunction<int()> a = [counter] { return ++*counter; }; // shared_ptr: heap-held
        EXPECT_EQ(counter.use_count(), 2);
        SmallFunction<int()> b = a; // a copy owns its own callable
        EXPECT_EQ(counter.use_count(), 3);
        SmallFunction<int()> c = std::move(a);
        EXPECT_FALSE(a);
        EXPECT_EQ(counter.use_count(), 3);
        EXPECT_EQ(b(), 1);
        EXPECT_EQ(c(), 2);
        b = c; // copy-assigning over a held callable frees the old one
        EXPECT_EQ(counter.use_count(), 3);
        c = nullptr;
        EXPECT_EQ(counter.use_count(), 2);
        SmallFunction<int()>& same = b;
        b = std::move(same); // moving onto itself leaves it as it was
        EXPECT_EQ(b(), 3);
    }
    EXPECT_EQ(counter.use_count(), 1);
}

TEST(SmallFunction, EmptyMeansNoHandlerAndCallingItThrows) {
    SmallFunction<void()> none;
    EXPECT_FALSE(none);
    EXPECT_TRUE(none == nullptr);
    EXPECT_THROW(none(), std::bad_function_call);

    // Empty sources stay empty: a handler set from an empty std::function or a null pointer is no
    // handler, so the layer does not count the control as listened to.
    std::function<void()> emptyStd;
    void (*nullFn)() = nullptr;
    EXPECT_FALSE(SmallFunction<void()>(emptyStd));
    EXPECT_FALSE(SmallFunction<void()>(nullFn));
    EXPECT_FALSE((SmallFunction<void(), 16>(SmallFunction<void()>())));

    // A handler that replaces itself while it runs must not pull the ground from under its own call:
    // the layer copies a handler before calling it, and the copy keeps the callable alive.
    auto alive = std::make_shared<int>(7);
    SmallFunction<int()> self;
    self = [&self, alive] {
        const int v = *alive;
        self = nullptr;
        return v;
    };
    const SmallFunction<int()> copy = self;
    EXPECT_EQ(copy(), 7);
    EXPECT_FALSE(self);
}

} // namespace
} // namespace qo
