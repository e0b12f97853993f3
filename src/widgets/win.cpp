#include "widgets/win.h"

#include <array>
#include <string_view>

#include "runtime/cp1251.h"
#include "widgets/layer/form_control.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/platform.h"
#include "widgets/layer/string_list.h"

namespace qo {

namespace {

// Messages of control kinds this program never makes; kept entries that name them still talk to
// the control in these numbers, so a settings file written elsewhere round-trips unchanged.
constexpr std::uint32_t BM_GETCHECK = 0x00F0;
constexpr std::uint32_t BM_SETCHECK = 0x00F1;
constexpr std::uint32_t PBM_SETPOS = 1026;
constexpr std::uint32_t PBM_GETPOS = 1032;
constexpr std::uint32_t TBM_GETPOS = 1024;
constexpr std::uint32_t TBM_SETPOS = 1029;
constexpr std::uint32_t TBM_SETTICFREQ = 1044;
constexpr std::uint32_t UDM_SETPOS = 1137;
constexpr std::uint32_t UDM_GETPOS = 1138;

int MouseMoveValue(int keys) {
    switch (keys) {
    case MK_LBUTTON:
        return 0;
    case MK_RBUTTON:
        return 1;
    case MK_MBUTTON:
        return 2;
    default:
        return 255;
    }
}

} // namespace

TQOWin::TQOWin(Control* parent) : color(parent ? parent->color() : clBtnFace), parent_(parent) {}

TQOWin::~TQOWin() {
    if (control_) control_->destroy();
}

void TQOWin::InstallMessageHandler() {
    savedHandler = control_->setMessageHandler([this](Message& m) { return HandleMessage(m); });
}

void TQOWin::InstallHandlers() {
    control_->setOnMouseDown([this](const MouseEvent& e) { HandleMouseDown(e); });
    control_->setOnMouseMove([this](const MouseEvent& e) { HandleMouseMove(e); });
    control_->setOnMouseUp([this](const MouseEvent& e) { HandleMouseUp(e); });
    control_->setOnDoubleClick([this](const MouseEvent& e) {
        RecordMouse(e);
        FireNull(onDblClick);
    });
    control_->setOnKeyDown([this](int& key, int shift) { HandleKeyDown(key, shift); });
    control_->setOnKeyUp([this](int& key, int shift) { HandleKeyUp(key, shift); });
    control_->setOwner(this);
    control_->setOnDestroyed([this] { ControlDestroyed(); });
    control_->setOnResize([this] { FireNull(onResize); });
}

void TQOWin::ApplyFont() {
    if (useParentFont) {
        control_->copyParentFont();
        return;
    }
    // NOTE: all parts at once: set one by one, each part would give the control a font of its own
    // for a moment, and a control sized by its text would measure it in each of them.
    FontDesc whole = control_->font();
    whole.color = font.color;
    whole.style = font.style;
    whole.face = font.face;
    whole.height = FontHeightForSize(font.size);
    whole.charset = font.charset;
    control_->setFont(whole);
}

void TQOWin::Init() {
    if (!control_) return;
    InstallMessageHandler();
    InstallHandlers();

    control_->setPosition(left, top);
    control_->setSize(width, height);
    control_->setAlign(align);
    control_->setColor(color);
    control_->setClientEdge(flatBorder == 0);
    control_->setTransparent(transparent != 0);
    control_->setEnabled(enabled != 0);
    control_->setVisible(visible != 0);
    control_->setCursor(cursor);

    ApplyFont();

    if (taborder > 0) {
        control_->setStyle(control_->style() | WS_TABSTOP);
        control_->setTabNavigates(true);
        control_->setFocusable(true);
        control_->setTabPosition(taborder);
    } else {
        control_->setFocusable(taborder == 0);
    }

    // NOTE: the layer has no tooltip window; no element of this program carries a hint.

    if (keepProperties) LoadKeptProperties();
}

bool TQOWin::CallSavedHandler(Message& m) {
    return savedHandler ? savedHandler(m) : false;
}

bool TQOWin::HandleMessage(Message& m) {
    if (m.msg == WM_SETFOCUS)
        FireNull(onFocus);
    else if (m.msg == WM_KILLFOCUS)
        FireNull(onBlur);
    return CallSavedHandler(m);
}

void TQOWin::RecordMouse(const MouseEvent& e) {
    lastButton = e.button;
    lastKeys = e.keys;
    lastPosition = e.position;
}

void TQOWin::HandleKeyDown(int& key, int) {
    FireInteger(onKeyDown, key);
}

void TQOWin::HandleKeyUp(int& key, int) {
    FireInteger(onKeyUp, key);
}

void TQOWin::HandleMouseDown(const MouseEvent& e) {
    RecordMouse(e);
    if (captureMouse && control_) {
        control_->releaseCapture();
        control_->setCapture();
    }
    FireInteger(onMouseDown, e.button - 1);
}

void TQOWin::HandleMouseMove(const MouseEvent& e) {
    RecordMouse(e);
    FireInteger(onMouseMove, MouseMoveValue(e.keys));
}

void TQOWin::HandleMouseUp(const MouseEvent& e) {
    RecordMouse(e);
    if (captureMouse && control_) control_->releaseCapture();
    FireInteger(onMouseUp, e.button - 1);
}

void TQOWin::ControlDestroyed() {
    if (keepProperties) SaveKeptProperties();
    control_ = nullptr;
}

void TQOWin::SetEnabled(TData& d, std::uint16_t) {
    if (control_) control_->setEnabled(ToBool(d));
}

void TQOWin::WindowHandle(TData& d, std::uint16_t) {
    if (control_)
        MakeInteger(d, control_->handle());
    else
        MakeInteger(d, 0);
}

void TQOWin::ControlObject(TData& d, std::uint16_t) {
    MakeInteger(d, control_ ? control_->id() : 0);
}

std::string TQOWin::SettingsPath() const {
    if (settingsFile.empty()) return {};
    return SettingsFolder() + Cp1251ToUtf8(settingsFile.str());
}

void TQOWin::LoadKeptProperties() {
    ProcessKeptProperties(false);
}

void TQOWin::SaveKeptProperties() {
    ProcessKeptProperties(true);
}

// Each line "name=key" names one property and the key it lives under. Names are matched
// case-sensitively and whole; an unknown name does nothing.
void TQOWin::ProcessKeptProperties(bool save) {
    if (!control_ || keptPropertyList.empty() || settingsFile.empty() || settingsSection.empty()) return;
    const IniFile ini(SettingsPath());
    const std::string& section = settingsSection;
    Control& c = *control_;

    // A form kept maximised keeps the place a restore goes back to, as well as its state: its
    // maximised rectangle, taken for that place, would open the next start partly off the screen.
    FormControl* const form = As<FormControl>(&c);
    const Rect place = form ? form->normalBounds() : c.bounds();
    // NOTE: a kept place is judged whole, once its keys are read and before a kept state makes a
    // maximised window of it; the file keeps what it holds.
    bool placed = save || !form;
    const auto placeOnScreen = [&] {
        if (!placed) form->bringOntoScreen();
        placed = true;
    };

    StringList lines;
    lines.setText(keptPropertyList.str());
    for (const std::string& line : lines.lines()) {
        const auto eq = line.find('=');
        const std::string_view name = std::string_view(line).substr(0, eq);
        const std::string key = eq == std::string::npos ? std::string() : line.substr(eq + 1);

        auto integer = [&](std::int32_t current, auto apply) {
            if (save)
                ini.writeInteger(section, key, current);
            else
                apply(ini.readInteger(section, key, current));
        };
        auto boolean = [&](bool current, auto apply) {
            if (save)
                ini.writeBool(section, key, current);
            else
                apply(ini.readBool(section, key, current));
        };
        auto text = [&](const std::string& current, auto apply) {
            if (save)
                ini.writeString(section, key, current);
            else
                apply(ini.readString(section, key, current));
        };
        // Positions of progress bars, track bars and up-downs travel in their controls' messages.
        auto position = [&](std::uint32_t get, auto set) {
            integer(static_cast<std::int32_t>(c.send(get)), set);
        };

        if (name == "left") {
            integer(place.left, [&](std::int32_t v) { c.setPosition(v, c.top()); });
        } else if (name == "top") {
            integer(place.top, [&](std::int32_t v) { c.setPosition(c.left(), v); });
        } else if (name == "width") {
            integer(place.width, [&](std::int32_t v) { c.setBounds(c.left(), c.top(), v, c.height()); });
        } else if (name == "height") {
            integer(place.height, [&](std::int32_t v) { c.setBounds(c.left(), c.top(), c.width(), v); });
        } else if (name == "align") {
            integer(c.align(), [&](std::int32_t v) { c.setAlign(v); });
        } else if (name == "taborder") {
            integer(c.tabPosition(), [&](std::int32_t v) { c.setTabPosition(v); });
        } else if (name == "color") {
            integer(static_cast<std::int32_t>(c.color()),
                    [&](std::int32_t v) { c.setColor(static_cast<Color>(v)); });
        } else if (name == "font") {
            const FontDesc f = c.font();
            if (save) {
                ini.writeString(section, key + "_FontName", f.face);
                ini.writeInteger(section, key + "_FontColor", static_cast<std::int32_t>(f.color));
                ini.writeInteger(section, key + "_FontSize", f.height);
            } else {
                c.setFontFace(ini.readString(section, key + "_FontName", f.face));
                c.setFontColor(static_cast<Color>(
                    ini.readInteger(section, key + "_FontColor", static_cast<std::int32_t>(f.color))));
                c.setFontHeight(ini.readInteger(section, key + "_FontSize", f.height));
            }
        } else if (name == "visible") {
            boolean(c.visible(), [&](bool v) { c.setVisible(v); });
        } else if (name == "enabled") {
            boolean(c.enabled(), [&](bool v) { c.setEnabled(v); });
        } else if (name == "cursor") {
            integer(c.cursor(), [&](std::int32_t v) { c.setCursor(v); });
        } else if (name == "caption" || name == "text") {
            text(c.text(), [&](const std::string& v) { c.setText(v); });
        } else if (name == "shadowdeep") {
            integer(foreign_[0], [&](std::int32_t v) { foreign_[0] = v; });
        } else if (name == "colorshadow") {
            integer(foreign_[1], [&](std::int32_t v) { foreign_[1] = v; });
        } else if (name == "ehi_position") {
            integer(foreign_[2], [&](std::int32_t v) { foreign_[2] = v; });
        } else if (name == "selected" || name == "checked") {
            boolean(c.send(BM_GETCHECK) != 0, [&](bool v) { c.send(BM_SETCHECK, v ? 1 : 0); });
        } else if (name == "position") {
            position(PBM_GETPOS, [&](std::int32_t v) {
                c.send(PBM_SETPOS, static_cast<std::uintptr_t>(v));
                c.repaint();
            });
        } else if (name == "alphablendvalue") {
            if (form)
                integer(form->opacity(), [&](std::int32_t v) { form->setOpacity(v); });
            else
                integer(foreign_[3], [&](std::int32_t v) { foreign_[3] = v; });
        } else if (name == "windowsstate") {
            if (form) {
                integer(form->windowState(), [&](std::int32_t v) {
                    placeOnScreen();
                    const int state = v & 0xFF;
                    if (state != form->windowState()) form->setWindowState(state);
                });
            } else {
                integer(foreign_[4], [&](std::int32_t v) { foreign_[4] = v; });
            }
        } else if (name == "mh_tickcount") {
            integer(tickCount_, [&](std::int32_t v) {
                tickCount_ = v;
                c.send(TBM_SETTICFREQ, static_cast<std::uintptr_t>(v), 1);
            });
        } else if (name == "mh_position") {
            position(TBM_GETPOS, [&](std::int32_t v) { c.send(TBM_SETPOS, 1, v); });
        } else if (name == "ud_posotion") {
            position(UDM_GETPOS, [&](std::int32_t v) { c.send(UDM_SETPOS, 0, v); });
        }
    }
    placeOnScreen();
}

} // namespace qo
