// Linked into a start-up probe: ends the process as soon as every window it shows has drawn its
// first frame, so a process timer (hyperfine) measures exactly the way from exec to the first
// sight of the windows. Nothing after that — closing, writing settings — is counted.
#include <QApplication>
#include <QEvent>
#include <QSet>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace {

class FirstFrame : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow() || painted_.contains(widget)) return false;
        painted_.insert(widget);
        // After the paint pass, so the window's children are drawn too.
        QMetaObject::invokeMethod(
            this, [this] { EndWhenAllShown(); }, Qt::QueuedConnection);
        return false;
    }

private:
    void EndWhenAllShown() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !painted_.contains(w)) return;
        std::fflush(nullptr);
        _exit(0);
    }
    QSet<QWidget*> painted_;
};

void Install() {
    qApp->installEventFilter(new FirstFrame);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Install)
