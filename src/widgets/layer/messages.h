#pragma once
// Message numbers, style bits and answer codes in their Win32 values. The window elements are
// written against these numbers; the layer produces them from toolkit events and acts on them.
#include <cstdint>

namespace qo {

// One message travelling through a control's chain of raw handlers. A handler that consumes the
// message returns true and may set `result`; otherwise the control's default processing follows.
struct Message {
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::intptr_t result = 0;
};

constexpr std::int32_t MakeLong(int low, int high) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                     (static_cast<std::uint32_t>(high) << 16));
}
constexpr int LowWord(std::intptr_t v) {
    return static_cast<int>(v & 0xFFFF);
}
constexpr int HighWord(std::intptr_t v) {
    return static_cast<int>((v >> 16) & 0xFFFF);
}

// Window messages.
constexpr std::uint32_t WM_MOVE = 0x0003;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_SETFOCUS = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
constexpr std::uint32_t WM_ENABLE = 0x000A;
constexpr std::uint32_t WM_SETTEXT = 0x000C;
constexpr std::uint32_t WM_GETTEXTLENGTH = 0x000E;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t WM_HSCROLL = 0x0114;
constexpr std::uint32_t WM_VSCROLL = 0x0115;
constexpr std::uint32_t WM_MENUSELECT = 0x011F;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;

// WM_SIZE wParam.
constexpr std::uintptr_t SIZE_RESTORED = 0;
constexpr std::uintptr_t SIZE_MINIMIZED = 1;
constexpr std::uintptr_t SIZE_MAXIMIZED = 2;

// WM_ACTIVATE wParam (low word).
constexpr std::uintptr_t WA_INACTIVE = 0;
constexpr std::uintptr_t WA_ACTIVE = 1;
constexpr std::uintptr_t WA_CLICKACTIVE = 2;

// WM_SYSCOMMAND: move the window with the mouse, as a press on the caption would.
constexpr std::uintptr_t SC_DRAGMOVE = 0xF012;

// WM_MENUSELECT flags (high word of wParam).
constexpr std::uint32_t MF_POPUP = 0x0010;
constexpr std::uint32_t MF_HILITE = 0x0080;

// Edit messages.
constexpr std::uint32_t EM_GETSEL = 0x00B0;
constexpr std::uint32_t EM_SETSEL = 0x00B1;
constexpr std::uint32_t EM_LINESCROLL = 0x00B6; // wParam: characters to the right, lParam: lines down
constexpr std::uint32_t EM_GETLINECOUNT = 0x00BA;
constexpr std::uint32_t EM_REPLACESEL = 0x00C2; // lParam: const char* (Windows-1251, NUL-ended)
constexpr std::uint32_t EM_LIMITTEXT = 0x00C5;
constexpr std::uint32_t EM_GETFIRSTVISIBLELINE = 0x00CE;

// Edit notification codes (high word of a WM_COMMAND wParam).
constexpr int EN_CHANGE = 0x0300;
constexpr int BN_CLICKED = 0;

// Scroll request codes (low word of WM_VSCROLL / WM_HSCROLL wParam; the high word carries the
// track position for SB_THUMBTRACK and SB_THUMBPOSITION).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

// Window styles.
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_HSCROLL = 0x00100000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_DISABLED = 0x08000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;

// Button and static styles the controls are made with.
constexpr std::uint32_t BS_PUSHLIKE = 0x00001000;
constexpr std::uint32_t SS_LEFTNOWORDWRAP = 0x0000000C;
constexpr std::uint32_t SS_NOPREFIX = 0x00000080;
constexpr std::uint32_t SS_NOTIFY = 0x00000100;

// Extended window styles.
constexpr std::uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080;
constexpr std::uint32_t WS_EX_WINDOWEDGE = 0x00000100;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
constexpr std::uint32_t WS_EX_CONTROLPARENT = 0x00010000;
constexpr std::uint32_t WS_EX_LAYERED = 0x00080000;

// Edit styles.
constexpr std::uint32_t ES_LEFT = 0x0000;
constexpr std::uint32_t ES_CENTER = 0x0001;
constexpr std::uint32_t ES_RIGHT = 0x0002;
constexpr std::uint32_t ES_MULTILINE = 0x0004;
constexpr std::uint32_t ES_UPPERCASE = 0x0008;
constexpr std::uint32_t ES_LOWERCASE = 0x0010;
constexpr std::uint32_t ES_PASSWORD = 0x0020;
constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t ES_NOHIDESEL = 0x0100;
constexpr std::uint32_t ES_OEMCONVERT = 0x0400;
constexpr std::uint32_t ES_READONLY = 0x0800;
constexpr std::uint32_t ES_WANTRETURN = 0x1000;
constexpr std::uint32_t ES_NUMBER = 0x2000;

// The 12-bit option set an edit is created with; each bit adds styles (EditStylesFor).
namespace edit_option {
constexpr std::uint32_t NoHScroll = 1u << 0; // clear: WS_HSCROLL | ES_AUTOHSCROLL (multi-line only)
constexpr std::uint32_t NoVScroll = 1u << 1; // clear: WS_VSCROLL | ES_AUTOVSCROLL (multi-line only)
constexpr std::uint32_t LowerCase = 1u << 2;
constexpr std::uint32_t MultiLine = 1u << 3;
constexpr std::uint32_t NoHideSel = 1u << 4;
constexpr std::uint32_t OemConvert = 1u << 5;
constexpr std::uint32_t Password = 1u << 6;
constexpr std::uint32_t ReadOnly = 1u << 7;
constexpr std::uint32_t UpperCase = 1u << 8;
constexpr std::uint32_t WantReturn = 1u << 9;
constexpr std::uint32_t KeepTab = 1u << 10; // the edit handles Tab itself; navigation leaves it alone
constexpr std::uint32_t Number = 1u << 11;
} // namespace edit_option

// Window styles the option set adds to an edit's base style.
std::uint32_t EditStylesFor(std::uint32_t options);

// The cursor handle every edit of the program carries; the layer shows the text cursor for it.
constexpr int IDC_EDIT_CURSOR = 19;

// Mouse key flags of the mouse record (Alt is the layer's addition).
constexpr int MK_LBUTTON = 1;
constexpr int MK_RBUTTON = 2;
constexpr int MK_SHIFT = 4;
constexpr int MK_CONTROL = 8;
constexpr int MK_MBUTTON = 16;
constexpr int MK_ALT = 32;

// Virtual key codes the layer produces. Letters and digits are their upper-case ASCII codes.
constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18;
constexpr int VK_PAUSE = 19;
constexpr int VK_CAPITAL = 20;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_PRIOR = 33;
constexpr int VK_NEXT = 34;
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F10 = 0x79;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LWIN = 0x5B;
constexpr int VK_APPS = 0x5D;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_SNAPSHOT = 0x2C;
// Punctuation keys, named by where they lie on a US keyboard.
constexpr int VK_OEM_1 = 0xBA;      // ; :
constexpr int VK_OEM_PLUS = 0xBB;   // = +
constexpr int VK_OEM_COMMA = 0xBC;  // , <
constexpr int VK_OEM_MINUS = 0xBD;  // - _
constexpr int VK_OEM_PERIOD = 0xBE; // . >
constexpr int VK_OEM_2 = 0xBF;      // / ?
constexpr int VK_OEM_3 = 0xC0;      // ` ~
constexpr int VK_OEM_4 = 0xDB;      // [ {
constexpr int VK_OEM_5 = 0xDC;      // \ |
constexpr int VK_OEM_6 = 0xDD;      // ] }
constexpr int VK_OEM_7 = 0xDE;      // ' "
constexpr int VK_OEM_102 = 0xE2;    // the extra key beside the left Shift of a European keyboard
// A character that came without a key the layer can name (typed through an input method, say).
constexpr int VK_PACKET = 0xE7;
// A key with no code of its own (a media or vendor key).
constexpr int VK_UNMAPPED = 0xFF;

// Message box styles and answers.
constexpr std::uint32_t MB_OK = 0x00;
constexpr std::uint32_t MB_OKCANCEL = 0x01;
constexpr std::uint32_t MB_ABORTRETRYIGNORE = 0x02;
constexpr std::uint32_t MB_YESNOCANCEL = 0x03;
constexpr std::uint32_t MB_YESNO = 0x04;
constexpr std::uint32_t MB_RETRYCANCEL = 0x05;
constexpr std::uint32_t MB_TYPEMASK = 0x0F;
constexpr std::uint32_t MB_ICONHAND = 0x10;
constexpr std::uint32_t MB_ICONQUESTION = 0x20;
constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;
constexpr std::uint32_t MB_ICONASTERISK = 0x40;
constexpr std::uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr std::uint32_t MB_ICONMASK = 0xF0;
constexpr std::uint32_t MB_DEFBUTTON1 = 0x000;
constexpr std::uint32_t MB_DEFBUTTON2 = 0x100;
constexpr std::uint32_t MB_DEFBUTTON3 = 0x200;
constexpr std::uint32_t MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// File dialog options.
constexpr std::uint32_t OFN_READONLY = 0x00000001;
constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x00000002;
constexpr std::uint32_t OFN_HIDEREADONLY = 0x00000004;
constexpr std::uint32_t OFN_ALLOWMULTISELECT = 0x00000200;
constexpr std::uint32_t OFN_PATHMUSTEXIST = 0x00000800;
constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x00001000;
constexpr std::uint32_t OFN_DEFAULT =
    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST;

} // namespace qo
