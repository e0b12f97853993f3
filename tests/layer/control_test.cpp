// Control: ownership and destruction order, state before and after the window, messages, colours,
// the mouse record, forms and the owner rule.
#include "support/controls.h"
#include "support/scripted_platform.h"
#include "support/ui_helpers.h"
#include "widgets/layer/canvas.h"
#include "widgets/layer/control.h"
#include "widgets/layer/message_loop.h"
#include "widgets/layer/platform.h"
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

using qo::Control;

namespace {

// What an element does with its Control: own it, forget it when told.
struct Element {
    Control* control = nullptr;
    std::vector<std::string>* log = nullptr;
    std::string name;
    Element(Control* c, std::vector<std::string>* l, std::string n) : control(c), log(l), name(std::move(n)) {
        control->setOnDestroyed([this] {
            log->push_back(name + (control->visible() ? " visible" : " hidden"));
            control = nullptr;
        });
    }
    ~Element() {
        if (control) control->destroy();
    }
};

TEST(ControlLife, ParentFirstHidesThenRunsHandlersParentBeforeChildren) {
    std::vector<std::string> log;
    auto form = std::make_unique<Element>(qo::FormControl::Create(nullptr), &log, "form");
    auto panel = std::make_unique<Element>(qo::PanelControl::Create(form->control, {}), &log, "panel");
    auto edit = std::make_unique<Element>(qo::EditControl::Create(panel->control, 0), &log, "edit");
    ASSERT_TRUE(qotest::showForm(*form->control));
    const std::int32_t editId = edit->control->id();
    form.reset(); // the form element goes first: its Control takes the others along
    EXPECT_EQ(log, (std::vector<std::string>{"form hidden", "panel hidden", "edit hidden"}));
    EXPECT_EQ(panel->control, nullptr);
    EXPECT_EQ(Control::FromId(editId), nullptr);
    panel.reset();
    edit.reset();
    EXPECT_EQ(log.size(), 3u);
}

TEST(ControlLife, ChildElementFirstLeavesTheParentWhole) {
    std::vector<std::string> log;
    Element form(qo::FormControl::Create(nullptr), &log, "form");
    {
        Element button(qo::ButtonControl::Create(form.control), &log, "button");
        EXPECT_EQ(form.control->children().size(), 1u);
    }
    EXPECT_EQ(log, std::vector<std::string>{"button hidden"});
    EXPECT_TRUE(form.control->children().empty());
}

TEST(ControlLife, DestroyFromItsOwnClickHandler) {
    auto* form = qo::FormControl::Create(nullptr);
    auto* panel = qo::PanelControl::Create(form, {});
    panel->setBounds(0, 0, 200, 100);
    auto* button = qo::ButtonControl::Create(panel);
    bool destroyed = false;
    button->setOnDestroyed([&] { destroyed = true; });
    button->setOnClick([&] { panel->destroy(); }); // the whole group, button included
    ASSERT_TRUE(qotest::showForm(*form));
    QPointer<QWidget> buttonWidget = button->widget();
    QTest::mouseClick(buttonWidget, Qt::LeftButton);
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(form->children().empty());
    // Inside the click the group's widgets were only hidden; their deletion waited for it to return.
    qotest::runDeferredDeletes();
    EXPECT_TRUE(buttonWidget.isNull());
    form->destroy();
}

TEST(ControlState, ValuesSetBeforeTheWindowAreApplied) {
    auto* form = qo::FormControl::Create(nullptr);
    auto* edit = qo::EditControl::Create(form, 0);
    edit->setBounds(5, 6, 70, 25);
    edit->setColor(0x0000FF);
    edit->setFontColor(qo::clNavy);
    edit->setText("12");
    edit->setEnabled(false);
    edit->setTextAlign(2);
    EXPECT_FALSE(edit->hasWindow());
    auto* w = qotest::lineEdit(*edit);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->geometry(), QRect(5, 6, 70, 25));
    EXPECT_EQ(w->text(), "12");
    EXPECT_FALSE(w->isEnabled());
    EXPECT_EQ(w->palette().color(QPalette::Active, QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(w->palette().color(QPalette::Active, QPalette::Text), QColor(0, 0, 128));
    EXPECT_TRUE(w->alignment() & Qt::AlignHCenter);
    form->destroy();
}

TEST(ControlState, ChildrenStartWithTheParentsColourAndFont) {
    auto* form = qo::FormControl::Create(nullptr);
    EXPECT_EQ(form->color(), 0x8000000Fu);
    qo::FontDesc f;
    f.face = "Arial";
    f.height = 22;
    f.color = qo::clNavy;
    form->setFont(f);
    form->setColor(0xFF000005u);
    auto* label = qo::LabelControl::Create(form);
    EXPECT_EQ(label->color(), 0xFF000005u);
    EXPECT_EQ(label->font(), f);
    EXPECT_EQ(label->text(), "Push");
    form->destroy();
}

TEST(ControlState, SystemColoursFollowThePalette) {
    const QPalette p = QApplication::palette();
    EXPECT_EQ(qo::ResolveColor(0x80000005u), p.color(QPalette::Base).rgb() & 0xFFFFFFu);
    EXPECT_EQ(qo::ResolveColor(0xFF00000Fu), p.color(QPalette::Button).rgb() & 0xFFFFFFu);
    EXPECT_EQ(qo::ResolveColor(0x80000010u), p.color(QPalette::Dark).rgb() & 0xFFFFFFu);
    EXPECT_EQ(qo::ResolveColor(0x80000014u), p.color(QPalette::Light).rgb() & 0xFFFFFFu);
    EXPECT_EQ(qo::ResolveColor(0x00804020u), 0x204080u);
}

TEST(ControlState, ClientEdgeSwitchRemembersTheLastAsk) {
    auto* panel = qo::PanelControl::Create(nullptr, {});
    EXPECT_FALSE(panel->clientEdge());
    panel->setClientEdge(false); // already off: nothing changes
    EXPECT_FALSE(panel->style() & qo::WS_BORDER);
    panel->setClientEdge(true);
    EXPECT_TRUE(panel->exStyle() & qo::WS_EX_CLIENTEDGE);
    EXPECT_EQ(panel->clientRect().width, panel->width() - 4);
    panel->setClientEdge(false);
    EXPECT_FALSE(panel->exStyle() & qo::WS_EX_CLIENTEDGE);
    EXPECT_TRUE(panel->style() & qo::WS_BORDER);
    panel->destroy();
}

TEST(ControlState, LabelAutoSizeFollowsItsText) {
    auto* label = qo::LabelControl::Create(nullptr);
    label->setAutoSize(true);
    const qo::TextExtent e = label->textExtent("Push");
    EXPECT_EQ(label->width(), e.width + 1);
    EXPECT_EQ(label->height(), e.height + 1);
    label->setText("");
    EXPECT_EQ(label->width(), 1);
    EXPECT_EQ(label->height(), 1);
    label->destroy();
}

TEST(ControlState, PanelPaintsBevelsBorderAndFill) {
    auto* panel = qo::PanelControl::Create(nullptr, {2, 1, 1, 0, 1}); // raised outer, lowered inner
    panel->setBounds(0, 0, 20, 10);
    panel->setColor(0x0000FF);
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        panel->widget()->render(&p);
    }
    const QRgb light = qo::ResolveColor(qo::clBtnHighlight), dark = qo::ResolveColor(qo::clBtnShadow);
    auto at = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(at(0, 0), light);     // outer raised: light top-left
    EXPECT_EQ(at(19, 5), dark);     // dark bottom-right
    EXPECT_EQ(at(1, 1), 0xFF0000u); // border in the panel's colour
    EXPECT_EQ(at(2, 2), dark);      // inner lowered: dark top-left
    EXPECT_EQ(at(17, 7), light);
    EXPECT_EQ(at(5, 5), 0xFF0000u); // fill
    EXPECT_EQ(panel->margin(), 3);
    panel->destroy();
}

TEST(ControlMessages, HandlerChainReturnsThePreviousAndConsumptionStops) {
    auto* form = qo::FormControl::Create(nullptr);
    std::vector<std::string> log;
    form->setMessageHandler([&](qo::Message& m) {
        if (m.msg == qo::WM_CLOSE) log.push_back("first");
        return false;
    });
    auto previous = form->setMessageHandler(nullptr);
    bool refuse = true;
    form->setMessageHandler([&, previous](qo::Message& m) {
        if (m.msg == qo::WM_CLOSE) {
            log.push_back("second");
            if (refuse) return true;
        }
        return previous ? previous(m) : false;
    });
    ASSERT_TRUE(qotest::showForm(*form));
    form->widget()->close();
    EXPECT_EQ(log, std::vector<std::string>{"second"});
    EXPECT_TRUE(form->hasWindow());
    EXPECT_TRUE(form->widget()->isVisible());

    refuse = false;
    form->widget()->close(); // unconsumed: the window goes, the Control stays
    EXPECT_EQ(log, (std::vector<std::string>{"second", "second", "first"}));
    EXPECT_FALSE(form->hasWindow());
    EXPECT_FALSE(form->visible());
    form->destroy();
}

TEST(ControlMessages, ClosingTheMainFormEndsTheLoop) {
    auto* form = qo::FormControl::Create(nullptr);
    qo::ResetMessageLoop();
    QTimer::singleShot(0, [form] { form->send(qo::WM_CLOSE); });
    qo::RunMessageLoop(*form);
    EXPECT_TRUE(qo::MessageLoopTerminated());
    qo::ResetMessageLoop();
    form->destroy();
}

TEST(ControlMessages, ModalRunEndsOnAModalResultAndReenablesOthers) {
    auto* app = qo::ApplicationControl::Create();
    auto* main = qo::FormControl::Create(app);
    auto* dialog = qo::FormControl::Create(app);
    ASSERT_TRUE(qotest::showForm(*main));
    bool mainWasDisabled = false;
    QTimer::singleShot(0, [&] {
        mainWasDisabled = !main->enabled();
        dialog->setModalResult(7);
    });
    EXPECT_EQ(qo::RunModal(*dialog), 7);
    EXPECT_TRUE(mainWasDisabled);
    EXPECT_TRUE(main->enabled());
    app->destroy();
}

TEST(ControlMessages, MouseRecordCarriesButtonFlagsAndPackedPosition) {
    auto* form = qo::FormControl::Create(nullptr);
    auto* panel = qo::PanelControl::Create(form, {});
    panel->setBounds(10, 10, 100, 100);
    std::vector<qo::MouseEvent> downs, ups;
    int clicks = 0;
    panel->setOnMouseDown([&](const qo::MouseEvent& m) { downs.push_back(m); });
    panel->setOnMouseUp([&](const qo::MouseEvent& m) { ups.push_back(m); });
    panel->setOnClick([&] { ++clicks; });
    ASSERT_TRUE(qotest::showForm(*form));
    QTest::mouseClick(panel->widget(), Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(7, 9));
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, 2);
    EXPECT_EQ(downs[0].keys, qo::MK_RBUTTON | qo::MK_SHIFT | qo::MK_ALT);
    EXPECT_EQ(downs[0].position, qo::MakeLong(7, 9));
    EXPECT_EQ(ups[0].keys, qo::MK_SHIFT | qo::MK_ALT);
    EXPECT_EQ(clicks, 0); // only the left button clicks
    QTest::mouseClick(panel->widget(), Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(clicks, 1);
    form->destroy();
}

TEST(Services, OwnerRuleAndScriptedBoxes) {
    qotest::ScriptedPlatform platform;
    EXPECT_EQ(qo::OwnerControl(), nullptr);
    auto* app = qo::ApplicationControl::Create();
    auto* main = qo::FormControl::Create(app);
    qo::FormControl::Create(app);
    EXPECT_EQ(qo::OwnerControl(), main); // nothing active: the first form
    platform.boxAnswers.push_back(qo::IDNO);
    EXPECT_EQ(qo::ShowMessageBox(qo::OwnerControl(), "t", "c", qo::MB_YESNO | qo::MB_DEFBUTTON2), qo::IDNO);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].style, qo::MB_YESNO | qo::MB_DEFBUTTON2);
    EXPECT_EQ(platform.boxes[0].owner, main);
    EXPECT_EQ(qo::ProgramFolder(), platform.folder());
    platform.writeFile("Звук1.wav", "RIFF");
    EXPECT_TRUE(qo::FileExists(qo::ProgramFolder() + "Звук1.wav"));
    EXPECT_FALSE(qo::FileExists(qo::ProgramFolder()));
    qo::PlaySoundFile("x.wav");
    EXPECT_EQ(platform.sounds, std::vector<std::string>{"x.wav"});
    app->destroy();
    EXPECT_EQ(qo::ApplicationObject(), nullptr);
}

TEST(Services, FileDialogCancelGivesAnEmptyName) {
    qotest::ScriptedPlatform platform;
    qo::FileDialog dlg;
    dlg.title = "t";
    dlg.filter = "Tickets(*.tkt)|*.tkt|All|*.*";
    dlg.fileName = "stale";
    EXPECT_FALSE(dlg.execute());
    EXPECT_TRUE(dlg.fileName.empty());
    platform.dialogAnswers.push_back("/tmp/a.tkt");
    EXPECT_TRUE(dlg.execute());
    EXPECT_EQ(dlg.fileName, "/tmp/a.tkt");
    EXPECT_EQ(platform.dialogs.back().filter, dlg.filter);
}

} // namespace
