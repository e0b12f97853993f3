#include "real_display/x_tools.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

#include "support/wait.h"

namespace qotest::x {
namespace {

QString WindowId(QWidget* window) {
    return QString::number(window->winId());
}

QSize HintSize(const QString& hints, const char* which) {
    const QRegularExpression re(
        QStringLiteral("program specified %1 size: (\\d+) by (\\d+)").arg(QLatin1String(which)));
    const QRegularExpressionMatch m = re.match(hints);
    return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

} // namespace

QString unavailableReason() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QStringLiteral("no X display: the toolkit runs on \"%1\"")
            .arg(QGuiApplication::platformName());
    for (const char* tool : {"xdotool", "xprop"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
    }
    return {};
}

std::optional<QString> run(const QString& tool, const QStringList& args, int ms) {
    QProcess p;
    // xprop writes a UTF-8 title as UTF-8 only under a UTF-8 locale; otherwise as octal escapes.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(tool, args);
    const bool ended = waitUntil([&] { return p.state() == QProcess::NotRunning; }, ms);
    if (!ended) {
        p.kill();
        p.waitForFinished(1000);
        return std::nullopt;
    }
    if (p.error() == QProcess::FailedToStart || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool activate(QWidget* window) {
    if (!run(QStringLiteral("xdotool"),
             {QStringLiteral("windowactivate"), QStringLiteral("--sync"), WindowId(window)}))
        return false;
    return waitUntil([&] { return QApplication::activeWindow() == window; });
}

bool focus(QWidget* w) {
    if (!activate(w->window())) return false;
    w->setFocus();
    return waitUntil([&] { return w->hasFocus(); });
}

bool type(const QString& text) {
    return run(QStringLiteral("xdotool"), {QStringLiteral("type"), text}).has_value();
}

bool keys(const QStringList& names) {
    return run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + names).has_value();
}

bool click(QWidget* w, QPoint at, int button) {
    const QPoint p = w->mapToGlobal(at);
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(p.x()),
                QString::number(p.y()), QStringLiteral("click"), QString::number(button)})
        .has_value();
}

bool movePointer(QWidget* w, QPoint at) {
    const QPoint p = w->mapToGlobal(at);
    return run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                           QString::number(p.x()), QString::number(p.y())})
        .has_value();
}

bool movePointerBy(int dx, int dy) {
    return run(QStringLiteral("xdotool"), {QStringLiteral("mousemove_relative"), QStringLiteral("--sync"),
                                           QStringLiteral("--"), QString::number(dx), QString::number(dy)})
        .has_value();
}

Layouts::Layouts(const QString& layouts) {
    run(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), layouts});
}

Layouts::~Layouts() {
    run(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), QStringLiteral("us,ru")});
}

QString wmName(QWidget* window) {
    const std::optional<QString> out = run(
        QStringLiteral("xprop"), {QStringLiteral("-id"), WindowId(window), QStringLiteral("_NET_WM_NAME")});
    if (!out) return {};
    // _NET_WM_NAME(UTF8_STRING) = "Игра — Фишкодром"
    const qsizetype first = out->indexOf(QLatin1Char('"'));
    const qsizetype last = out->lastIndexOf(QLatin1Char('"'));
    return first >= 0 && last > first ? out->mid(first + 1, last - first - 1) : QString();
}

SizeHints sizeHints(QWidget* window) {
    const QString hints = run(QStringLiteral("xprop"),
                              {QStringLiteral("-id"), WindowId(window), QStringLiteral("WM_NORMAL_HINTS")})
                              .value_or(QString());
    return {HintSize(hints, "minimum"), HintSize(hints, "maximum")};
}

} // namespace qotest::x
