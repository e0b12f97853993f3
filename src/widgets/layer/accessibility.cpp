// What assistive technology learns about a Control: its name and description, kept in the
// Control and pushed into whichever widget realises it; and what the toolkit cannot guess about
// the widgets the layer paints itself (a label is static text named by its caption).
#include "widgets/layer/accessibility.h"
#include "widgets/layer/control_kind.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/painted_edit.h"
#include "widgets/layer/routed_widget.h"
#include <QAccessible>
#include <QAccessibleWidget>

namespace qo {
namespace {

// A painted label or panel: the toolkit sees a bare frame with no text, so say what it shows.
class PaintedAccessible final : public QAccessibleWidget {
public:
    PaintedAccessible(QWidget* w, QAccessible::Role role, Control* const* control)
        : QAccessibleWidget(w, role), control_(control) {}

    QString text(QAccessible::Text t) const override {
        // A name made when asked is made now: what it says may have changed since the widget was
        // last told (a ticket's summary changes with every call, and nobody tells every ticket).
        if (t == QAccessible::Name && *control_) {
            const AccessibleState* a = (*control_)->d().accessible();
            if (a && a->source) return ToQString(a->source());
        }
        QString s = QAccessibleWidget::text(t);
        // Read when asked: a label's caption changes often ("Осталось: 86"), its name with it.
        if (t == QAccessible::Name && s.isEmpty() && *control_) s = ToQString((*control_)->text());
        return s;
    }

private:
    Control* const* control_; // the widget's own link back, cut when the Control goes
};

QAccessibleInterface* PaintedWidgetFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QFrame")) return nullptr;
    auto* w = qobject_cast<QWidget*>(object);
    RoutedBase* routed = w ? RoutedOf(w) : nullptr;
    if (!routed) return nullptr;
    const QAccessible::Role role = KindOps(routed->kind).paintedRole;
    if (role == QAccessible::NoRole) return nullptr;
    return new PaintedAccessible(w, role, &routed->control);
}

} // namespace

void ApplyAccessibility(Control& c) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&PaintedWidgetFactory);
        return true;
    }();
    (void)factoryInstalled;
    QWidget* w = c.d().widget;
    if (!w) return;
    // Compared first: setting announces a change to a listening screen reader.
    const QString name = ToQString(c.accessibleName());
    if (w->accessibleName() != name) w->setAccessibleName(name);
    const QString description = ToQString(c.accessibleDescription());
    if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    const QString tip = ToQString(c.toolTip());
    if (w->toolTip() != tip) w->setToolTip(tip);
}

void AccessibleTextChanged(Control& c) {
    const auto& d = c.d();
    if (!d.widget) return;
    const bool ownSource = d.accessible() && d.accessible()->source;
    const bool parentNames = d.parent && d.parent->d().accessible() && d.parent->d().accessible()->childNames;
    if (ownSource || parentNames) ApplyAccessibility(c);
}

static AccessibleState& Accessible(ControlPrivate& d) {
    auto& a = d.attachedW().accessible;
    if (!a) a = std::make_unique<AccessibleState>();
    return *a;
}

void Control::setAccessibleName(std::string_view name) {
    auto& a = Accessible(*d_);
    a.name = std::string(name);
    a.source = nullptr;
    ApplyAccessibility(*this);
}

void Control::setAccessibleNameSource(NameSource source) {
    auto& a = Accessible(*d_);
    a.name.clear();
    a.source = std::move(source);
    ApplyAccessibility(*this);
}

void Control::setChildAccessibleNames(ChildNames names) {
    Accessible(*d_).childNames = std::move(names);
    for (Control* child : d_->children)
        ApplyAccessibility(*child);
}

void Control::refreshAccessibleName() {
    // Without a widget there is nobody to tell; the name is made again when one is.
    if (d_->widget) ApplyAccessibility(*this);
}

std::string Control::accessibleName() const {
    if (const auto* a = d_->accessible()) {
        if (a->source) return a->source();
        if (!a->name.empty()) return a->name;
    }
    const auto* parent = d_->parent ? d_->parent->d_->accessible() : nullptr;
    if (parent && parent->childNames) return parent->childNames(*this);
    return {};
}

void Control::setAccessibleDescription(std::string_view description) {
    Accessible(*d_).description = std::string(description);
    ApplyAccessibility(*this);
}

std::string Control::accessibleDescription() const {
    return d_->accessible() ? d_->accessible()->description : std::string();
}

void Control::setToolTip(std::string_view text) {
    const AccessibleState* a = d_->accessible();
    if (a ? !a->toolTipSource && a->toolTip == text : text.empty()) return;
    auto& state = Accessible(*d_);
    state.toolTipSource = nullptr;
    state.toolTip = std::string(text);
    ApplyAccessibility(*this);
}

void Control::setToolTipSource(NameSource source) {
    auto& state = Accessible(*d_);
    state.toolTip.clear();
    state.toolTipSource = std::move(source);
    ApplyAccessibility(*this);
}

std::string Control::toolTip() const {
    const AccessibleState* a = d_->accessible();
    if (!a) return {};
    return a->toolTipSource ? a->toolTipSource() : a->toolTip;
}

void Control::setMark(Color frame) {
    if (mark() == frame) return;
    Accessible(*d_).mark = frame;
    if (d_->widget) {
        d_->widget->update();
    } else {
        UpdatePainted(*this);
    }
}

Color Control::mark() const {
    return d_->accessible() ? d_->accessible()->mark : kNoMark;
}

} // namespace qo
