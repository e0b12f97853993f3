#pragma once
// Keeping a made widget in step with its Control's state: each Apply* pushes one part of the state
// into the widget when there is one (a drawn edit asks its panel to draw it again instead). The
// state is the truth; the widget only shows it. What a kind shows in its own way is its file
// pair's, found through KindOps (control_kind.h); so are the parts only one kind has (a form's
// window state, a memo's first line, a scroll box's bars), declared here with the rest.
#include <QSize>

class QPlainTextEdit;
class QWidget;

namespace qo {

class Control;

void ApplyGeometry(Control& c);
void ApplyPalette(Control& c);
void ApplyFont(Control& c);
void ApplyText(Control& c);
void ApplyVisible(Control& c);
void ApplyEnabled(Control& c);
void ApplyStyles(Control& c);
// A memo's read-only style, and what the keys do in it then.
void ApplyReadOnly(Control& c, QPlainTextEdit& memo);
void ApplyCursor(Control& c);
// Whether the pointer over `c` is the text cursor rather than the arrow.
bool ShowsTextCursor(const Control& c);
void ApplyAlignment(Control& c);
void ApplyScrollBars(Control& c);
void ApplyFirstLine(Control& c);
void ApplyWindowState(Control& c);
// Whether the window system is yet to frame and map the form's window, as it will: a state asked
// now waits for that (how long at most: kFrameWaitMs).
bool AwaitsFrame(QWidget& w);
constexpr int kFrameWaitMs = 1000;
// The state a form was asked for before its window was framed, taken once it is, or `now`.
void ApplyStateOnceFramed(Control& c, bool now);
void ApplyOpacity(Control& c);
void ApplyIcon(Control& c);
// The form's menu bar from its menu's item tree (menu_bar.cpp).
void ApplyMenu(Control& c);

// Frame thickness the window draws around its client area.
int NonClientInset(const Control& c);
// Extra outer size of a realised form over its client area (frame and menu bar).
void FormDecorations(const Control& c, int& extraWidth, int& extraHeight);
int ScrollBarExtent();
int EditFrameWidth(const Control& c);

} // namespace qo
