// The line interface of edits and memos. Lines are those the box shows: a memo that does not
// scroll sideways wraps its paragraphs at its text width, computed here with the same text layout
// the box uses, so the answer does not depend on the box having been shown.
#include "widgets/layer/accessibility.h"
#include "widgets/layer/apply.h"
#include "widgets/layer/control_state.h"
#include "widgets/layer/delivery.h"
#include "widgets/layer/edit_text.h"
#include "widgets/layer/encoding.h"
#include "widgets/layer/scroll_view.h"
#include "widgets/layer/style_cache.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace qo {
namespace {

constexpr int kDocumentMargin = 4; // the box's document margin

bool Wraps(const ControlPrivate& d) {
    return d.kind == ControlKind::Memo && !(d.style & (ES_AUTOHSCROLL | WS_HSCROLL));
}

int TextWidth(const Control& c) {
    const auto& d = c.d();
    int w = d.bounds.width - 2 * EditFrameWidth(c) - 2 * kDocumentMargin;
    if (d.style & WS_VSCROLL) w -= ScrollBarExtent();
    return std::max(1, w);
}

// Positions in the stored text count a line break as two characters (CR LF); the box counts one.
int ToStored(const ControlPrivate& d, int shown) {
    if (d.kind != ControlKind::Memo) return shown;
    EnsureLines(d.self());
    const QString& text = d.rare().qtext;
    const int n = std::min<int>(shown, static_cast<int>(text.size()));
    return shown + static_cast<int>(std::count(text.begin(), text.begin() + n, QChar('\n')));
}

int ToShown(const ControlPrivate& d, int stored) {
    if (d.kind != ControlKind::Memo) return stored;
    EnsureLines(d.self());
    const QString& text = d.rare().qtext;
    int shown = 0, pos = 0;
    while (shown < text.size() && pos < stored) {
        pos += text.at(shown) == QChar('\n') ? 2 : 1;
        ++shown;
    }
    return shown;
}

void SyncSelectionFromWidget(const ControlPrivate& d, int& start, int& end) {
    if (auto* e = qobject_cast<QLineEdit*>(d.widget.data())) {
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            end = e->selectionEnd();
        } else {
            start = end = e->cursorPosition();
        }
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        const QTextCursor cur = m->textCursor();
        start = cur.selectionStart();
        end = cur.selectionEnd();
    } else {
        start = ToShown(d, d.selStart);
        end = ToShown(d, d.selEnd);
    }
}

} // namespace

QString EditDisplayText(std::string_view cp1251) {
    QString s = ToQString(cp1251);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

std::string EditStoredText(const QString& shown) {
    QString s = shown;
    s.replace(QChar('\n'), QStringLiteral("\r\n"));
    return FromQString(s);
}

void InvalidateLines(const Control& c) {
    if (c.d().rare().linesValid) c.d().rareW().linesValid = false;
}

void EnsureLines(const Control& c) {
    const auto& d = c.d();
    if (d.rare().linesValid) return;
    RareState& r = d.rareW();
    r.linesValid = true;
    r.lines.clear();
    if (d.kind != ControlKind::Memo) {
        r.qtext = ToQString(d.text);
        r.lines.push_back({0, static_cast<int>(r.qtext.size())});
        return;
    }
    r.qtext = EditDisplayText(d.text);
    const bool wraps = Wraps(d);
    const int width = wraps ? TextWidth(c) : 0;
    const QFont& font = FontFor(*d.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int start = 0;
    while (true) {
        int end = static_cast<int>(r.qtext.indexOf(QChar('\n'), start));
        const bool last = end < 0;
        if (last) end = static_cast<int>(r.qtext.size());
        const int length = end - start;
        if (!wraps || length == 0) {
            r.lines.push_back({start, length});
        } else {
            QTextLayout layout(r.qtext.mid(start, length), font);
            layout.setTextOption(option);
            layout.beginLayout();
            while (true) {
                QTextLine line = layout.createLine();
                if (!line.isValid()) break;
                line.setLineWidth(width);
                r.lines.push_back({start + line.textStart(), line.textLength()});
            }
            layout.endLayout();
        }
        if (last) break;
        start = end + 1;
    }
}

std::uint32_t Control::editOptions() const {
    return d_->editOptions;
}

int Control::lineCount() const {
    if (!d_->isEdit()) return 0;
    EnsureLines(*this);
    return static_cast<int>(d_->rare().lines.size());
}

std::string Control::line(int index) const {
    if (!d_->isEdit()) return {};
    EnsureLines(*this);
    if (index < 0 || index >= static_cast<int>(d_->rare().lines.size())) return {};
    const LineSpan s = d_->rare().lines[static_cast<std::size_t>(index)];
    return FromQString(d_->rare().qtext.mid(s.start, s.length));
}

void Control::appendText(std::string_view text) {
    std::string all = d_->text;
    all.append(text);
    setText(all);
}

int Control::insertLine(int, std::string_view) {
    return -1;
}

void Control::clear() {
    setText({});
}

void TextChangedByUser(Control& c, const QString& shown) {
    auto& d = c.d();
    d.text = d.kind == ControlKind::Memo ? EditStoredText(shown) : FromQString(shown);
    InvalidateLines(c);
    AccessibleTextChanged(c);
    CallHandler(d.on().onChange);
}

void Control::replaceSelection(std::string_view text) {
    auto& d = *d_;
    if (!d.isEdit()) return;
    const QString insert = d.kind == ControlKind::Memo ? EditDisplayText(text) : ToQString(text);
    DeliveryScope scope;
    if (auto* e = qobject_cast<QLineEdit*>(d.widget.data())) {
        d.settingText = true;
        e->insert(insert);
        d.settingText = false;
        TextChangedByUser(*this, e->text());
        return;
    }
    if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        d.settingText = true;
        m->insertPlainText(insert);
        d.settingText = false;
        TextChangedByUser(*this, m->toPlainText());
        return;
    }
    EnsureLines(*this);
    int start = ToShown(d, d.selStart), end = ToShown(d, d.selEnd);
    if (start > end) std::swap(start, end);
    QString shown = d.rare().qtext;
    shown.replace(start, end - start, insert);
    const int caretShown = start + static_cast<int>(insert.size());
    d.rareW().qtext = shown;
    TextChangedByUser(*this, shown);
    d.selStart = d.selEnd = ToStored(d, caretShown);
}

int Control::caret() const {
    const auto& d = *d_;
    if (!d.isEdit()) return 0;
    if (!d.widget) return std::min(d.selStart, d.selEnd);
    int start = 0, end = 0;
    SyncSelectionFromWidget(d, start, end);
    return ToStored(d, start);
}

void Control::setSelection(int start, int end) {
    auto& d = *d_;
    if (!d.isEdit()) return;
    const int length = static_cast<int>(d.text.size());
    if (start < 0) start = 0;
    if (end < 0 || end > length) end = length;
    start = std::min(start, length);
    d.selStart = start;
    d.selEnd = end;
    const int s = ToShown(d, start), e = ToShown(d, end);
    if (auto* le = qobject_cast<QLineEdit*>(d.widget.data())) {
        if (s == e)
            le->setCursorPosition(s);
        else
            le->setSelection(s, e - s);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(d.widget.data())) {
        QTextCursor cur = m->textCursor();
        cur.setPosition(s);
        cur.setPosition(e, QTextCursor::KeepAnchor);
        m->setTextCursor(cur);
    }
}

void Control::setCaretToLine(int line) {
    if (!d_->isEdit()) return;
    EnsureLines(*this);
    if (line < 0 || line >= static_cast<int>(d_->rare().lines.size())) return;
    setCaret(ToStored(*d_, d_->rare().lines[static_cast<std::size_t>(line)].start));
}

void Control::limitText(int maxChars) {
    d_->limit = maxChars;
    ApplyStyles(*this);
}
int Control::textLimit() const {
    return d_->limit;
}

void Control::scrollLines(int lines) {
    auto& d = *d_;
    if (d.kind != ControlKind::Memo) return;
    const int last = std::max(0, lineCount() - 1);
    d.rareW().firstLine = std::clamp(d.rareW().firstLine + lines, 0, last);
    ApplyFirstLine(*this);
}

int Control::firstVisibleLine() const {
    return d_->rare().firstLine;
}

} // namespace qo
