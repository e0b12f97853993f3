// The menu: the text grammar, item numbers, and what a choice fires.
#include "runtime/cp1251.h"
#include "runtime/text_resource.h"
#include "support/controls.h"
#include "widget_test.h"
#include "widgets/layer/menu.h"
#include "widgets/menu_element.h"

namespace qotest {
namespace {

// The tree as one line per item in number order: depth dots, kind letter, text, ":group" for radios
// and "+" when checked; an item opening a submenu ends in ">".
std::vector<std::string> Shape(const qo::TQOMenu& menu) {
    std::vector<std::string> out;
    if (!menu.menu()) return out;
    std::function<void(const std::vector<std::unique_ptr<qo::MenuItem>>&, int)> walk = [&](const auto& items,
                                                                                           int depth) {
        for (const auto& item : items) {
            std::string s(static_cast<std::size_t>(depth), '.');
            switch (item->kind) {
            case qo::MenuItemKind::Normal:
                s += "n ";
                break;
            case qo::MenuItemKind::Separator:
                s += "s ";
                break;
            case qo::MenuItemKind::Check:
                s += "c ";
                break;
            case qo::MenuItemKind::Radio:
                s += "r ";
                break;
            }
            s += item->text;
            if (item->kind == qo::MenuItemKind::Radio) s += ":" + std::to_string(item->radioGroup);
            if (item->checked) s += "+";
            if (item->hasSubmenu) s += ">";
            out.push_back(s);
            walk(item->children, depth + 1);
        }
    };
    walk(menu.menu()->items(), 0);
    return out;
}

class MenuTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        menu = std::make_unique<qo::TQOMenu>(*form);
        menu->onChoose = chosen.input();
        menu->onChooseText = chosenText.input();
        menu->onHighlight = highlighted.input();
    }
    void TearDown() override {
        menu.reset();
        WidgetTest::TearDown();
    }
    void Choose(std::int32_t id) { form->control()->send(qo::WM_COMMAND, static_cast<std::uintptr_t>(id)); }

    std::unique_ptr<qo::TQOMenu> menu;
    Probe chosen, chosenText, highlighted;
};

TEST_F(MenuTest, MainWindowTextIsNumberedDepthFirst) {
    menu->SetText(qo::LoadTextResource("Str7"));
    const char* expected[] = {
        "&Билеты",        "&Новый", "&Удалить все",      "-", "Сброс всех &чисел", "Сброс всех &цветов",
        "&Заполнить все", "Игра",   "ПОСМОТРЕТЬ РЕКЛАМУ"};
    for (int n = 0; n < 9; ++n) {
        const qo::MenuItem* item = menu->FindItem(n);
        ASSERT_NE(item, nullptr) << n;
        EXPECT_EQ(item->text, qo::Cp1251(expected[n])) << n;
    }
    EXPECT_EQ(menu->FindItem(9), nullptr);
    EXPECT_EQ(menu->menu()->items().size(), 3u);
    EXPECT_EQ(form->formControl()->menu(), menu->menu());
}

TEST_F(MenuTest, ChoosingFiresTheNumberThenTheText) {
    menu->SetText(qo::LoadTextResource("Str7"));
    Choose(menu->FindItem(1)->id);
    Choose(menu->FindItem(8)->id);
    EXPECT_EQ(chosen.ints(), (std::vector<int>{1, 8}));
    EXPECT_EQ(chosenText.texts(),
              (std::vector<std::string>{qo::Cp1251("&Новый"), qo::Cp1251("ПОСМОТРЕТЬ РЕКЛАМУ")}));
}

TEST_F(MenuTest, AFurtherTextFollowsTheFirstAndLeavesItsNumbersAlone) {
    EXPECT_EQ(menu->AppendText("More"), -1) << "nothing to follow";
    menu->SetText(qo::LoadTextResource("Str7"));
    EXPECT_EQ(menu->AppendText("More\r\n(\r\nBack\r\n-\r\n-Mark\r\n)\r\n)\r\nlost"), 9);
    EXPECT_EQ(Shape(*menu).back(), ".c Mark") << "a check item, by the same grammar";
    EXPECT_EQ(menu->FindItem(8)->text, qo::Cp1251("ПОСМОТРЕТЬ РЕКЛАМУ"));
    EXPECT_EQ(menu->NumberOfText("Back"), 10);
    EXPECT_EQ(menu->NumberOfText("Mark"), 12);
    EXPECT_EQ(menu->NumberOfText("lost"), -1) << "the further text ends at its \")\" too";
    EXPECT_EQ(menu->NumberOfText(qo::Cp1251("Игра")), 7);
    EXPECT_EQ(menu->menu()->items().size(), 4u);
    Choose(menu->FindItem(10)->id);
    Choose(menu->FindItem(7)->id);
    EXPECT_EQ(chosen.ints(), (std::vector<int>{10, 7}));
    EXPECT_EQ(chosenText.texts().front(), "Back");
}

TEST_F(MenuTest, ForeignCommandsFireNothingAndEveryMessageIsPassedOn) {
    // A handler installed before the menu sees every message, also the menu's own commands.
    std::vector<std::uint32_t> seen;
    menu.reset();
    auto previous = form->control()->setMessageHandler([&](qo::Message& m) {
        seen.push_back(m.msg);
        return false;
    });
    menu = std::make_unique<qo::TQOMenu>(*form);
    menu->onChoose = chosen.input();
    menu->onHighlight = highlighted.input();
    menu->SetText("A\r\n(\r\nB\r\n)");
    Choose(menu->FindItem(1)->id);
    form->control()->send(qo::WM_COMMAND, 9999);                        // no such item
    form->control()->send(qo::WM_COMMAND, menu->FindItem(1)->id, 1234); // from a control
    form->control()->send(qo::WM_MENUSELECT, (qo::MF_HILITE << 16) | 0x1234u);
    EXPECT_EQ(chosen.ints(), (std::vector<int>{1}));
    EXPECT_EQ(highlighted.ints(), (std::vector<int>{0x34}));
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{qo::WM_COMMAND, qo::WM_COMMAND, qo::WM_COMMAND,
                                                qo::WM_MENUSELECT}));
    menu.reset();
    form->control()->setMessageHandler(std::move(previous));
}

TEST_F(MenuTest, TwoMenusGetDisjointIdentifiers) {
    menu->SetText("A\r\n-\r\nB");
    qo::TQOMenu second(*form);
    second.SetText("C\r\nD");
    const std::int32_t lastOfFirst = menu->FindItem(2)->id;
    EXPECT_GE(menu->FindItem(0)->id, 4096);
    EXPECT_EQ(menu->FindItem(1)->id, menu->FindItem(0)->id + 1); // the separator takes one too
    EXPECT_GT(second.FindItem(0)->id, lastOfFirst);
}

struct GrammarCase {
    const char* name;
    const char* text;
    std::vector<std::string> shape;
};

class MenuGrammarTest : public MenuTest, public ::testing::WithParamInterface<GrammarCase> {};

TEST_P(MenuGrammarTest, BuildsTheTree) {
    menu->SetText(GetParam().text);
    EXPECT_EQ(Shape(*menu), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuGrammarTest,
    ::testing::Values(
        GrammarCase{"EmptyLineEndsTheMenu", "A\r\nB\r\nC\r\n\r\nD", {"n A", "n B", "n C"}},
        GrammarCase{"EmptyLineEndsTheMenuInsideASubmenu", "A\r\n(\r\nB\r\n\r\nC\r\n)\r\nD", {"n A>", ".n B"}},
        GrammarCase{"CloseAtTheTopEndsTheMenu", ")\r\nA\r\nB", {}},
        GrammarCase{"CloseAfterItemsEndsTheMenu", "A\r\n)\r\nB", {"n A"}},
        GrammarCase{
            "OpenNotAfterAnItemIsAnItem", "(\r\nA\r\n(\r\nB\r\n)\r\n(", {"n (", "n A>", ".n B", "n ("}},
        GrammarCase{"OpenAtTheEndGivesAnEmptySubmenu", "A\r\n(", {"n A>"}},
        GrammarCase{"NestedSubmenus",
                    "A\r\n(\r\nB\r\n(\r\nC\r\n)\r\nD\r\n)\r\nE",
                    {"n A>", ".n B>", "..n C", ".n D", "n E"}},
        GrammarCase{"SeparatorAndMarkers", "-\r\n-x\r\n+y\r\n-- z", {"s -", "c x", "c y+", "c - z"}},
        GrammarCase{"RadioGroups",
                    "-!a\r\n+!b\r\n-!!c\r\n-!d\r\nn\r\n-!e",
                    {"r a:1", "r b:1+", "r c:2", "r d:2", "n n", "r e:1"}},
        GrammarCase{"LineBreaks", "A\rB\r\nC\r\n", {"n A", "n B", "n C"}},
        GrammarCase{"AmpersandStaysInTheText", "&File", {"n &File"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qotest
