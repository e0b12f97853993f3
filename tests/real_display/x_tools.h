#pragma once
// The X tools the real-display tests act and look through: xdotool presses keys as a player's
// keyboard does (with the layouts the display has loaded) and asks the window manager to activate
// or resize windows; xprop reads a window's properties as the window manager sees them. Every tool
// runs while this process goes on handling its events, so the program answers meanwhile.
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace qotest::x {

// Why the group cannot run in this process ("" when it can): no X display, or a tool missing.
QString unavailableReason();

// Runs a tool to its end (at most `ms`), handling events meanwhile. Its standard output, or
// nothing when it could not start, failed or overran.
std::optional<QString> run(const QString& tool, const QStringList& args, int ms = 10'000);

// Makes `window` the window manager's active window and waits until the toolkit agrees.
bool activate(QWidget* window);
// Activates the window of `w` and gives `w` the keyboard focus.
bool focus(QWidget* w);

// Types a text; only the keys of the layouts loaded. Each run of `xdotool type` is its own call:
// it takes every later argument for text, and sends '\n' as Linefeed rather than Return.
bool type(const QString& text);
// Presses and releases keys by their names ("Return", "Tab", "shift+Tab").
bool keys(const QStringList& names);
// Moves the pointer to `at` in `w` and clicks `button` (1 left, 3 right) there.
bool click(QWidget* w, QPoint at, int button = 1);
// Moves the pointer to `at` in `w`, no button down.
bool movePointer(QWidget* w, QPoint at);
// Moves the pointer by so many pixels, no button down.
bool movePointerBy(int dx, int dy);

// Switches the display's keyboard layouts (setxkbmap -layout, "ru,us") for its lifetime, and back
// to the session's "us,ru" after.
class Layouts {
public:
    explicit Layouts(const QString& layouts);
    ~Layouts();
    Layouts(const Layouts&) = delete;
    Layouts& operator=(const Layouts&) = delete;
};

// _NET_WM_NAME: the title the window manager shows.
QString wmName(QWidget* window);

// WM_NORMAL_HINTS: the size limits the window asks of the window manager; invalid where not given.
struct SizeHints {
    QSize minimum;
    QSize maximum;
};
SizeHints sizeHints(QWidget* window);

} // namespace qotest::x
