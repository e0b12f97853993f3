#include <gtest/gtest.h>

#include "logic/message.h"
#include "recorder.h"
#include "runtime/cp1251.h"
#include "support/scripted_platform.h"

using namespace qo;
using qotest::Recorder;

namespace {

class Message : public qotest::DispatchOn {
protected:
    void SetUp() override {
        DispatchOn::SetUp();
        // Every output into one recorder, labelled: answer 0, then OK 1 … No 7 in answer-code order.
        box.answerOutput = out.To(0);
        TEventLink* outputs[] = {&box.okOutput,     &box.cancelOutput, &box.abortOutput, &box.retryOutput,
                                 &box.ignoreOutput, &box.yesOutput,    &box.noOutput};
        for (std::uint16_t i = 0; i < 7; ++i)
            *outputs[i] = out.To(i + 1);
    }
    void Show() { FireNull(Link<&TQOMessage::Show>(box)); }

    qotest::ScriptedPlatform platform; // installed for the test's life
    TQOMessage box;
    Recorder out;
};

TEST_F(Message, ConfirmationAnsweredNoFiresTheCodeThenNoOnly) {
    box.text = Cp1251("Вы действительно хотите удалить билет?");
    box.caption = Cp1251("Подтверждение");
    box.buttons = 2;
    box.icon = 2;
    box.defaultButton = 1;
    platform.boxAnswers = {7};
    Show();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, box.text);
    EXPECT_EQ(platform.boxes[0].caption, box.caption);
    EXPECT_EQ(platform.boxes[0].style, 0x124u); // yes/no, question, second button default
    EXPECT_EQ(out.got, (std::vector<std::string>{"0 int 7", "7 null "}));
}

class Answers : public Message, public ::testing::WithParamInterface<int> {};

TEST_P(Answers, EachCodeReachesItsOwnOutputAfterTheAnswer) {
    platform.boxAnswers = {GetParam()};
    Show();
    std::vector<std::string> expected{"0 int " + std::to_string(GetParam())};
    if (GetParam() >= 1 && GetParam() <= 7) expected.push_back(std::to_string(GetParam()) + " null ");
    EXPECT_EQ(out.got, expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, Answers, ::testing::Range(0, 9)); // 0: the box failed; 8: unknown

TEST_F(Message, DataInputsWinOverPropertiesAndTheOwnerIsAsked) {
    static int ownerToken;
    SetOwnerWindowHook([]() -> void* { return &ownerToken; });
    Recorder text, buttons;
    MakeString(text.value, "from a link");
    MakeInteger(buttons.value, 3);
    box.text = "property";
    box.caption = "caption";
    box.textInput = text.From();
    box.buttonsInput = buttons.From();
    Show();
    SetOwnerWindowHook(nullptr);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].owner, reinterpret_cast<Control*>(&ownerToken));
    EXPECT_EQ(platform.boxes[0].text, "from a link");
    EXPECT_EQ(platform.boxes[0].caption, "caption");
    EXPECT_EQ(platform.boxes[0].style, 0x3u);
}

struct StyleCase {
    std::int32_t buttons, icon, defaultButton;
    std::uint32_t style;
};

class Styles : public ::testing::TestWithParam<StyleCase> {};

TEST_P(Styles, Combine) {
    const StyleCase& c = GetParam();
    EXPECT_EQ(TQOMessage::Style(c.buttons, c.icon, c.defaultButton), c.style);
}

INSTANTIATE_TEST_SUITE_P(Table, Styles,
                         ::testing::Values(StyleCase{0, 0, 0, 0x000}, StyleCase{1, 0, 0, 0x001},
                                           StyleCase{2, 0, 1, 0x104}, StyleCase{3, 1, 2, 0x213},
                                           StyleCase{4, 3, 0, 0x035}, StyleCase{5, 4, 1, 0x142},
                                           StyleCase{6, 5, 3, 0x000}, StyleCase{-1, -1, -1, 0x000}));

} // namespace
