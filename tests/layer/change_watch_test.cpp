// The change listeners: a listener that goes while the listeners are being told, itself or
// another, is neither told nor stepped on.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "widgets/layer/change_watch.h"
#include "widgets/layer/control.h"
#include "widgets/layer/form_control.h"

namespace {

struct Listening {
    int heard = 0;
    std::unique_ptr<qo::ChangeListener> listener;
};

TEST(ChangeListeners, OneRemovingAnotherAndItselfWhileToldLeavesTheWalkSound) {
    Listening first, second, third;
    // Made in this order, told newest first: third, second, first.
    first.listener =
        std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) { ++first.heard; });
    second.listener =
        std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) { ++second.heard; });
    third.listener = std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) {
        ++third.heard;
        second.listener.reset(); // the one to be told next
    });
    auto form = std::unique_ptr<qo::Control, void (*)(qo::Control*)>(qo::FormControl::Create(nullptr),
                                                                     [](qo::Control* c) { c->destroy(); });
    form->setText("a");
    EXPECT_EQ(third.heard, 1);
    EXPECT_EQ(second.heard, 0);
    EXPECT_EQ(first.heard, 1);

    third.listener.reset();
    Listening self;
    self.listener = std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) {
        ++self.heard;
        self.listener.reset(); // itself, and the one after it is still told
    });
    form->setText("b");
    EXPECT_EQ(self.heard, 1);
    EXPECT_EQ(first.heard, 2);
    form->setText("c");
    EXPECT_EQ(self.heard, 1);
    EXPECT_EQ(first.heard, 3);
}

// A listener may read what changed: the control holds it by the time the listener is told.
TEST(ChangeListeners, AreToldOnceTheControlHoldsTheNewTextAndColour) {
    auto form = std::unique_ptr<qo::Control, void (*)(qo::Control*)>(qo::FormControl::Create(nullptr),
                                                                     [](qo::Control* c) { c->destroy(); });
    std::string text;
    qo::Color colour = 0;
    qo::ChangeListener listener([&](const qo::Control& c, qo::ContentChange what) {
        if (what == qo::ContentChange::Text) text = c.text();
        if (what == qo::ContentChange::Colour) colour = c.color();
    });
    form->setText("7");
    form->setColor(0x0000FF);
    EXPECT_EQ(text, "7");
    EXPECT_EQ(colour, 0x0000FFu);
}

TEST(ChangeListeners, ANestedChangeWhileToldRemovesSafelyForTheOuterWalkToo) {
    auto form = std::unique_ptr<qo::Control, void (*)(qo::Control*)>(qo::FormControl::Create(nullptr),
                                                                     [](qo::Control* c) { c->destroy(); });
    Listening last, inner;
    last.listener =
        std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) { ++last.heard; });
    inner.listener =
        std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) { ++inner.heard; });
    Listening outer;
    outer.listener = std::make_unique<qo::ChangeListener>([&](const qo::Control&, qo::ContentChange) {
        if (++outer.heard > 1) return; // the nested change
        // A change made while told: the inner walk removes the listener the outer walk tells next.
        std::unique_ptr<qo::ChangeListener> remover = std::make_unique<qo::ChangeListener>(
            [&](const qo::Control&, qo::ContentChange) { inner.listener.reset(); });
        form->setText("nested");
    });
    form->setText("outer");
    EXPECT_EQ(outer.heard, 2);
    EXPECT_EQ(inner.heard, 0);
    EXPECT_EQ(last.heard, 2); // once in the nested walk, once in the outer
}

} // namespace
